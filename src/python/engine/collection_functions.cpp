// The collection functions of the main module: one row per function, in registration order. Most are
// a loop of one engine function over an iterable; the few that choose a form, fold, or read a label
// position have a body.
#include "engine/collection_functions.hpp"

#include <array>
#include <optional>

#include "engine/loop.hpp"
#include "geometry/point.hpp"
#include "runtime/convert/point_conversion.hpp"
#include "runtime/geometry.hpp"

namespace velmor::py::engine {
namespace {

// Names for rows reused by bodies whose kinds make nothing that could be refused by name.
constexpr const char* unnamed[] = {"", "", "", "", "", ""};

Result<Ref> area_collection(PyObject*, PyObject* geometries, const std::optional<int32_t>& curve_type,
                            const runtime::AreaUnit* unit) {
    if (!curve_type) {
        // The planar form reads the unit's type only.
        return Loop<VELMOR_ENGINE(area), TotalShape, Order::Signature, Text("GK_GeometryEngine_area")>::run<false, ElementsArg>(
            nullptr, {geometries}, unnamed);
    }
    return Loop<VELMOR_ENGINE(areaGeodetic), TotalShape, Order::ElementFirst>::run<false, ElementsArg, AreaUnitObjectArg,
                                                                                    CurveType>(
        nullptr, {geometries, unit, curve_type}, unnamed);
}

// The unit is made once, before the iteration, and released after it.
Result<Ref> densify_collection(PyObject*, PyObject* geometries, double max_segment_length,
                               const std::optional<int32_t>& unit, const std::optional<int32_t>& curve_type) {
    if (unit && curve_type) {
        return Loop<VELMOR_ENGINE(densifyGeodetic), ListShape>::run<false, ElementsArg, FloatArg, LinearUnit, CurveType>(
            nullptr, {geometries, max_segment_length, unit, curve_type}, unnamed);
    }
    if (unit) return fail(raise_error(PyExc_ValueError, "GeodeticCurveType must be provided for geodetic densify"));
    if (curve_type) return fail(raise_error(PyExc_ValueError, "LinearUnitId must be provided for geodetic densify"));
    return Loop<VELMOR_ENGINE(densify), ListShape>::run<false, ElementsArg, FloatArg>(nullptr, {geometries, max_segment_length},
                                                                                   unnamed);
}

// The accumulated geometry starts as the primary and is replaced by each difference in turn.
Result<Ref> difference_geom_minus_collection(PyObject*, PyObject* primary, PyObject* collection) {
    VELMOR_TRY_ASSIGN(runtime::GeometryOwned accumulated, geometry_to_runtime(primary));
    Ref iterator = Ref::steal(PyObject_GetIter(collection));
    if (!iterator) return fail(python_error());
    while (Ref item = Ref::steal(PyIter_Next(iterator.get()))) {
        VELMOR_TRY_ASSIGN(runtime::GeometryOwned element, geometry_to_runtime(item.get()));
        auto difference =
            runtime::invoke(runtime::functions().GeometryEngine_difference, accumulated.get(), element.get());
        if (!difference) return fail(runtime::to_native_error(difference.error()));
        accumulated = runtime::GeometryOwned::take(*difference);
    }
    if (PyErr_Occurred()) return fail(python_error());
    return geometry_from_runtime(std::move(accumulated));
}

// Polygons get the engine's label point, every other geometry the centre of its extent.
Result<Ref> label_point_collection(PyObject*, PyObject* geometries) {
    Ref iterator = Ref::steal(PyObject_GetIter(geometries));
    if (!iterator) return fail(python_error());
    std::vector<runtime::Point> points;
    while (Ref item = Ref::steal(PyIter_Next(iterator.get()))) {
        VELMOR_TRY_ASSIGN(runtime::GeometryOwned element, geometry_to_runtime(item.get()));
        if (runtime::object_type(element.get()) == runtime::polygon_type) {
            auto label = runtime::invoke(runtime::functions().GeometryEngine_labelPoint, element.get());
            if (!label) return fail(runtime::to_native_error(label.error()));
            points.push_back(runtime::Point::take(*label));
        } else {
            points.push_back(runtime::envelope_center(runtime::extent(element.get())));
        }
    }
    if (PyErr_Occurred()) return fail(python_error());
    Ref list = Ref::steal(PyList_New(static_cast<Py_ssize_t>(points.size())));
    if (!list) return fail(python_error());
    for (std::size_t i = 0; i < points.size(); ++i) {
        VELMOR_TRY_ASSIGN(Ref point, new_point(runtime::convert::point_from_runtime(points[i])));
        PyList_SET_ITEM(list.get(), static_cast<Py_ssize_t>(i), point.release());
    }
    return list;
}

// One runtime call for the whole collection; omitted or None curve type means GreatElliptic.
Result<Ref> buffer_collection(PyObject*, Names names, PyObject* geometries, PyObject* distances, bool union_result,
                              const std::optional<int32_t>& unit, double max_deviation,
                              const std::optional<int32_t>& curve_type) {
    constexpr int32_t great_elliptic = 2;
    if (unit) {
        const char* const reordered[] = {names[0], names[1], names[3], names[4], names[5], names[2]};
        return Gk<VELMOR_ENGINE(bufferGeodeticCollection), GeometryListResult>::run<false, GeometriesArg, FloatsArg, LinearUnit,
                                                                                 FloatArg, CurveType, BoolArg>(
            nullptr, {geometries, distances, unit, max_deviation, curve_type.value_or(great_elliptic), union_result},
            reordered);
    }
    return Gk<VELMOR_ENGINE(bufferCollection), GeometryListResult>::run<false, GeometriesArg, FloatsArg, BoolArg>(
        nullptr, {geometries, distances, union_result}, names);
}

template <auto Operation>
using Each = Loop<Operation, ListShape>;

}  // namespace

std::span<PyMethodDef* const> collection_functions() {
    static const std::array functions{
        Member<"area_collection(geometries, curve_type=None, unit=None)", Custom<area_collection>, ElementsArg,
               OptionalCurveType, AreaUnitObjectArg>::module_entry(
            "The sum of the areas: planar without a curve type, geodetic with one (in the AreaUnit)."),
        Member<"boundary_collection(geometries)", Each<VELMOR_ENGINE(boundary)>, ElementsArg>::module_entry(
            "The boundary of each geometry."),
        Member<"buffer_collection(geometries, distances, union_result=False, distance_unit=None, max_deviation=0.0, "
               "curve_type=...)",
               Custom<buffer_collection>, GeometriesArg, FloatsArg, BoolArg, OptionalLinearUnit, FloatArg,
               OptionalCurveType>::module_entry(
            "Buffer polygons of the geometries, the last distance serving the remaining geometries; geodetic with "
            "a distance unit. With union_result, a list of the one union polygon."),
        Member<"clip_collection(geometries, envelope)", Each<VELMOR_ENGINE(clip)>, ElementsArg, EnvelopeArg>::module_entry(
            "Each geometry clipped to the envelope."),
        Member<"contains_collection(container, geometries)", Loop<VELMOR_ENGINE(contains), AllShape>, GeometryArg,
               ElementsArg>::module_entry("Whether the container contains every geometry."),
        Member<"crosses_collection(primary, collection)", Loop<VELMOR_ENGINE(crosses), AnyShape>, GeometryArg,
               ElementsArg>::module_entry("Whether the primary crosses any geometry."),
        Member<"cut_collection(geometries, cutter)", Loop<VELMOR_ENGINE(cut), FlatListShape>, ElementsArg,
               PolylineArg>::module_entry("The pieces of every geometry cut by the polyline, in one list."),
        Member<"densify_collection(geometries, max_segment_length, unit, curve_type)", Custom<densify_collection>,
               ElementsArg, FloatArg, OptionalLinearUnit, OptionalCurveType>::module_entry(
            "Each geometry densified: planar, or geodetic with a unit and a curve type."),
        Member<"difference_collection_minus_geom(collection, rhs)", Each<VELMOR_ENGINE(difference)>, ElementsArg,
               GeometryArg>::module_entry("Each geometry without rhs."),
        Member<"difference_geom_minus_collection(primary, collection)", Custom<difference_geom_minus_collection>,
               GeometryArg, ElementsArg>::module_entry("The primary without every geometry of the collection."),
        Member<"disjoint_from_collection(primary, collection)", Loop<VELMOR_ENGINE(disjoint), AllShape>, GeometryArg,
               ElementsArg>::module_entry("Whether the primary is disjoint from every geometry."),
        Member<"distances_from_collection(primary, collection)", Loop<VELMOR_ENGINE(distance), FloatListShape>,
               GeometryArg, ElementsArg>::module_entry("The planar distance from the primary to each geometry."),
        Member<"generalize_collection(geometries, max_deviation, remove_degenerate_parts)",
               Each<VELMOR_ENGINE(generalize)>, ElementsArg, FloatArg, BoolArg>::module_entry("Each geometry generalized."),
        Member<"intersection_collection(primary, geometries)", Each<VELMOR_ENGINE(intersection)>, GeometryArg,
               ElementsArg>::module_entry("The intersection of the primary with each geometry."),
        Member<"intersections_collection(primary, geometries)", Loop<VELMOR_ENGINE(intersections), FlatListShape>,
               GeometryArg, ElementsArg>::module_entry("The intersections of the primary with every geometry, in one list."),
        Member<"intersects_collection(primary, collection)", Loop<VELMOR_ENGINE(intersects), AnyShape, Order::ElementFirst>,
               GeometryArg, ElementsArg>::module_entry("Whether any geometry intersects the primary."),
        Member<"is_simple_collection(geometries)",
               Loop<VELMOR_ENGINE(isSimple), BoolListShape, Order::Signature, Text("GK_GeometryEngine_isSimple")>,
               ElementsArg>::module_entry("Whether each geometry is simple."),
        Member<"label_point_collection(geometries)", Custom<label_point_collection>, ElementsArg>::module_entry(
            "A label point per geometry: the engine's for polygons, the extent's centre otherwise."),
        Member<"length_collection(geometries)",
               Loop<VELMOR_ENGINE(length), TotalShape, Order::Signature, Text("GK_GeometryEngine_length")>,
               ElementsArg>::module_entry("The sum of the planar lengths."),
        Member<"move_relative_collection(geometries, delta_x, delta_y)", Each<VELMOR_ENGINE(move)>, ElementsArg, FloatArg,
               FloatArg>::module_entry("Each geometry moved by the offsets."),
        Member<"normalize_central_meridian_collection(geometries)",
               Loop<VELMOR_ENGINE(normalizeCentralMeridian), ListShape, Order::Signature,
                    Text("GK_GeometryEngine_normalizeCentralMeridian")>,
               ElementsArg>::module_entry("Each geometry folded into the range of its central meridian."),
        Member<"overlaps_collection(primary, collection)", Loop<VELMOR_ENGINE(overlaps), AnyShape>, GeometryArg,
               ElementsArg>::module_entry("Whether the primary overlaps any geometry."),
        Member<"remove_m_collection(geometries)",
               Loop<VELMOR_ENGINE(removeM), ListShape, Order::Signature, Text("GK_GeometryEngine_removeM")>,
               ElementsArg>::module_entry("Each geometry without m."),
        Member<"remove_z_and_m_collection(geometries)",
               Loop<VELMOR_ENGINE(removeZAndM), ListShape, Order::Signature, Text("GK_GeometryEngine_removeZAndM")>,
               ElementsArg>::module_entry("Each geometry without z and m."),
        Member<"remove_z_collection(geometries)",
               Loop<VELMOR_ENGINE(removeZ), ListShape, Order::Signature, Text("GK_GeometryEngine_removeZ")>,
               ElementsArg>::module_entry("Each geometry without z."),
        Member<"rotate_collection(geometries, angle, origin)", Each<VELMOR_ENGINE(rotate)>, ElementsArg, FloatArg,
               OptionalPointArg>::module_entry("Each geometry rotated about origin (None: its extent's centre)."),
        Member<"scale_collection(geometries, scale_x, scale_y, origin)", Each<VELMOR_ENGINE(scale)>, ElementsArg, FloatArg,
               FloatArg, OptionalPointArg>::module_entry("Each geometry scaled about origin (None: its extent's centre)."),
        Member<"set_m_collection(m, geometries)", Loop<VELMOR_ENGINE(setM), ListShape, Order::ElementFirst>, FloatArg,
               ElementsArg>::module_entry("Each geometry with every m set."),
        Member<"set_z_and_m_collection(z, m, geometries)", Loop<VELMOR_ENGINE(setZAndM), ListShape, Order::ElementFirst>,
               FloatArg, FloatArg, ElementsArg>::module_entry("Each geometry with every z and m set."),
        Member<"set_z_collection(z, geometries)", Loop<VELMOR_ENGINE(setZ), ListShape, Order::ElementFirst>, FloatArg,
               ElementsArg>::module_entry("Each geometry with every z set."),
        Member<"simplify_collection(geometries)", Each<VELMOR_ENGINE(simplify)>, ElementsArg>::module_entry(
            "Each geometry made topologically simple."),
        Member<"touches_collection(primary, collection)", Loop<VELMOR_ENGINE(touches), AnyShape>, GeometryArg,
               ElementsArg>::module_entry("Whether the primary touches any geometry."),
        Member<"within_collection(container, geometries)", Loop<VELMOR_ENGINE(within), AllShape>, GeometryArg,
               ElementsArg>::module_entry("Whether the container lies within every geometry."),
    };
    return functions;
}

}  // namespace velmor::py::engine
