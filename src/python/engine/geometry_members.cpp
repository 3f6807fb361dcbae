// The catalogue of Geometry's engine members: one row per member. The few members that choose between
// a planar and a geodetic form, or read a measure under a condition, have a body; every other row is
// the engine function, its result kind and the kinds of its parameters.
#include "engine/geometry_members.hpp"

#include <array>
#include <optional>
#include <string>

#include "engine/road.hpp"
#include "geometry/point.hpp"
#include "geometry/polygon.hpp"
#include "runtime/convert/point_conversion.hpp"
#include "runtime/geometry.hpp"
#include "spatial/area_unit.hpp"

namespace velmor::py::engine {
namespace {

NativeError value_error(const char* message) { return raise_error(PyExc_ValueError, message); }

using AreaPlanar = Member<"_area_planear($self)", VELMOR_ENGINE_MUST_NOT_FAIL(area, FloatResult)>;
using LengthPlanar = VELMOR_ENGINE_MUST_NOT_FAIL(length, FloatResult);

using BufferPlanar = Member<"_buffer($self, distance)", Gk<VELMOR_ENGINE(buffer), PolygonResult>, FloatArg>;
using BufferGeodetic = Member<"_buffer_geodetic($self, distance, unit, max_deviation, curve_type)",
                              Gk<VELMOR_ENGINE(bufferGeodetic), PolygonResult>, FloatArg, LinearUnit, FloatArg, CurveType>;

// Planar without unit, deviation and curve type; geodetic with all three; anything between is refused.
Result<Ref> buffer(PyObject* self, double distance, const std::optional<int32_t>& unit,
                   const std::optional<double>& max_deviation, const std::optional<int32_t>& curve_type) {
    if (unit) {
        if (!max_deviation) return fail(value_error("max_deviation must be provided for geodetic buffer"));
        if (!curve_type) return fail(value_error("GeodeticCurveType must be provided for geodetic buffer"));
        return BufferGeodetic::run(self, {distance, unit, *max_deviation, curve_type});
    }
    if (max_deviation || curve_type) return fail(value_error("LinearUnitId must be provided for geodetic buffer"));
    return BufferPlanar::run(self, {distance});
}

using DensifyPlanar = Member<"_densify($self, max_segment_length)", Gk<VELMOR_ENGINE(densify), GeometryResult>, FloatArg>;
using DensifyGeodetic = Member<"_densify_geodetic($self, max_segment_length, unit, curve_type)",
                               Gk<VELMOR_ENGINE(densifyGeodetic), GeometryResult>, FloatArg, LinearUnit, CurveType>;

Result<Ref> densify(PyObject* self, double max_segment_length, const std::optional<int32_t>& unit,
                    const std::optional<int32_t>& curve_type) {
    if (unit && curve_type) return DensifyGeodetic::run(self, {max_segment_length, unit, curve_type});
    if (unit) return fail(value_error("GeodeticCurveType must be provided for geodetic densify"));
    if (curve_type) return fail(value_error("LinearUnitId must be provided for geodetic densify"));
    return DensifyPlanar::run(self, {max_segment_length});
}

// The geodetic area of the receiver in `unit` (null: the runtime core's default unit).
Result<Ref> area_geodetic_in(PyObject* self, GK_UnitHandle unit, int32_t curve_type) {
    VELMOR_TRY_ASSIGN(runtime::GeometryOwned geometry, geometry_to_runtime(self));
    auto area = runtime::invoke(runtime::functions().GeometryEngine_areaGeodetic, geometry.get(), unit, curve_type);
    if (!area) return fail(runtime::to_native_error(area.error()));
    return FloatResult::float_object(*area);
}

// The unit is made even for a planar area, so that a code the runtime core refuses fails either way;
// the planar area does not use it.
Result<Ref> calculate_area(PyObject* self, const std::optional<int32_t>& curve_type,
                           const std::optional<int32_t>& unit_code) {
    std::optional<runtime::AreaUnit> unit;
    if (unit_code) {
        VELMOR_TRY_ASSIGN(unit, runtime_area_unit(*unit_code));
    }
    if (!curve_type) {
        unit.reset();
        return AreaPlanar::run(self, {});
    }
    return area_geodetic_in(self, unit ? unit->get() : nullptr, *curve_type);
}

Result<Ref> area_geodetic(PyObject* self, const std::optional<int32_t>& curve_type, const runtime::AreaUnit* unit) {
    return area_geodetic_in(self, unit ? unit->get() : nullptr, *curve_type);
}

// Only the type of a planar call's unit is checked; a geodetic call makes the unit after the receiver.
Result<Ref> calculate_length(PyObject* self, const std::optional<int32_t>& curve_type,
                             const std::optional<int32_t>& unit_code) {
    if (!curve_type) return LengthPlanar::run<true>(self, {}, nullptr);
    VELMOR_TRY_ASSIGN(runtime::GeometryOwned geometry, geometry_to_runtime(self));
    std::optional<runtime::LinearUnit> unit;
    if (unit_code) {
        VELMOR_TRY_ASSIGN(unit, runtime_linear_unit(*unit_code));
    }
    auto length = runtime::invoke(runtime::functions().GeometryEngine_lengthGeodetic, geometry.get(),
                                  unit ? unit->get() : nullptr, *curve_type);
    if (!length) return fail(runtime::to_native_error(length.error()));
    return FloatResult::float_object(*length);
}

// Only polygons have an area; for every other geometry the property is None and the engine is not asked.
Result<Ref> area_property(PyObject* self) {
    PyTypeObject* polygon = polygon_type();
    if (polygon == nullptr) return fail(python_error());
    if (!PyObject_TypeCheck(self, polygon)) return Ref::borrow(Py_None);
    return AreaPlanar::run(self, {});
}

Result<Ref> length_property(PyObject* self) { return LengthPlanar::run<true>(self, {}, nullptr); }

// The centre of the extent, for every geometry type; no engine function is involved.
Result<Ref> label_point_property(PyObject* self) {
    VELMOR_TRY_ASSIGN(runtime::GeometryOwned geometry, geometry_to_runtime(self));
    const runtime::Point centre = runtime::envelope_center(runtime::extent(geometry.get()));
    return new_point(runtime::convert::point_from_runtime(centre));
}

template <auto Operation>
using ToGeometry = Gk<Operation, GeometryResult>;
template <auto Operation>
using Test = Gk<Operation, BoolResult>;

}  // namespace

std::span<const PyMethodDef> geometry_engine_methods() {
    static const std::array methods{
        // Constructive
        Member<"boundary($self)", ToGeometry<VELMOR_ENGINE(boundary)>>::entry(
            "The boundary of the geometry."),
        Member<"buffer($self, distance, unit=None, max_deviation=None, curve_type=None)", Custom<buffer>,
               FloatArg, OptionalLinearUnit, OptionalFloatArg,
               OptionalCurveType>::entry("A Polygon around the geometry at the distance: planar (distance in "
                                         "the units of the coordinates) "
                                         "without a unit; geodetic with a LinearUnitId, a maximum deviation "
                                         "and a GeodeticCurveType, all three or "
                                         "none (else ValueError)."),
        BufferPlanar::entry("The planar buffer Polygon at the distance, in the units of the coordinates."),
        BufferGeodetic::entry(
            "The geodetic buffer Polygon at the distance in the LinearUnitId, within max_deviation."),
        Member<"clip($self, env)", ToGeometry<VELMOR_ENGINE(clip)>, EnvelopeArg>::entry(
            "The part of the geometry inside the envelope."),
        Member<"combine_extents($self, other)", Gk<VELMOR_ENGINE(combineExtents), EnvelopeResult>,
               GeometryArg>::entry("The envelope of both extents."),
        Member<"convex_hull($self)", ToGeometry<VELMOR_ENGINE(convexHull)>>::entry(
            "The convex hull of the geometry: a polygon, or a polyline or point when it has no area."),
        Member<"cut($self, cutter)", Gk<VELMOR_ENGINE(cut), GeometryListResult>, PolylineArg>::entry(
            "The pieces of the geometry cut by the polyline: left cuts, right cuts, then uncut parts."),
        Member<"densify($self, max_segment_length, unit=None, curve_type=None)", Custom<densify>, FloatArg,
               OptionalLinearUnit,
               OptionalCurveType>::entry("The geometry with no segment longer than max_segment_length: "
                                         "planar in the units of the coordinates, "
                                         "or geodetic with a LinearUnitId and a GeodeticCurveType, both or "
                                         "neither (else ValueError)."),
        DensifyPlanar::entry("The geometry densified to segments of at most max_segment_length, in the units "
                             "of the coordinates."),
        DensifyGeodetic::entry(
            "The geometry densified to geodetic segments of at most max_segment_length in the LinearUnitId."),
        Member<"difference($self, other)", ToGeometry<VELMOR_ENGINE(difference)>, GeometryArg>::entry(
            "The parts of the geometry not in other."),
        Member<"generalize($self, max_offset, remove_degenerate_parts=False)",
               ToGeometry<VELMOR_ENGINE(generalize)>, FloatArg,
               BoolArg>::entry("The geometry with vertices removed while it stays within max_offset (units "
                               "of the coordinates)."),
        Member<"intersect($self, other)", ToGeometry<VELMOR_ENGINE(intersection)>, GeometryArg>::entry(
            "The intersection of both geometries."),
        Member<"intersections($self, other)", Gk<VELMOR_ENGINE(intersections), GeometryListResult>,
               GeometryArg>::entry("The intersections of every dimension, lowest first."),
        Member<
            "move_relative($self, delta_x, delta_y)", ToGeometry<VELMOR_ENGINE(move)>, FloatArg,
            FloatArg>::entry("The geometry moved by delta_x and delta_y, in the units of the coordinates."),
        Member<"normalize_central_meridian($self)",
               VELMOR_ENGINE_MUST_NOT_FAIL(normalizeCentralMeridian, GeometryResult)>::
            entry("The geometry folded into the range of its central meridian."),
        Member<"project($self, spatial_reference)", ToGeometry<VELMOR_ENGINE(project)>,
               SpatialReferenceArg>::entry("The geometry in another spatial reference."),
        Member<"project_with_transformation($self, spatial_reference, transformation)",
               ToGeometry<VELMOR_ENGINE(projectWithTransformation)>, SpatialReferenceArg,
               DatumTransformationArg>::
            entry("The geometry in another spatial reference through the datum transformation."),
        Member<"remove_m($self)", VELMOR_ENGINE_MUST_NOT_FAIL(removeM, GeometryResult)>::entry(
            "The geometry without m."),
        Member<"remove_z($self)", VELMOR_ENGINE_MUST_NOT_FAIL(removeZ, GeometryResult)>::entry(
            "The geometry without z."),
        Member<"remove_z_and_m($self)", VELMOR_ENGINE_MUST_NOT_FAIL(removeZAndM, GeometryResult)>::entry(
            "The geometry without z and m."),
        Member<"rotate($self, angle, origin)", ToGeometry<VELMOR_ENGINE(rotate)>, FloatArg,
               OptionalPointArg>::entry("The geometry rotated counterclockwise by angle degrees about the "
                                        "Point origin (None: the extent's "
                                        "centre)."),
        Member<"scale($self, scale_x, scale_y, origin)", ToGeometry<VELMOR_ENGINE(scale)>, FloatArg, FloatArg,
               OptionalPointArg>::entry("The geometry scaled by scale_x and scale_y about the Point origin "
                                        "(None: the extent's centre)."),
        Member<"set_m($self, m)", ToGeometry<VELMOR_ENGINE(setM)>, FloatArg>::entry(
            "The geometry with every m set."),
        Member<"set_z($self, z)", ToGeometry<VELMOR_ENGINE(setZ)>, FloatArg>::entry(
            "The geometry with every z set."),
        Member<"set_z_and_m($self, z, m)", ToGeometry<VELMOR_ENGINE(setZAndM)>, FloatArg, FloatArg>::entry(
            "The geometry with every z and m set."),
        Member<"simplify($self)", ToGeometry<VELMOR_ENGINE(simplify)>>::entry(
            "The topologically simple geometry."),
        Member<"symmetric_difference($self, rhs)", ToGeometry<VELMOR_ENGINE(symmetricDifference)>,
               GeometryArg>::entry("The parts in exactly one of both geometries."),
        Member<"union($self, rhs)", ToGeometry<VELMOR_ENGINE(union)>, GeometryArg>::entry(
            "The union of both geometries."),
        // Relations
        Member<"contains($self, other)", Test<VELMOR_ENGINE(contains)>, GeometryArg>::entry(
            "Whether the geometry contains other."),
        Member<"crosses($self, rhs)", Test<VELMOR_ENGINE(crosses)>, GeometryArg>::entry(
            "Whether the geometries cross."),
        Member<"disjoint($self, other)", Test<VELMOR_ENGINE(disjoint)>, GeometryArg>::entry(
            "Whether the geometries share no point."),
        Member<"equals($self, other)", Test<VELMOR_ENGINE(equals)>, GeometryArg>::entry(
            "Whether the geometries are the same point set."),
        Member<"intersects($self, other)", Test<VELMOR_ENGINE(intersects)>, GeometryArg>::entry(
            "Whether the geometries share a point."),
        Member<"overlaps($self, other)", Test<VELMOR_ENGINE(overlaps)>, GeometryArg>::entry(
            "Whether the geometries overlap."),
        Member<"relate($self, other, relation)", Test<VELMOR_ENGINE(relate)>, GeometryArg, TextArg>::entry(
            "Whether the geometries relate as the nine-character DE-9IM pattern of \"TF*012\" says."),
        Member<"touches($self, rhs)", Test<VELMOR_ENGINE(touches)>, GeometryArg>::entry(
            "Whether the geometries touch at their boundaries only."),
        Member<"within($self, rhs)", Test<VELMOR_ENGINE(within)>, GeometryArg>::entry(
            "Whether the geometry lies within rhs."),
        Member<"is_simple($self)", VELMOR_ENGINE_MUST_NOT_FAIL(isSimple, BoolResult)>::entry(
            "Whether the geometry is topologically simple."),
        // Measures
        Member<
            "calculate_area($self, curve_type=None, unit=None)", Custom<calculate_area>, OptionalCurveType,
            AreaUnitCodeArg>::entry("The area as a float: planar in square units of the coordinates without "
                                    "a curve type; geodetic with a "
                                    "GeodeticCurveType, in the AreaUnitId unit (square meters by default)."),
        AreaPlanar::entry("The planar area in square units of the coordinates (float)."),
        Member<"_area_geodetic($self, curve_type, unit)", Custom<area_geodetic>, CurveType,
               AreaUnitObjectArg>::entry("The geodetic area in the AreaUnit (None: the default unit)."),
        Member<"calculate_length($self, curve_type=None, unit=None)", Custom<calculate_length>,
               OptionalCurveType,
               OptionalLinearUnit>::entry("The length as a float: planar in the units of the coordinates "
                                          "without a curve type; geodetic with a "
                                          "GeodeticCurveType, in the LinearUnitId unit (meters by default)."),
        Member<"distance_to($self, other)", Gk<VELMOR_ENGINE(distance), FloatResult>, GeometryArg>::entry(
            "The planar distance to other in the units of the coordinates (float); NaN when either is "
            "empty."),
        // Collections
        Member<"auto_complete(existing_boundaries, new_boundaries)",
               Gk<VELMOR_ENGINE(autoComplete), GeometryListResult>, GeometriesArg,
               GeometriesArg>::entry("Polygons that close the gaps between the boundaries."),
        Member<"buffer_collection(geometries, distances, union_result)",
               Gk<VELMOR_ENGINE(bufferCollection), SingleResult<2>>, GeometriesArg, FloatsArg,
               BoolArg>::entry("Buffers of the geometries; with union_result, their union as one polygon."),
        Member<"combine_extents_collection(geometries)",
               Gk<VELMOR_ENGINE(combineExtentsCollection), EnvelopeResult>,
               GeometriesArg>::entry("The envelope of all extents."),
        Member<"convex_hull_collection(geometries, merge)",
               Gk<VELMOR_ENGINE(convexHullCollection), SingleResult<1>>, GeometriesArg,
               BoolArg>::entry("Convex hulls of the geometries; with merge, one hull of all."),
        Member<"union_collection(geometries)", ToGeometry<VELMOR_ENGINE(unionCollection)>,
               GeometriesArg>::entry("The union of all geometries."),
    };
    return methods;
}

std::span<const PyGetSetDef> geometry_engine_properties() {
    static const std::array properties{
        Property<"area", area_property>::entry(
            "The planar area of a Polygon in the square units of its coordinates (float); None for other "
            "geometries."),
        Property<"length", length_property>::entry("The planar length in the units of its coordinates "
                                                   "(float): a polygon's perimeter, 0 for points."),
        Property<"label_point", label_point_property>::entry("The centre of the extent as a new Point."),
    };
    return properties;
}

}  // namespace velmor::py::engine
