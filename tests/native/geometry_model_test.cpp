#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/multipoint.hpp"
#include "core/ovrajson_writer.hpp"
#include "core/polygon.hpp"
#include "core/polyline.hpp"
#include "native_model_helpers.hpp"

using velmor::core::BezierCurve;
using velmor::core::CircularArc;
using velmor::core::Coord;
using velmor::core::CurveData;
using velmor::core::Dims;
using velmor::core::Linear;
using velmor::core::Multipoint;
using velmor::core::Polygon;
using velmor::core::Polyline;
using velmor::core::SharedCurveMultipart;
using velmor::core::SharedCurvePart;
using velmor::core::SharedMultipart;
using velmor::core::SharedPart;
using velmor::core::write_ovrajson;
using velmor::test::internal_failure_of;
using velmor::test::poison;

namespace {

SharedPart part_with(Dims dims, std::size_t vertices) {
    SharedPart part = SharedPart::make(dims);
    for (std::size_t i = 0; i < vertices; ++i) part.lock()->push(Coord::xy(double(i), double(i % 2)));
    return part;
}

SharedCurvePart curve_part_with(Dims dims, std::initializer_list<CurveData> curves) {
    SharedCurvePart part = SharedCurvePart::make(dims);
    double x = 0;
    for (const CurveData& curve : curves) EXPECT_TRUE(part.lock()->push(Coord::xy(x++, 0), curve));
    return part;
}

const std::string kRingPrefix = "Ring must have sufficient data to enclose an area: ";

TEST(Polygon, RingsPushedOnTheirOwnMustEncloseAnArea) {
    struct Case {
        const char* name;
        std::function<velmor::core::Result<void>(Polygon&)> push;
        std::string refusal;  // empty: accepted
    } cases[] = {
        {"linear ring of 2", [](Polygon& p) { return p.push_ring(part_with(Dims::XY, 2)); },
         kRingPrefix + "Linear ring requires len >= 3, but got: 2"},
        {"linear ring of 0", [](Polygon& p) { return p.push_ring(part_with(Dims::XY, 0)); },
         kRingPrefix + "Linear ring requires len >= 3, but got: 0"},
        {"unclosed linear ring of 3", [](Polygon& p) { return p.push_ring(part_with(Dims::XY, 3)); }, ""},
        {"curve ring of 1",
         [](Polygon& p) { return p.push_curve_ring(curve_part_with(Dims::XY, {Linear{}})); },
         kRingPrefix + "Curved ring requires at least 2 vertices, but got: 1"},
        {"straight curve ring of 2",
         [](Polygon& p) { return p.push_curve_ring(curve_part_with(Dims::XY, {Linear{}, Linear{}})); },
         kRingPrefix +
             "Curved ring with only two vertices requires a curved segment in order to enclose an area"},
        {"arc ring of 2",
         [](Polygon& p) {
             return p.push_curve_ring(curve_part_with(Dims::XY, {Linear{}, CircularArc{1, 1}}));
         },
         ""},
        {"straight curve ring of 3",
         [](Polygon& p) {
             return p.push_curve_ring(curve_part_with(Dims::XY, {Linear{}, Linear{}, Linear{}}));
         },
         ""},
        // Ring checks come first, then the dimensionality.
        {"XYZ ring of 3 into XY", [](Polygon& p) { return p.push_ring(part_with(Dims::XYZ, 3)); },
         "Mismatching dimensions, expected 'XY' but got 'XYZ'"},
        {"XYZ ring of 2 into XY", [](Polygon& p) { return p.push_ring(part_with(Dims::XYZ, 2)); },
         kRingPrefix + "Linear ring requires len >= 3, but got: 2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Polygon polygon(Dims::XY);
        const auto result = c.push(polygon);
        if (c.refusal.empty()) {
            EXPECT_TRUE(result);
            EXPECT_FALSE(polygon.is_empty());
        } else {
            ASSERT_FALSE(result);
            EXPECT_EQ(result.error().display(), c.refusal);
            EXPECT_TRUE(polygon.is_empty());
            EXPECT_EQ(write_ovrajson(polygon), "{\"rings\": []}");
        }
    }
}

TEST(Polygon, WholeContainersAreTakenWithoutRingChecks) {
    Polygon polygon(Dims::XY);
    const SharedMultipart rings = SharedMultipart::make(Dims::XY);
    ASSERT_TRUE(rings.lock()->push(part_with(Dims::XY, 1)));
    ASSERT_TRUE(polygon.set_rings(rings));
    EXPECT_TRUE(polygon.rings().same_value(rings));
    EXPECT_EQ(write_ovrajson(polygon), "{\"rings\": [[[0, 0]]]}");
}

TEST(Polygon, BuildValidatesEveryRing) {
    const auto built =
        Polygon::build(Dims::XY, {part_with(Dims::XY, 3), part_with(Dims::XY, 2)}, {}, std::nullopt);
    ASSERT_FALSE(built);
    EXPECT_EQ(built.error().display(), kRingPrefix + "Linear ring requires len >= 3, but got: 2");
}

TEST(Polyline, ReplacingContainersChecksTheDimensionality) {
    Polyline polyline(Dims::XYZ);
    const SharedMultipart before = polyline.paths();
    const auto refused = polyline.set_paths(SharedMultipart::make(Dims::XY));
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().display(), "Mismatching dimensions, expected 'XYZ' but got 'XY'");
    EXPECT_TRUE(polyline.paths().same_value(before));
    const auto curve_refused = polyline.set_curve_paths(SharedCurveMultipart::make(Dims::XYZM));
    ASSERT_FALSE(curve_refused);
    EXPECT_EQ(curve_refused.error().display(), "Mismatching dimensions, expected 'XYZ' but got 'XYZM'");

    const SharedMultipart replacement = SharedMultipart::make(Dims::XYZ);
    ASSERT_TRUE(polyline.set_paths(replacement));
    EXPECT_TRUE(polyline.paths().same_value(replacement));
    // The old container lives on only in our handle.
    EXPECT_EQ(before.holders(), 1);
    EXPECT_EQ(polyline.dims(), Dims::XYZ);
    EXPECT_TRUE(polyline.has_z());
    EXPECT_FALSE(polyline.has_m());
}

TEST(Polyline, IsEmptyOnlyWithoutStraightAndCurvedParts) {
    Polyline polyline(Dims::XY);
    EXPECT_TRUE(polyline.is_empty());
    ASSERT_TRUE(polyline.push_curve_path(curve_part_with(Dims::XY, {Linear{}, CircularArc{1, 1}})));
    EXPECT_FALSE(polyline.is_empty());
    // An empty part still counts as a part.
    Polyline other(Dims::XY);
    ASSERT_TRUE(other.push_path(part_with(Dims::XY, 0)));
    EXPECT_FALSE(other.is_empty());
}

TEST(Polyline, PartsAreSharedWithTheirViews) {
    const SharedPart path = part_with(Dims::XY, 1);
    auto built = Polyline::build(Dims::XY, {path}, {}, std::nullopt);
    ASSERT_TRUE(built);
    Polyline& polyline = *built;
    // A view of the container and a view of the part, as Python would hold them.
    const SharedMultipart paths_view = polyline.paths();
    const SharedPart part_view = *paths_view.lock()->get(0);
    part_view.lock()->push(Coord::xy(5, 5));
    EXPECT_EQ(write_ovrajson(polyline), "{\"paths\": [[[0, 0], [5, 5]]]}");
    ASSERT_TRUE(paths_view.lock()->push(part_with(Dims::XY, 0)));
    EXPECT_EQ(write_ovrajson(polyline), "{\"paths\": [[[0, 0], [5, 5]], []]}");
    EXPECT_EQ(path.lock()->size(), 2U);
}

TEST(Multipoint, ReplacingThePointsChecksTheDimensionality) {
    Multipoint multipoint(Dims::XYM);
    EXPECT_TRUE(multipoint.is_empty());
    EXPECT_TRUE(multipoint.has_m());
    const auto refused = multipoint.set_points(part_with(Dims::XY, 2));
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().display(), "Mismatching dimensions, expected 'XYM' but got 'XY'");
    EXPECT_TRUE(multipoint.is_empty());
    ASSERT_TRUE(multipoint.set_points(part_with(Dims::XYM, 2)));
    EXPECT_FALSE(multipoint.is_empty());
    EXPECT_EQ(write_ovrajson(multipoint), "{\"hasM\": true, \"points\": [[0, 0, NaN], [1, 1, NaN]]}");
}

