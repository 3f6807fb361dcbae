#include "dict_keys.hpp"

#include <utility>

namespace velmor::py::utils {
namespace {

Result<DictKeys> intern_keys() {
    DictKeys keys{};
    const std::pair<PyObject**, const char*> table[] = {
        {&keys.type, "type"},
        {&keys.coordinates, "coordinates"},
        {&keys.geometries, "geometries"},
        {&keys.meta, "meta"},
        {&keys.srid, "srid"},
        {&keys.crs, "crs"},
        {&keys.properties, "properties"},
        {&keys.name, "name"},
        {&keys.point, "Point"},
        {&keys.line_string, "LineString"},
        {&keys.polygon, "Polygon"},
        {&keys.multi_point, "MultiPoint"},
        {&keys.multi_line_string, "MultiLineString"},
        {&keys.multi_polygon, "MultiPolygon"},
        {&keys.geometry_collection, "GeometryCollection"},
        {&keys.x, "x"},
        {&keys.y, "y"},
        {&keys.z, "z"},
        {&keys.m, "m"},
        {&keys.points, "points"},
        {&keys.paths, "paths"},
        {&keys.rings, "rings"},
        {&keys.has_m, "hasM"},
        {&keys.has_z, "hasZ"},
        {&keys.spatial_reference, "spatialReference"},
        {&keys.wkid, "wkid"},
        {&keys.curve_paths, "curvePaths"},
        {&keys.curve_rings, "curveRings"},
        {&keys.circular_arc, "c"},
    };
    for (const auto& [slot, text] : table) {
        // Kept for the life of the process.
        *slot = PyUnicode_InternFromString(text);
        if (*slot == nullptr) return fail(python_error());
    }
    return keys;
}

}  // namespace

Result<const DictKeys*> dict_keys() {
    static DictKeys keys{};
    static bool ready = false;
    if (!ready) {
        VELMOR_TRY_ASSIGN(keys, intern_keys());
        ready = true;
    }
    return &keys;
}

}  // namespace velmor::py::utils
