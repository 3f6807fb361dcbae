// Spatial relationships: the OGC DE-9IM predicates as GEOS computes them, on the inputs' x and y.
// Empty inputs relate to nothing (only disjoint is true), and inputs whose extents do not meet are
// answered without GEOS.
#include <cstring>
#include <memory>
#include <string>

#include "engine/engine_inputs.hpp"
#include "engine/geos_conversion.hpp"
#include "report.hpp"

using namespace geokern;
using namespace geokern::engine;

namespace {

bool without_length(const PartValue& part) {
    if (part.has_curves()) return false;
    for (int64_t i = 1; i < part.point_count(); ++i) {
        if (part.xs[i] != part.xs[0] || part.ys[i] != part.ys[0]) return false;
    }
    return true;
}

// GEOS 3.11 relates a line without length as if it were empty; it is a point (as later GEOS versions
// have it), so a polyline whose every part has no length goes to GEOS as the multipoint of those points.
GeosGeometry relation_form(const GeometryValue& geometry, double deviation) {
    if (geometry.type != geometry_type_polyline || is_empty(geometry)) return to_geos(geometry, deviation);
    auto points = std::make_shared<PartValue>();
    for (const auto& part : geometry.parts) {
        if (part->empty()) continue;
        if (!without_length(*part)) return to_geos(geometry, deviation);
        points->xs.push_back(part->xs[0]);
        points->ys.push_back(part->ys[0]);
    }
    GeometryValue multipoint;
    multipoint.type = geometry_type_multipoint;
    multipoint.points = std::move(points);
    return to_geos(multipoint, deviation);
}

enum class Predicate { contains, crosses, disjoint, equals, intersects, overlaps, touches, within };

bool geos_test(Predicate predicate, const GEOSGeometry* a, const GEOSGeometry* b) {
    GEOSContextHandle_t context = geos();
    switch (predicate) {
        case Predicate::contains: return checked(GEOSContains_r(context, a, b), "contains");
        case Predicate::crosses: return checked(GEOSCrosses_r(context, a, b), "crosses");
        case Predicate::disjoint: return checked(GEOSDisjoint_r(context, a, b), "disjoint");
        case Predicate::equals: return checked(GEOSEquals_r(context, a, b), "equals");
        case Predicate::intersects: return checked(GEOSIntersects_r(context, a, b), "intersects");
        case Predicate::overlaps: return checked(GEOSOverlaps_r(context, a, b), "overlaps");
        case Predicate::touches: return checked(GEOSTouches_r(context, a, b), "touches");
        case Predicate::within: return checked(GEOSWithin_r(context, a, b), "within");
    }
    return false;
}

GK_Bool relation(Predicate predicate, GK_GeometryHandle geometry1, GK_GeometryHandle geometry2, GK_EH) {
    return guarded<GK_Bool>(handler, [&] {
        const GeometryValue& a = value_of(geometry1);
        const GeometryValue& b = value_of(geometry2);
        joint_spatial_reference(a, b);
        if (is_empty(a) || is_empty(b) || !extents_meet(a, b)) return GK_Bool{predicate == Predicate::disjoint};
        const double deviation = chord_deviation(a, b);
        GeosGeometry ga = relation_form(a, deviation), gb = relation_form(b, deviation);
        return GK_Bool{geos_test(predicate, ga.get(), gb.get())};
    });
}

void check_pattern(const char* relation) {
    const std::string pattern = relation == nullptr ? std::string() : std::string(relation);
    const bool valid =
        pattern.size() == 9 && pattern.find_first_not_of("TF*012") == std::string::npos;
    if (!valid) {
        refuse("relation pattern must be 9 characters of T, F, *, 0, 1, 2: got \"" + pattern + "\".");
    }
}

}  // namespace

#define GEOKERN_RELATION(name)                                                                   \
    GK_Bool GK_GeometryEngine_##name(GK_GeometryHandle geometry1, GK_GeometryHandle geometry2, GK_EH) { \
        return relation(Predicate::name, geometry1, geometry2, handler);                         \
    }

GEOKERN_RELATION(contains)
GEOKERN_RELATION(crosses)
GEOKERN_RELATION(disjoint)
GEOKERN_RELATION(equals)
GEOKERN_RELATION(intersects)
GEOKERN_RELATION(overlaps)
GEOKERN_RELATION(touches)
GEOKERN_RELATION(within)

// The DE-9IM matrix of the two inputs matched against a pattern of T, F, *, 0, 1 and 2. Empty inputs
// have the matrix of empty sets: F everywhere except exterior against exterior.
GK_Bool GK_GeometryEngine_relate(GK_GeometryHandle geometry1, GK_GeometryHandle geometry2, const char* relation,
                                 GK_EH) {
    return guarded<GK_Bool>(handler, [&] {
        check_pattern(relation);
        const GeometryValue& a = value_of(geometry1);
        const GeometryValue& b = value_of(geometry2);
        joint_spatial_reference(a, b);
        const double deviation = chord_deviation(a, b);
        GeosGeometry ga = relation_form(a, deviation), gb = relation_form(b, deviation);
        return GK_Bool{checked(GEOSRelatePattern_r(geos(), ga.get(), gb.get(), relation), "relate")};
    });
}
