#include "geometry/geometry_from_py.hpp"

#include <array>
#include <cstring>
#include <string>
#include <string_view>

#include "dict_forms/lookup.hpp"
#include "geometry/envelope.hpp"
#include "geometry/multipoint.hpp"
#include "geometry/point.hpp"
#include "geometry/polygon.hpp"
#include "geometry/polyline.hpp"
#include "geometry/runtime_conversion.hpp"
#include "dict_forms/envelope_form.hpp"
#include "dict_forms/geometry_forms.hpp"
#include "dict_forms/point_form.hpp"
#include "runtime/geometry.hpp"
#include "spatial/spatial_reference.hpp"

namespace velmor::py {
namespace {

using DictConversion = Result<Ref> (*)(PyObject* dict);

// Reads the dictionary form of one class and wraps the value in a new object of that class.
template <auto read, auto wrap>
Result<Ref> converted(PyObject* dict) {
    VELMOR_TRY_ASSIGN(auto value, read(dict));
    return wrap(std::move(value));
}

constexpr DictConversion polygon_from = converted<polygon_from_dict, new_polygon>;
constexpr DictConversion polyline_from = converted<polyline_from_dict, new_polyline>;
constexpr DictConversion multipoint_from = converted<multipoint_from_dict, new_multipoint>;
constexpr DictConversion point_from = converted<point_from_dict, new_point>;
constexpr DictConversion envelope_from = converted<envelope_from_dict, new_envelope>;
constexpr DictConversion spatial_reference_from = converted<spatial_reference_from_dict, new_spatial_reference>;

struct KeyConversion {
    const char* key;
    DictConversion convert;
};

// Only presence decides; the first key present wins.
constexpr std::array<KeyConversion, 10> key_precedence{{
    {"rings", polygon_from},
    {"curveRings", polygon_from},
    {"paths", polyline_from},
    {"curvePaths", polyline_from},
    {"points", multipoint_from},
    {"x", point_from},
    {"xmin", envelope_from},
    {"wkid", spatial_reference_from},
    {"wkt", spatial_reference_from},
    {"latestWkt", spatial_reference_from},
}};

Result<Ref> geometry_from_dict(PyObject* dict) {
    for (const KeyConversion& entry : key_precedence) {
        VELMOR_TRY_ASSIGN(PyObject* item, find_item(dict, entry.key));
        if (item != nullptr) return entry.convert(dict);
    }
    Ref shown = Ref::steal(PyObject_Repr(dict));
    if (!shown) return fail(python_error());
    const char* text = PyUnicode_AsUTF8(shown.get());
    if (text == nullptr) return fail(python_error());
    return fail(raise_error(PyExc_ValueError, std::string("Dict missing keys to represent an Velmor geometry: ") + text));
}

Result<std::string> factory_text(PyObject* value) {
    auto text = get_py_str(value);
    if (text) return text;
    // The factory names what it accepts instead of the text reader's own refusal, which is dropped.
    Ref shown = Ref::steal(PyObject_Repr(value));
    if (!shown) return fail(python_error());
    const char* shown_text = PyUnicode_AsUTF8(shown.get());
    if (shown_text == nullptr) return fail(python_error());
    return fail(raise_error(PyExc_TypeError,
                            std::string("Could not convert object ") + shown_text +
                                " into Velmor geometry.  Geometry factory expects a dict or OvraJSON string"));
}

// Text that is no JSON object at all is most likely another format; the runtime core's refusal keeps
// its fixed text, and a note says where that format is read.
constexpr const char* other_formats_hint =
    "Geometry() reads a dict or OvraJSON text; read WKT with Geometry.from_wkt, WKB with Geometry.from_wkb "
    "and GeoJSON with Geometry.from_geojson";

bool looks_like_json_object(std::string_view text) {
    const auto start = text.find_first_not_of(" \t\r\n");
    return start != std::string_view::npos && text[start] == '{';
}

}  // namespace

Result<Ref> geometry_from_py(PyObject* value) {
    if (PyDict_Check(value)) return geometry_from_dict(value);
    VELMOR_TRY_ASSIGN(std::string text, factory_text(value));
    // Text with a NUL inside is refused by the binding to the runtime core as an internal failure, which
    // the factory reports as it reports every other one.
    auto parsed = runtime::geometry_from_json(text);
    if (!parsed) {
        NativeError refused = runtime::to_native_error(parsed.error());
        if (looks_like_json_object(text)) return fail(std::move(refused));
        return fail(with_note(std::move(refused), other_formats_hint));
    }
    return geometry_from_runtime(std::move(*parsed));
}

}  // namespace velmor::py
