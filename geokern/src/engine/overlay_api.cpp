// Set operations on GEOS's overlay: the inputs' curves go to GEOS as chords and come back as curves
// where the result's boundary is theirs (curve_restoration.hpp). Envelopes count as their rectangles.
//
// Result types: intersection has the lower dimension of its inputs (a point when either input is a
// point, as the result lies within it), intersections one result per dimension present, ascending;
// union, symmetric difference and the union of a collection need inputs of one dimension and give
// that dimension's type (points give a multipoint), where an empty input has no dimension and adds
// nothing; difference has the type of its first input, and a second input of lower dimension leaves it
// as it is. The union of an empty collection is refused: it
// has no type and no spatial reference to give.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "engine/engine_collections.hpp"
#include "engine/engine_inputs.hpp"
#include "engine/overlay.hpp"
#include "report.hpp"

using namespace geokern;
using namespace geokern::engine;

namespace {

enum class SetOperation { intersection, union_of, difference, symmetric_difference };

GeosGeometry overlay(SetOperation operation, const OverlayInputs& inputs) {
    GeosGeometry a = inputs.geos_of(0), b = inputs.geos_of(1);
    GEOSContextHandle_t context = geos();
    switch (operation) {
        case SetOperation::intersection: return checked(GEOSIntersection_r(context, a.get(), b.get()), "intersection");
        case SetOperation::union_of: return checked(GEOSUnion_r(context, a.get(), b.get()), "union");
        case SetOperation::difference: return checked(GEOSDifference_r(context, a.get(), b.get()), "difference");
        case SetOperation::symmetric_difference:
            return checked(GEOSSymDifference_r(context, a.get(), b.get()), "symmetric difference");
    }
    return nullptr;
}

OverlayInputs pair_of(GK_GeometryHandle geometry1, GK_GeometryHandle geometry2) {
    return OverlayInputs({value_of(geometry1), value_of(geometry2)});
}

int dimension_at(const OverlayInputs& inputs, size_t index) { return dimension_of_type(inputs[index].type); }

// The input whose dimension a union or symmetric difference gives: the first that is not empty. An
// empty input has no dimension and takes no part in the one-dimension rule, so union(a, empty) is a
// whatever type the empty one has; of inputs that are all empty the highest dimension counts, as GEOS
// gives the empty result of that type.
size_t leading_input(const OverlayInputs& inputs) {
    size_t lead = 0;
    for (size_t i = 0; i < inputs.size(); ++i) {
        if (!is_empty(inputs[i])) return i;
        if (dimension_at(inputs, i) > dimension_at(inputs, lead)) lead = i;
    }
    return lead;
}

// The first input that is not empty and of another dimension than the leading one.
std::optional<size_t> input_of_other_dimension(const OverlayInputs& inputs, size_t lead) {
    for (size_t i = 0; i < inputs.size(); ++i) {
        if (!is_empty(inputs[i]) && dimension_at(inputs, i) != dimension_at(inputs, lead)) return i;
    }
    return std::nullopt;
}

// The dimension of the result; inputs of different dimensions are refused.
int one_dimension(const OverlayInputs& inputs, const char* operation) {
    const size_t lead = leading_input(inputs);
    if (input_of_other_dimension(inputs, lead)) {
        refuse(std::string(operation) + " needs geometries of one dimension: got " +
               geometry_type_name(inputs[0].type) + " and " + geometry_type_name(inputs[1].type) + ".");
    }
    return dimension_at(inputs, lead);
}

bool apart(const OverlayInputs& inputs) {
    return is_empty(inputs[0]) || is_empty(inputs[1]) || !extents_meet(inputs[0], inputs[1]);
}

GK_GeometryType intersection_type(const OverlayInputs& inputs) {
    const int dimension = std::min(dimension_at(inputs, 0), dimension_at(inputs, 1));
    if (dimension == 0 && (inputs[0].type == geometry_type_point || inputs[1].type == geometry_type_point)) {
        return geometry_type_point;
    }
    return type_of_dimension(dimension);
}

GK_GeometryHandle same_dimension_operation(SetOperation operation, const char* name, GK_GeometryHandle geometry1,
                                           GK_GeometryHandle geometry2) {
    const OverlayInputs inputs = pair_of(geometry1, geometry2);
    const GK_GeometryType type = type_of_dimension(one_dimension(inputs, name));
    // An empty input adds and takes away nothing; GEOS is not asked (GEOS 3.11 crashes locating an
    // empty point in a polygon).
    if (is_empty(inputs[0]) || is_empty(inputs[1])) {
        GeosGeometry other = inputs.geos_of(is_empty(inputs[0]) ? 1 : 0);
        return new_geometry(inputs.result(other.get(), type));
    }
    GeosGeometry result = overlay(operation, inputs);
    return new_geometry(inputs.result(result.get(), type));
}

}  // namespace

