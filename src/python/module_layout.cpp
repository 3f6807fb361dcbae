// The registration order of the three modules. A new function or class is added here, at its place
// in the order, and nowhere else in the module frame.
#include <array>

#include "engine/collection_functions.hpp"

#include "geometry/envelope.hpp"
#include "geometry/geometry_base.hpp"
#include "geometry/multipoint.hpp"
#include "geometry/point.hpp"
#include "geometry/polygon.hpp"
#include "geometry/polyline.hpp"
#include "parts/part_objects.hpp"
#include "projection/datum_transformation.hpp"
#include "projection/projection_functions.hpp"
#include "registry.hpp"
#include "segments/segment_objects.hpp"
#include "spatial/area_unit.hpp"
#include "spatial/enumerations.hpp"
#include "spatial/extend_options.hpp"
#include "spatial/spatial_reference.hpp"
#include "utils/is_clockwise.hpp"
#include "utils/wkt_wkb_functions.hpp"

namespace velmor::py {
namespace {

// Main module: the collection functions (their own catalogue gives the order), then the classes.
// Classes in alphabetical order; each is added at its place.
constexpr std::array<ClassEntry, 23> main_classes{{
    {"AreaUnit", area_unit_type},
    {"AreaUnitId", area_unit_id_type},
    {"BezierCurve", bezier_curve_type},
    {"CircularArc", circular_arc_type},
    {"Coord", coord_type},
    {"CurveMultipart", curve_multipart_type},
    {"CurvePart", curve_part_type},
    {"CurveSegment", curve_segment_type},
    {"EllipticArc", elliptic_arc_type},
    {"Envelope", envelope_type},
    {"GeodeticCurveType", geodetic_curve_type_type},
    {"Geometry", geometry_type},
    {"GeometryExtendOptions", geometry_extend_options_type},
    {"Linear", linear_type},
    {"LinearUnitId", linear_unit_id_type},
    {"MultiPoint", multipoint_type},
    {"Multipart", multipart_type},
    {"Part", part_type},
    {"Point", point_type},
    {"Polygon", polygon_type},
    {"Polyline", polyline_type},
    {"Segment", segment_type},
    {"SpatialReference", spatial_reference_type},
}};

// velmor_geometry.projection: its functions (their own list gives the order), then DatumTransformation.
constexpr std::array<ClassEntry, 1> projection_classes{{
    {"DatumTransformation", datum_transformation_type},
}};

// velmor_geometry.utils
const std::array<PyMethodDef*, 5> utils_functions{
    &utils::is_clockwise_def,
    &utils::wkb_to_ovrajson_dict_def,
    &utils::wkb_to_geojson_dict_def,
    &utils::wkt_to_ovrajson_dict_def,
    &utils::wkt_to_geojson_dict_def,
};

}  // namespace

const ModuleLayout& main_module_layout() {
    static const ModuleLayout layout{engine::collection_functions(), main_classes};
    return layout;
}

const ModuleLayout& projection_module_layout() {
    static const ModuleLayout layout{projection_functions(), projection_classes};
    return layout;
}

const ModuleLayout& utils_module_layout() {
    static const ModuleLayout layout{utils_functions, {}};
    return layout;
}

}  // namespace velmor::py
