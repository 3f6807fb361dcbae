// Spatial relationships: the OGC DE-9IM predicates as GEOS computes them, on the inputs' x and y, each
// input densified at its own chord deviation. Empty inputs relate to nothing (only disjoint is true,
// and equals of two empty inputs), and inputs whose extents do not meet are answered without asking GEOS.
// Two areas or two lines are answered by the early layer (early_relate.hpp) wherever its exact tests
// settle the question, which spares GEOS's full relate its noding of both geometries.
#include <cstring>
#include <string>
#include <string_view>

#include "engine/area_points.hpp"
#include "engine/early_relate.hpp"
#include "engine/engine_inputs.hpp"
#include "engine/geos_cache.hpp"
#include "engine/geos_conversion.hpp"
#include "engine/relation_predicates.hpp"
#include "report.hpp"

using namespace geokern;
using namespace geokern::engine;

namespace {

// The same question with the two inputs swapped: a contains b exactly when b lies within a, and the
// other predicates are symmetric.
Predicate converse(Predicate predicate) {
    switch (predicate) {
        case Predicate::contains: return Predicate::within;
        case Predicate::within: return Predicate::contains;
        default: return predicate;
    }
}

bool prepared_test(Predicate predicate, const GEOSPreparedGeometry* a, const GEOSGeometry* b) {
    GEOSContextHandle_t context = geos();
    switch (predicate) {
        case Predicate::contains: return checked(GEOSPreparedContains_r(context, a, b), "contains");
        case Predicate::crosses: return checked(GEOSPreparedCrosses_r(context, a, b), "crosses");
        case Predicate::disjoint: return checked(GEOSPreparedDisjoint_r(context, a, b), "disjoint");
        case Predicate::intersects: return checked(GEOSPreparedIntersects_r(context, a, b), "intersects");
        case Predicate::overlaps: return checked(GEOSPreparedOverlaps_r(context, a, b), "overlaps");
        case Predicate::touches: return checked(GEOSPreparedTouches_r(context, a, b), "touches");
        case Predicate::within: return checked(GEOSPreparedWithin_r(context, a, b), "within");
        case Predicate::equals: break;
    }
    fail(GK_ERROR_INTERNAL, "internal error.", "no prepared form of this relation.");
}

// Two empty point sets are equal, whatever the types that hold them.
bool both_empty(const GeometryValue& a, const GeometryValue& b) { return is_empty(a) && is_empty(b); }

bool meet(const EnvelopeData& a, const EnvelopeData& b) {
    return !a.empty() && !b.empty() && a.xmin <= b.xmax && b.xmin <= a.xmax && a.ymin <= b.ymax && b.ymin <= a.ymax;
}

bool any_first_vertex(const PolygonRings& of, const PolygonRings& in,
                      bool (*covered)(const PolygonRings&, double, double)) {
    for (const LinearPart& ring : of.rings) {
        if (covered(in, ring.xs[0], ring.ys[0])) return true;
    }
    return false;
}

// Whether two areas meet by the first two tests of GEOS's prepared intersects (its prepared side
// being the larger): a first vertex of a ring of the smaller area in the larger area, read even-odd
// over all its rings, or one of the larger area in the smaller, read polygon by polygon. Either is a
// yes from GEOS, found here by one pass over the rings instead of the indexes GEOS builds for them;
// only when both fail does the test need GEOS (its third test: edges that cross).
bool areas_touch(const GeosForm& larger, const GeosForm& smaller) {
    const PolygonRings* large = larger.areas();
    const PolygonRings* small = smaller.areas();
    if (large == nullptr || small == nullptr) return false;
    return any_first_vertex(*small, *large, covered_even_odd) || any_first_vertex(*large, *small, covered_by_polygons);
}

MatrixQuestion matrix_question(Predicate predicate) {
    return [predicate](const MatrixBounds& matrix, int dimension_a, int dimension_b) {
        return predicate_of(predicate, matrix, dimension_a, dimension_b);
    };
}

GK_Bool relation(Predicate predicate, GK_GeometryHandle geometry1, GK_GeometryHandle geometry2, GK_EH) {
    return guarded<GK_Bool>(handler, [&] {
        const GeometryValue& a = value_of(geometry1);
        const GeometryValue& b = value_of(geometry2);
        joint_spatial_reference(a, b);
        const auto form_a = geos_form(a), form_b = geos_form(b);
        if (!meet(form_a->extent(), form_b->extent())) {
            return GK_Bool{predicate == Predicate::disjoint || (predicate == Predicate::equals && both_empty(a, b))};
        }
        // The larger side answers through its prepared (indexed) form. GEOS's prepared tests skip the
        // full intersection matrix wherever they can, which pays even for small geometries, and the
        // cache keeps the prepared form of a geometry tested again and again.
        const bool a_larger = form_a->vertex_count() >= form_b->vertex_count();
        const GeosForm& larger = a_larger ? *form_a : *form_b;
        const GeosForm& smaller = a_larger ? *form_b : *form_a;
        // A geometry tested once goes without the index; one tested again gets it, whose point tests
        // no longer pass over every ring.
        const bool one_off = !larger.asked_before();
        const bool meeting_test = predicate == Predicate::intersects || predicate == Predicate::disjoint;
        if (one_off && meeting_test && areas_touch(larger, smaller)) return GK_Bool{predicate == Predicate::intersects};
        // The early layer answers what GEOS would answer by its full relate, and whether a geometry
        // tested once meets the other (building GEOS's index costs more than sweeping the edges once;
        // once built, the index answers sooner).
        if (one_off || !meeting_test) {
            if (const auto early = early_answer(*form_a, *form_b, matrix_question(predicate))) return GK_Bool{*early};
        }
        if (predicate == Predicate::equals) {
            return GK_Bool{checked(GEOSEquals_r(geos(), form_a->geometry(), form_b->geometry()), "equals")};
        }
        return GK_Bool{
            prepared_test(a_larger ? predicate : converse(predicate), larger.prepare(), smaller.geometry())};
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
        const auto form_a = geos_form(a), form_b = geos_form(b);
        const std::string_view pattern(relation);
        const MatrixQuestion question = [pattern](const MatrixBounds& matrix, int, int) { return matrix.matches(pattern); };
        if (const auto early = early_answer(*form_a, *form_b, question)) return GK_Bool{*early};
        return GK_Bool{checked(GEOSRelatePattern_r(geos(), form_a->geometry(), form_b->geometry(), relation),
                               "relate")};
    });
}