GK_GeometryHandle GK_GeometryEngine_intersection(GK_GeometryHandle geometry1, GK_GeometryHandle geometry2, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        const OverlayInputs inputs = pair_of(geometry1, geometry2);
        const GK_GeometryType type = intersection_type(inputs);
        if (apart(inputs)) return new_geometry(inputs.empty_result(type));
        GeosGeometry result = overlay(SetOperation::intersection, inputs);
        return new_geometry(inputs.result(result.get(), type));
    });
}

GK_ArrayHandle GK_GeometryEngine_intersections(GK_GeometryHandle geometry1, GK_GeometryHandle geometry2, GK_EH) {
    return guarded<GK_ArrayHandle>(handler, [&] {
        const OverlayInputs inputs = pair_of(geometry1, geometry2);
        std::vector<GeometryValue> pieces;
        if (!apart(inputs)) {
            GeosGeometry result = overlay(SetOperation::intersection, inputs);
            const int highest = std::min(dimension_at(inputs, 0), dimension_at(inputs, 1));
            for (int dimension = 0; dimension <= highest; ++dimension) {
                GeometryValue piece = inputs.result(result.get(), type_of_dimension(dimension));
                if (!is_empty(piece)) pieces.push_back(std::move(piece));
            }
        }
        return geometry_array(std::move(pieces));
    });
}

GK_GeometryHandle GK_GeometryEngine_union(GK_GeometryHandle geometry1, GK_GeometryHandle geometry2, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        return same_dimension_operation(SetOperation::union_of, "union", geometry1, geometry2);
    });
}

GK_GeometryHandle GK_GeometryEngine_symmetricDifference(GK_GeometryHandle geometry1, GK_GeometryHandle geometry2,
                                                        GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        return same_dimension_operation(SetOperation::symmetric_difference, "symmetric difference", geometry1,
                                        geometry2);
    });
}

GK_GeometryHandle GK_GeometryEngine_difference(GK_GeometryHandle geometry1, GK_GeometryHandle geometry2, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        const OverlayInputs inputs = pair_of(geometry1, geometry2);
        const GeometryValue& first = inputs[0];
        if (dimension_at(inputs, 1) < dimension_at(inputs, 0) || apart(inputs)) {
            GeometryValue unchanged = first;
            unchanged.spatial_reference = inputs.spatial_reference();
            return new_geometry(std::move(unchanged));
        }
        GeosGeometry result = overlay(SetOperation::difference, inputs);
        return new_geometry(inputs.result(result.get(), first.type, first.has_z, first.has_m));
    });
}

GK_GeometryHandle GK_GeometryEngine_unionCollection(GK_VectorHandle geometries, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        std::vector<GeometryValue> values;
        for (const auto& geometry : geometries_of(geometries)) values.push_back(*geometry);
        if (values.empty()) refuse("the union of a collection needs at least one geometry: the vector is empty.");
        const OverlayInputs inputs(std::move(values));
        const size_t lead = leading_input(inputs);
        if (const auto other = input_of_other_dimension(inputs, lead)) {
            refuse("the union of a collection needs geometries of one dimension: geometry " + std::to_string(lead + 1) +
                   " is a " + geometry_type_name(inputs[lead].type) + " and geometry " + std::to_string(*other + 1) +
                   " a " + geometry_type_name(inputs[*other].type) + ".");
        }
        const int dimension = dimension_at(inputs, lead);
        std::vector<GeosGeometry> members;
        members.reserve(inputs.size());
        // Empty members add nothing, and GEOS 3.11 crashes locating an empty point in a polygon.
        for (size_t i = 0; i < inputs.size(); ++i) {
            if (!is_empty(inputs[i])) members.push_back(inputs.geos_of(i));
        }
        GeosGeometry all = geos_collection(std::move(members));
        GeosGeometry result = checked(GEOSUnaryUnion_r(geos(), all.get()), "union of a collection");
        return new_geometry(inputs.result(result.get(), type_of_dimension(dimension)));
    });
}
