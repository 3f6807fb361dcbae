#include "geometry/geometry_readers.hpp"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "args.hpp"
#include "entry.hpp"
#include "formats/wkb_reader.hpp"
#include "formats/wkt_parser.hpp"
#include "geometry/geojson_walk.hpp"
#include "geometry/geometry_base.hpp"
#include "geometry/multipoint.hpp"
#include "geometry/point.hpp"
#include "geometry/polygon.hpp"
#include "geometry/polyline.hpp"
#include "spatial/spatial_reference.hpp"

namespace velmor::py {
namespace {

// Why the input could not be read, without the reader's own framing of a builder failure.
std::string reason(const formats::FormatError& error) {
    if (error.kind() == formats::FormatError::Kind::Geometry) return error.message();
    return error.display();
}

// The geometry the reader reported, or ValueError naming the format and the reason.
// One builder per thread serves every read, so small inputs reuse its buffers. A read runs no Python
// code, so it cannot start another read on the same thread.
template <class Read>
Result<formats::NativeGeometry> read_native(const char* format, Read&& read) {
    thread_local formats::NativeGeometryBuilder builder;
    builder.reset();
    const formats::Status walked = read(builder);
    if (!walked) {
        return fail(raise_error(PyExc_ValueError, std::string("cannot read the ") + format +
                                                      " as a geometry: " + reason(walked.error())));
    }
    return builder.take();
}

Result<formats::NativeGeometry> read_wkt(PyObject* wkt) {
    if (!PyUnicode_Check(wkt)) return fail(argument_refused(wkt, "wkt", "str"));
    Py_ssize_t size = 0;
    const char* text = PyUnicode_AsUTF8AndSize(wkt, &size);  // cached by the str, which outlives the call
    if (text == nullptr) return fail(python_error());
    return read_native("WKT", [&](formats::GeometryBuilder& builder) {
        return formats::parse_wkt(std::string_view(text, static_cast<std::size_t>(size)), builder);
    });
}

// Bytes as they are, any other bytes-like object copied, and text as hexadecimal digits.
Result<Ref> wkb_bytes(PyObject* input) {
    if (PyBytes_Check(input)) return Ref::borrow(input);
    Ref bytes;
    if (PyUnicode_Check(input)) {
        bytes = Ref::steal(PyObject_CallMethod(reinterpret_cast<PyObject*>(&PyBytes_Type), "fromhex", "O", input));
    } else if (PyObject_CheckBuffer(input)) {
        bytes = Ref::steal(PyBytes_FromObject(input));
    } else {
        return fail(argument_refused(input, "wkb", "bytes"));
    }
    if (!bytes) return fail(python_error());
    return bytes;
}

Result<formats::NativeGeometry> read_wkb(PyObject* input) {
    VELMOR_TRY_ASSIGN(const Ref bytes, wkb_bytes(input));
    const auto* data = reinterpret_cast<const std::uint8_t*>(PyBytes_AS_STRING(bytes.get()));
    const auto size = static_cast<std::size_t>(PyBytes_GET_SIZE(bytes.get()));
    return read_native("WKB", [&](formats::GeometryBuilder& builder) {
        return formats::read_wkb(std::span<const std::uint8_t>(data, size), builder);
    });
}

// "Polygon" of velmor_geometry.Polygon.
std::string short_name(PyTypeObject* type) {
    const std::string_view name = type->tp_name;
    return std::string(name.substr(name.rfind('.') + 1));
}

// The GeoJSON geometry dictionary a value gives: itself, the JSON text it is, or its __geo_interface__.
Result<Ref> geojson_dict(PyObject* value) {
    if (PyDict_Check(value)) return Ref::borrow(value);
    Ref dict;
    if (PyUnicode_Check(value) || PyBytes_Check(value)) {
        Ref json = Ref::steal(PyImport_ImportModule("json"));
        if (!json) return fail(python_error());
        dict = Ref::steal(PyObject_CallMethod(json.get(), "loads", "O", value));
    } else if (PyObject_HasAttrString(value, "__geo_interface__")) {
        dict = Ref::steal(PyObject_GetAttrString(value, "__geo_interface__"));
    } else {
        return fail(raise_error(PyExc_TypeError, "argument 'value': a '" + type_name(value) +
                                                     "' object is not a GeoJSON geometry: give a dict, its JSON text "
                                                     "or an object with __geo_interface__"));
    }
    if (!dict) return fail(python_error());
    return dict;
}

Result<formats::NativeGeometry> read_geojson(PyObject* value) {
    VELMOR_TRY_ASSIGN(const Ref dict, geojson_dict(value));
    return read_native("GeoJSON", [&](formats::GeometryBuilder& builder) { return walk_geojson(dict.get(), builder); });
}

void set_spatial_reference(formats::NativeGeometry& geometry, core::SpatialReference reference) {
    std::visit(
        [&](auto& value) {
            if constexpr (std::is_same_v<std::remove_cvref_t<decltype(value)>, core::PointValue>) {
                value.spatial_reference = std::move(reference);
            } else {
                value.set_spatial_reference(std::move(reference));
            }
        },
        geometry);
}

// Called on a geometry class, the method gives only geometries of that class: Polygon.from_wkt of a
// point text is refused. A class made from one of ours in Python gets the geometry of its base.
Result<Ref> of_class(PyObject* cls, const char* method, Ref geometry) {
    auto* wanted = reinterpret_cast<PyTypeObject*>(cls);
    PyTypeObject* read = Py_TYPE(geometry.get());
    if (PyType_IsSubtype(read, wanted) || PyType_IsSubtype(wanted, read)) return geometry;
    const std::string wanted_name = short_name(wanted);
    return fail(raise_error(PyExc_TypeError, wanted_name + "." + method + ": the input holds a " + short_name(read) +
                                                 ", not a " + wanted_name));
}

template <auto Read>
PyObject* geometry_from(PyObject* cls, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames,
                        const Parameters<1>& params) {
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(const auto bound, bind(params, args, nargs, kwnames));
        VELMOR_TRY_ASSIGN(formats::NativeGeometry geometry, Read(bound[0]));
        VELMOR_TRY_ASSIGN(Ref object, native_geometry_object(std::move(geometry)));
        return of_class(cls, params.function, std::move(object));
    });
}

}  // namespace

