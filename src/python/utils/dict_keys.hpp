#pragma once

#include <Python.h>

#include "errors.hpp"

namespace velmor::py::utils {

// The keys and fixed values of the GeoJSON and OvraJSON dictionaries, interned once per process so
// that no conversion creates them again.
struct DictKeys {
    // GeoJSON
    PyObject* type;
    PyObject* coordinates;
    PyObject* geometries;
    PyObject* meta;
    PyObject* srid;
    PyObject* crs;
    PyObject* properties;
    PyObject* name;
    PyObject* point;
    PyObject* line_string;
    PyObject* polygon;
    PyObject* multi_point;
    PyObject* multi_line_string;
    PyObject* multi_polygon;
    PyObject* geometry_collection;
    // OvraJSON
    PyObject* x;
    PyObject* y;
    PyObject* z;
    PyObject* m;
    PyObject* points;
    PyObject* paths;
    PyObject* rings;
    PyObject* has_m;
    PyObject* has_z;
    PyObject* spatial_reference;
    PyObject* wkid;
    PyObject* curve_paths;
    PyObject* curve_rings;
    PyObject* circular_arc;  // "c", the key of a circular arc segment
};

Result<const DictKeys*> dict_keys();

}  // namespace velmor::py::utils
