#pragma once

#include <Python.h>

namespace velmor::py::utils {

// utils.wkb_to_ovrajson_dict, utils.wkb_to_geojson_dict, utils.wkt_to_ovrajson_dict,
// utils.wkt_to_geojson_dict
extern PyMethodDef wkb_to_ovrajson_dict_def;
extern PyMethodDef wkb_to_geojson_dict_def;
extern PyMethodDef wkt_to_ovrajson_dict_def;
extern PyMethodDef wkt_to_geojson_dict_def;

}  // namespace velmor::py::utils