Result<Ref> native_geometry_object(formats::NativeGeometry geometry) {
    return std::visit(
        [](auto&& value) -> Result<Ref> {
            using Value = std::remove_cvref_t<decltype(value)>;
            if constexpr (std::is_same_v<Value, core::PointValue>) return new_point(std::move(value));
            if constexpr (std::is_same_v<Value, core::Polyline>) return new_polyline(std::move(value));
            if constexpr (std::is_same_v<Value, core::Polygon>) return new_polygon(std::move(value));
            if constexpr (std::is_same_v<Value, core::Multipoint>) return new_multipoint(std::move(value));
        },
        std::move(geometry));
}

PyObject* geometry_from_wkt(PyObject* cls, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const Parameters<1> params{"from_wkt", {"wkt"}};
    return geometry_from<read_wkt>(cls, args, nargs, kwnames, params);
}

PyObject* geometry_from_wkb(PyObject* cls, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const Parameters<1> params{"from_wkb", {"wkb"}};
    return geometry_from<read_wkb>(cls, args, nargs, kwnames, params);
}

PyObject* geometry_from_geojson(PyObject* cls, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const Parameters<2> params{"from_geojson", {"value", "spatial_reference"}, 1};
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(const auto bound, bind(params, args, nargs, kwnames));
        VELMOR_TRY_ASSIGN(formats::NativeGeometry geometry, read_geojson(bound[0]));
        if (bound[1] != nullptr && bound[1] != Py_None) {
            VELMOR_TRY_ASSIGN(core::SpatialReference reference, spatial_reference_from_py(bound[1]));
            set_spatial_reference(geometry, std::move(reference));
        }
        VELMOR_TRY_ASSIGN(Ref object, native_geometry_object(std::move(geometry)));
        return of_class(cls, params.function, std::move(object));
    });
}

}  // namespace velmor::py