// Native operations that meet a poisoned lock stop with the text of that lock, and the data behind
// the lock is left as it was.
TEST(GeometryLocks, PoisonedLocksStopWithTheirOwnTextAndChangeNothing) {
    struct Case {
        const char* name;
        std::function<void(Polyline&, Polygon&, Multipoint&)> poison_one;
        std::function<void(Polyline&, Polygon&, Multipoint&)> act;
        std::string message;
    };
    const auto paths = [](Polyline& l, Polygon&, Multipoint&) { poison(l.paths()); };
    const auto curve_paths = [](Polyline& l, Polygon&, Multipoint&) { poison(l.curve_paths()); };
    const auto rings = [](Polyline&, Polygon& g, Multipoint&) { poison(g.rings()); };
    const auto curve_rings = [](Polyline&, Polygon& g, Multipoint&) { poison(g.curve_rings()); };
    const auto points = [](Polyline&, Polygon&, Multipoint& m) { poison(m.points()); };
    const std::vector<Case> cases = {
        {"polyline dims", paths, [](Polyline& l, Polygon&, Multipoint&) { l.dims(); }, "Rings lock poisoned"},
        {"polyline has_m", paths, [](Polyline& l, Polygon&, Multipoint&) { l.has_m(); },
         "Rings lock poisoned"},
        {"polyline push", paths,
         [](Polyline& l, Polygon&, Multipoint&) { (void)l.push_path(part_with(Dims::XY, 2)); },
         "Rings lock poisoned"},
        {"polyline text, paths", paths, [](Polyline& l, Polygon&, Multipoint&) { write_ovrajson(l); },
         "Rings lock poisoned"},
        {"polyline is_empty", paths, [](Polyline& l, Polygon&, Multipoint&) { l.is_empty(); },
         "Lock poisoned"},
        {"polyline curve push", curve_paths,
         [](Polyline& l, Polygon&, Multipoint&) {
             (void)l.push_curve_path(curve_part_with(Dims::XY, {Linear{}, CircularArc{1, 1}}));
         },
         "curveRings lock poisoned"},
        {"polyline text, curve paths", curve_paths,
         [](Polyline& l, Polygon&, Multipoint&) { write_ovrajson(l); }, "Curve paths lock poisoned"},
        {"polygon push ring", rings,
         [](Polyline&, Polygon& g, Multipoint&) { (void)g.push_ring(part_with(Dims::XY, 3)); },
         "Rings lock poisoned"},
        {"polygon curve push", curve_rings,
         [](Polyline&, Polygon& g, Multipoint&) {
             (void)g.push_curve_ring(curve_part_with(Dims::XY, {Linear{}, CircularArc{1, 1}}));
         },
         "curveRings lock poisoned"},
        {"polygon text, curve rings", curve_rings,
         [](Polyline&, Polygon& g, Multipoint&) { write_ovrajson(g); }, "Curve rings lock poisoned"},
        {"polygon replace rings", rings,
         [](Polyline&, Polygon& g, Multipoint&) { (void)g.set_rings(SharedMultipart::make(Dims::XY)); },
         "Rings lock poisoned"},
        {"multipoint dims", points, [](Polyline&, Polygon&, Multipoint& m) { m.has_z(); },
         "Rings lock poisoned"},
        {"multipoint text", points, [](Polyline&, Polygon&, Multipoint& m) { write_ovrajson(m); },
         "Points lock poisoned"},
        {"multipoint is_empty", points, [](Polyline&, Polygon&, Multipoint& m) { m.is_empty(); },
         "Lock poisoned"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Polyline polyline(Dims::XY);
        ASSERT_TRUE(polyline.push_path(part_with(Dims::XY, 2)));
        ASSERT_TRUE(polyline.push_curve_path(curve_part_with(Dims::XY, {Linear{}, BezierCurve{0, 1, 2, 3}})));
        Polygon polygon(Dims::XY);
        ASSERT_TRUE(polygon.push_ring(part_with(Dims::XY, 3)));
        ASSERT_TRUE(polygon.push_curve_ring(curve_part_with(Dims::XY, {Linear{}, CircularArc{1, 1}})));
        Multipoint multipoint(part_with(Dims::XY, 2));
        const auto sizes = [&] {
            return std::vector<std::size_t>{polyline.paths().lock_ignoring_poison()->size(),
                                            polyline.curve_paths().lock_ignoring_poison()->size(),
                                            polygon.rings().lock_ignoring_poison()->size(),
                                            polygon.curve_rings().lock_ignoring_poison()->size(),
                                            multipoint.points().lock_ignoring_poison()->size()};
        };
        const auto before = sizes();
        c.poison_one(polyline, polygon, multipoint);
        EXPECT_EQ(internal_failure_of([&] { c.act(polyline, polygon, multipoint); }), c.message);
        EXPECT_EQ(sizes(), before);
    }
}

TEST(GeometryLocks, APoisonedPartInsideStopsThePushWithThePartsText) {
    Polygon polygon(Dims::XY);
    const SharedPart ring = part_with(Dims::XY, 3);
    poison(ring);
    EXPECT_EQ(internal_failure_of([&] { (void)polygon.push_ring(ring); }), "Lock poisoned");
    EXPECT_TRUE(polygon.rings().lock_ignoring_poison()->empty());
}

}  // namespace
