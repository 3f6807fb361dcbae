#include "geometry/geojson_walk.hpp"

#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>

#include "errors.hpp"
#include "utils/builder_failure.hpp"

namespace velmor::py {
namespace {

using formats::FormatError;
using formats::GeometryBuilder;
using formats::Status;

bool is_array(PyObject* value) { return PyList_Check(value) || PyTuple_Check(value); }

// A list or tuple; `what` names it in the refusal.
Status require_array(PyObject* value, const std::string& what) {
    if (is_array(value)) return {};
    return FormatError::geometry(what + " is a " + type_name(value) + ", not a list");
}

Status position(PyObject* value, const std::string& what, GeometryBuilder& builder) {
    VELMOR_FORMAT_TRY(require_array(value, what));
    const Py_ssize_t size = PySequence_Fast_GET_SIZE(value);
    if (size < 2) {
        return FormatError::geometry(what + " has " + std::to_string(size) + " numbers; a position has 2 or 3");
    }
    double numbers[3] = {0, 0, 0};
    const Py_ssize_t used = size < 3 ? size : 3;
    for (Py_ssize_t i = 0; i < used; ++i) {
        PyObject* item = PySequence_Fast_GET_ITEM(value, i);
        if (!PyFloat_Check(item) && !PyLong_Check(item)) {
            return FormatError::geometry(what + " holds a " + type_name(item) + ", not a number");
        }
        numbers[i] = PyFloat_AsDouble(item);
        if (numbers[i] == -1.0 && PyErr_Occurred() != nullptr) return utils::builder_failure(python_error());
    }
    formats::Coordinate coordinate{numbers[0], numbers[1], numbers[2], 0, {size >= 3, false}};
    return builder.coordinate(coordinate);
}

// Each item of an array, read by `read` under the name "<what>[i]".
template <class Read>
Status each(PyObject* array, const std::string& what, Read&& read) {
    VELMOR_FORMAT_TRY(require_array(array, what));
    for (Py_ssize_t i = 0; i < PySequence_Fast_GET_SIZE(array); ++i) {
        VELMOR_FORMAT_TRY(read(PySequence_Fast_GET_ITEM(array, i), what + "[" + std::to_string(i) + "]"));
    }
    return {};
}

Status positions(PyObject* array, const std::string& what, GeometryBuilder& builder) {
    return each(array, what, [&](PyObject* item, const std::string& name) { return position(item, name, builder); });
}

Status line(PyObject* array, const std::string& what, bool tagged, GeometryBuilder& builder) {
    VELMOR_FORMAT_TRY(builder.linestring_begin(tagged));
    VELMOR_FORMAT_TRY(positions(array, what, builder));
    return builder.linestring_end(tagged);
}

Status lines(PyObject* array, const std::string& what, GeometryBuilder& builder) {
    return each(array, what, [&](PyObject* item, const std::string& name) { return line(item, name, false, builder); });
}

Status polygon(PyObject* array, const std::string& what, bool tagged, GeometryBuilder& builder) {
    VELMOR_FORMAT_TRY(builder.polygon_begin(tagged));
    VELMOR_FORMAT_TRY(lines(array, what, builder));
    return builder.polygon_end(tagged);
}

Status point(PyObject* coordinates, GeometryBuilder& builder) {
    if (is_array(coordinates) && PySequence_Fast_GET_SIZE(coordinates) == 0) return builder.empty_point();
    VELMOR_FORMAT_TRY(builder.point_begin());
    VELMOR_FORMAT_TRY(position(coordinates, "coordinates", builder));
    return builder.point_end();
}

Status by_type(std::string_view type, PyObject* coordinates, GeometryBuilder& builder) {
    const std::string what = "coordinates";
    if (type == "Point") return point(coordinates, builder);
    if (type == "LineString") return line(coordinates, what, true, builder);
    if (type == "Polygon") return polygon(coordinates, what, true, builder);
    if (type == "MultiPoint") {
        VELMOR_FORMAT_TRY(builder.multipoint_begin());
        VELMOR_FORMAT_TRY(positions(coordinates, what, builder));
        return builder.multipoint_end();
    }
    if (type == "MultiLineString") {
        VELMOR_FORMAT_TRY(builder.multilinestring_begin());
        VELMOR_FORMAT_TRY(lines(coordinates, what, builder));
        return builder.multilinestring_end();
    }
    if (type == "MultiPolygon") {
        VELMOR_FORMAT_TRY(builder.multipolygon_begin());
        VELMOR_FORMAT_TRY(each(coordinates, what, [&](PyObject* item, const std::string& name) {
            return polygon(item, name, false, builder);
        }));
        return builder.multipolygon_end();
    }
    return FormatError::geometry("the type '" + std::string(type) + "' is not a GeoJSON geometry type");
}

}  // namespace

formats::Status walk_geojson(PyObject* geometry, formats::GeometryBuilder& builder) {
    if (!PyDict_Check(geometry)) {
        return FormatError::geometry("a GeoJSON geometry is a dict, not a " + type_name(geometry));
    }
    PyObject* type = PyDict_GetItemString(geometry, "type");
    if (type == nullptr || !PyUnicode_Check(type)) {
        return FormatError::geometry("the geometry has no text under 'type'");
    }
    Py_ssize_t size = 0;
    const char* text = PyUnicode_AsUTF8AndSize(type, &size);
    if (text == nullptr) return utils::builder_failure(python_error());
    const std::string_view type_text(text, static_cast<std::size_t>(size));
    if (type_text == "GeometryCollection") return builder.geometry_collection_begin();
    constexpr std::string_view types[] = {"Point",      "LineString",      "Polygon",
                                          "MultiPoint", "MultiLineString", "MultiPolygon"};
    if (std::ranges::find(types, type_text) == std::end(types)) {
        return FormatError::geometry("the type '" + std::string(type_text) + "' is not a GeoJSON geometry type");
    }
    PyObject* coordinates = PyDict_GetItemString(geometry, "coordinates");
    if (coordinates == nullptr) return FormatError::geometry("the " + std::string(type_text) + " has no 'coordinates'");
    return by_type(type_text, coordinates, builder);
}

}  // namespace velmor::py
