// Editing functions of the planar engine: affine maps that keep curves, z and m editing, densify,
// generalize, clip, combined extents, boundary and convex hulls, against closed forms.
#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "geometry/geometry_value.hpp"
#include "json_test_support.hpp"

using geokern::CubicBezier;
using geokern::EllipticArc;
using geokern::GeometryValue;
using geokern::PartValue;
using geokern::Vertex;
using geometry_test::Geometry;

namespace {

constexpr double pi = std::numbers::pi;

const GeometryValue& value(GK_GeometryHandle handle) { return geokern::value_of(handle); }

Vertex bezier_point(const Vertex& p0, const CubicBezier& c, const Vertex& p3, double t) {
    const double u = 1 - t;
    return Vertex{u * u * u * p0.x + 3 * u * u * t * c.c1x + 3 * u * t * t * c.c2x + t * t * t * p3.x,
                  u * u * u * p0.y + 3 * u * u * t * c.c1y + 3 * u * t * t * c.c2y + t * t * t * p3.y};
}

// The point at fraction f of segment i of a part, straight or curved.
Vertex along(const PartValue& part, int64_t segment, double f) {
    const Vertex a = part.point(segment), b = part.point(part.end_point_of(segment));
    const geokern::Curve* curve = part.curve_of(segment);
    if (curve == nullptr) return Vertex{a.x + f * (b.x - a.x), a.y + f * (b.y - a.y)};
    if (const auto* arc = std::get_if<EllipticArc>(curve)) return arc->point_at(arc->start_param + f * arc->sweep_param);
    return bezier_point(a, std::get<CubicBezier>(*curve), b, f);
}

// The area a closed part encloses (positive counter-clockwise), by Green's theorem in closed form: an arc
// centre + R diag(a, b) u(t) adds (C x (end - start) + a b sweep) / 2 to the sum of its ends' cross
// products.
double enclosed_area(const PartValue& ring) {
    double twice = 0;
    for (int64_t s = 0; s < ring.segment_count(); ++s) {
        const Vertex a = ring.point(s), b = ring.point(ring.end_point_of(s));
        const geokern::Curve* curve = ring.curve_of(s);
        if (const auto* arc = curve ? std::get_if<EllipticArc>(curve) : nullptr) {
            twice += arc->cx * (b.y - a.y) - arc->cy * (b.x - a.x) + arc->semi_major * arc->semi_minor() * arc->sweep_param;
        } else {
            twice += a.x * b.y - b.x * a.y;
        }
    }
    return twice / 2;
}

class EngineEditingTest : public json_test::JsonTest {
  protected:
    std::string json_of(GK_GeometryHandle geometry) {
        std::string text = write(geometry);
        EXPECT_TRUE(no_errors());
        return text;
    }
    std::string json_of(const Geometry& geometry) { return json_of(geometry.get()); }
    // The result's text, or the single error's detail.
    std::string outcome(GK_GeometryHandle result) {
        if (result == nullptr) return "error: " + single_error();
        Geometry owned(result);
        return json_of(owned);
    }
    using Vector = geometry_test::Owned<GK_VectorHandle, GK_Vector_destroy>;
    Vector vector_of(const std::vector<std::string>& texts) {
        Vector vector(GK_Vector_create(GK_ELEMENT_TYPE_GEOMETRY, h));
        for (const std::string& text : texts) {
            Geometry geometry = read(text);
            GK_ElementHandle element = GK_Element_fromGeometry(geometry, h);
            GK_Vector_add(vector, element, h);
            GK_Element_destroy(element, h);
        }
        return vector;
    }
    std::vector<std::string> texts_of(GK_ArrayHandle array) {
        std::vector<std::string> texts;
        if (array == nullptr) return {"error: " + single_error()};
        for (uint64_t i = 0; i < GK_Array_getSize(array, h); ++i) {
            GK_ElementHandle element = GK_Array_at(array, i, h);
            Geometry geometry(GK_Element_getValueAsGeometry(element, h));
            GK_Element_destroy(element, h);
            texts.push_back(json_of(geometry));
        }
        GK_Array_destroy(array, h);
        return texts;
    }
};

// A polyline of a circular arc, an elliptic arc, a Bezier curve and a straight segment.
const char* curved_path =
    R"({"curvePaths":[[[1,0],{"a":[[3,0],[2,0],false,false]},{"a":[[5,1],[0,0],true,true,0.4,3,0.5]},)"
    R"({"b":[[7,-1],[6,3],[6.5,-2]]},[8,2]]]})";

struct MapCase {
    const char* name;
    std::function<GK_GeometryHandle(GK_GeometryHandle, const GK_ErrorHandler*)> apply;
    std::function<Vertex(const Vertex&)> expected;
};

TEST_F(EngineEditingTest, AffineMapsCarryEveryPointOfEveryCurve) {
    const double c30 = std::cos(pi / 6), s30 = std::sin(pi / 6);
    const std::vector<MapCase> cases = {
        {"move", [](auto g, auto e) { return GK_GeometryEngine_move(g, 10.5, -3, e); },
         [](const Vertex& p) { return Vertex{p.x + 10.5, p.y - 3}; }},
        {"rotate 30 about (1, 2)",
         [this](auto g, auto e) { Geometry o = read(R"({"x":1,"y":2})"); return GK_GeometryEngine_rotate(g, 30, o, e); },
         [&](const Vertex& p) { return Vertex{1 + c30 * (p.x - 1) - s30 * (p.y - 2), 2 + s30 * (p.x - 1) + c30 * (p.y - 2)}; }},
        {"uniform scale 2.5 about (1, 2)",
         [this](auto g, auto e) { Geometry o = read(R"({"x":1,"y":2})"); return GK_GeometryEngine_scale(g, 2.5, 2.5, o, e); },
         [](const Vertex& p) { return Vertex{1 + 2.5 * (p.x - 1), 2 + 2.5 * (p.y - 2)}; }},
        {"half turn by scale -1",
         [this](auto g, auto e) { Geometry o = read(R"({"x":0,"y":0})"); return GK_GeometryEngine_scale(g, -1, -1, o, e); },
         [](const Vertex& p) { return Vertex{-p.x, -p.y}; }},
        {"stretch 2 by 0.5",
         [this](auto g, auto e) { Geometry o = read(R"({"x":0,"y":0})"); return GK_GeometryEngine_scale(g, 2, 0.5, o, e); },
         [](const Vertex& p) { return Vertex{2 * p.x, 0.5 * p.y}; }},
        {"mirror in x with stretch",
         [this](auto g, auto e) { Geometry o = read(R"({"x":3,"y":0})"); return GK_GeometryEngine_scale(g, -3, 1, o, e); },
         [](const Vertex& p) { return Vertex{3 - 3 * (p.x - 3), p.y}; }},
    };
    Geometry input = read(curved_path);
    const PartValue& original = *value(input).parts[0];
    for (const MapCase& map : cases) {
        SCOPED_TRACE(map.name);
        Geometry image(map.apply(input, h));
        ASSERT_TRUE(no_errors());
        const PartValue& mapped = *value(image).parts[0];
        ASSERT_EQ(mapped.point_count(), original.point_count());
        ASSERT_EQ(mapped.curves.size(), 3u);
        for (int64_t s = 0; s < original.segment_count(); ++s) {
            for (double f : {0.0, 0.2, 0.5, 0.77, 1.0}) {
                const Vertex want = map.expected(along(original, s, f));
                const Vertex got = along(mapped, s, f);
                EXPECT_NEAR(got.x, want.x, 1e-12) << "segment " << s << " at " << f;
                EXPECT_NEAR(got.y, want.y, 1e-12) << "segment " << s << " at " << f;
            }
        }
        // The circular arc stays circular exactly under similarities.
        const auto& circle = std::get<EllipticArc>(mapped.curves[0].curve);
        const bool similar = std::string(map.name).find("stretch") == std::string::npos;
        EXPECT_EQ(circle.is_circular(), similar);
    }
}

TEST_F(EngineEditingTest, QuarterTurnOfCurvedPolygonIsExact) {
    // A square whose right side bulges out as a half circle around (2, 1), turned about (1, 1).
    Geometry polygon = read(R"({"curveRings":[[[0,0],[0,2],[2,2],{"c":[[2,0],[3,1]]},[0,0]]]})");
    Geometry origin = read(R"({"x":1,"y":1})");
    Geometry turned(GK_GeometryEngine_rotate(polygon, 90, origin, h));
    ASSERT_TRUE(no_errors());
    const PartValue& ring = *value(turned).parts[0];
    EXPECT_EQ(ring.xs, (std::vector<double>{2, 0, 0, 2}));
    EXPECT_EQ(ring.ys, (std::vector<double>{0, 0, 2, 2}));
    ASSERT_EQ(ring.curves.size(), 1u);
    EXPECT_EQ(ring.curves[0].segment, 2);
    const auto& arc = std::get<EllipticArc>(ring.curves[0].curve);
    EXPECT_TRUE(arc.is_circular());
    EXPECT_NEAR(arc.cx, 1, 1e-15);
    EXPECT_NEAR(arc.cy, 2, 1e-15);
    EXPECT_DOUBLE_EQ(arc.semi_major, 1);
    const Vertex top = arc.point_at(arc.start_param + 0.5 * arc.sweep_param);
    EXPECT_NEAR(top.x, 1, 1e-15);
    EXPECT_NEAR(top.y, 3, 1e-15);
    EXPECT_NEAR(enclosed_area(ring), enclosed_area(*value(polygon).parts[0]), 1e-14);
}

TEST_F(EngineEditingTest, NonUniformScaleTurnsCircleArcsIntoEllipticArcsScalingTheArea) {
    struct Case {
        double sx, sy;
    };
    Geometry polygon = read(R"({"curveRings":[[[0,0],[0,2],{"a":[[4,2],[2,2],false,false]},[4,0],)"
                            R"({"c":[[0,0],[2,-1]]}]]})");
    const double area = enclosed_area(*value(polygon).parts[0]);
    for (const Case& c : {Case{2, 3}, Case{0.5, 4}, Case{-2, 3}, Case{3, -0.25}}) {
        SCOPED_TRACE(std::to_string(c.sx) + " by " + std::to_string(c.sy));
        Geometry origin = read(R"({"x":0,"y":0})");
        Geometry scaled(GK_GeometryEngine_scale(polygon, c.sx, c.sy, origin, h));
        ASSERT_TRUE(no_errors());
        const PartValue& ring = *value(scaled).parts[0];
        ASSERT_EQ(ring.curves.size(), 2u);
        const bool mirror = c.sx * c.sy < 0;
        for (const auto& entry : ring.curves) {
            const auto& arc = std::get<EllipticArc>(entry.curve);
            EXPECT_LT(arc.ratio, 1.0);
            // Reversed, the arc of old segment 1 is segment 2 and the old closing arc segment 0.
            const bool top = entry.segment == (mirror ? 2 : 1);
            EXPECT_NEAR(arc.semi_major * arc.semi_minor(), std::fabs(c.sx * c.sy) * (top ? 4 : 6.25), 1e-12);
            const Vertex start = arc.start_point(), end = arc.end_point();
            EXPECT_NEAR(start.x, ring.xs[entry.segment], 1e-12);
            EXPECT_NEAR(start.y, ring.ys[entry.segment], 1e-12);
            EXPECT_NEAR(end.x, ring.xs[(entry.segment + 1) % 4], 1e-12);
            EXPECT_NEAR(end.y, ring.ys[(entry.segment + 1) % 4], 1e-12);
        }
        // A mirror would turn the ring counter-clockwise: it is run backwards from the same start instead.
        EXPECT_NEAR(enclosed_area(ring), std::fabs(c.sx * c.sy) * area, 1e-12 * std::fabs(c.sx * c.sy * area));
        EXPECT_EQ(ring.xs[0], 0.0);
        EXPECT_EQ(ring.ys[0], 0.0);
    }
}

TEST_F(EngineEditingTest, OriginDefaultsToTheCentreOfTheExtent) {
    for (const char* origin : {"", R"({"x":"NaN"})"}) {
        SCOPED_TRACE(origin);
        Geometry polygon = read(R"({"rings":[[[0,0],[0,2],[4,2],[4,0],[0,0]]]})");
        Geometry centre = *origin ? read(origin) : Geometry();
        EXPECT_EQ(outcome(GK_GeometryEngine_scale(polygon, 2, 2, centre, h)),
                  R"({"rings":[[[-2,-1],[-2,3],[6,3],[6,-1],[-2,-1]]]})");
        EXPECT_EQ(outcome(GK_GeometryEngine_rotate(polygon, 180, centre, h)),
                  R"({"rings":[[[4,2],[4,0],[0,0],[0,2],[4,2]]]})");
    }
}

TEST_F(EngineEditingTest, AffineMapsOfEnvelopesPointsAndErrors) {
    struct Case {
        const char* name;
        std::function<GK_GeometryHandle()> run;
        std::string expected;
    };
    Geometry box = read(R"({"xmin":0,"ymin":0,"xmax":2,"ymax":4,"zmin":1,"zmax":3,"hasZ":true})");
    Geometry points = read(R"({"points":[[1,1,7],[2,3,8]],"hasM":true})");
    Geometry far = read(R"({"x":1e308,"y":0})");
    Geometry origin = read(R"({"x":0,"y":0})");
    Geometry other_system = read(R"({"x":0,"y":0,"spatialReference":{"wkid":3857}})");
    Geometry line = read(R"({"paths":[[[0,0],[1,1]]],"spatialReference":{"wkid":4326}})");
    const std::vector<Case> cases = {
        {"envelope moved", [&] { return GK_GeometryEngine_move(box, 1, -1, h); },
         R"({"xmin":1,"ymin":-1,"xmax":3,"ymax":3,"zmin":1,"zmax":3})"},
        {"envelope mirrored stays ordered", [&] { return GK_GeometryEngine_scale(box, -1, 1, origin, h); },
         R"({"xmin":-2,"ymin":0,"xmax":0,"ymax":4,"zmin":1,"zmax":3})"},
        {"envelope turned a quarter is the turned rectangle", [&] { return GK_GeometryEngine_rotate(box, 90, origin, h); },
         R"({"xmin":-4,"ymin":0,"xmax":0,"ymax":2,"zmin":1,"zmax":3})"},
        {"multipoint keeps m", [&] { return GK_GeometryEngine_move(points, 1, 1, h); },
         R"({"hasM":true,"points":[[2,2,7],[3,4,8]]})"},
        {"overflow", [&] { return GK_GeometryEngine_scale(far, 10, 1, origin, h); },
         "error: the transformed geometry has coordinates beyond the range of double-precision numbers."},
        {"NaN angle", [&] { return GK_GeometryEngine_rotate(box, std::nan(""), nullptr, h); },
         "error: the rotation angle must be a finite number: got NaN."},
        {"infinite factor", [&] { return GK_GeometryEngine_scale(box, HUGE_VAL, 1, nullptr, h); },
         "error: the x scale factor must be a finite number: got inf."},
        {"origin in another system", [&] { return GK_GeometryEngine_rotate(line, 10, other_system, h); },
         "error: the geometries have different spatial references: wkid 4326 and wkid 3857."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(outcome(c.run()), c.expected);
    }
    // A full turn and a one-way stretch leave the untouched coordinates bit for bit.
    Geometry odd = read(R"({"paths":[[[0.1,0.7],[1e-5,3.3]]]})");
    Geometry far_origin = read(R"({"x":123.456,"y":-98.7})");
    EXPECT_EQ(outcome(GK_GeometryEngine_rotate(odd, -720, far_origin, h)), R"({"paths":[[[0.1,0.7],[0.00001,3.3]]]})");
    Geometry stretched(GK_GeometryEngine_scale(odd, 3, 1, far_origin, h));
    ASSERT_TRUE(no_errors());
    EXPECT_EQ(value(stretched).parts[0]->ys, (std::vector<double>{0.7, 3.3}));
    // A turn of 45 degrees gives the extent of the turned rectangle.
    Geometry square = read(R"({"xmin":-1,"ymin":-1,"xmax":1,"ymax":1})");
    Geometry turned(GK_GeometryEngine_rotate(square, 45, nullptr, h));
    ASSERT_TRUE(no_errors());
    EXPECT_NEAR(value(turned).envelope.xmax, std::sqrt(2.0), 1e-15);
    EXPECT_NEAR(value(turned).envelope.ymin, -std::sqrt(2.0), 1e-15);
}

TEST_F(EngineEditingTest, SettingAndRemovingZAndM) {
    struct Case {
        const char* input;
        std::function<GK_GeometryHandle(GK_GeometryHandle)> edit;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {R"({"x":1,"y":2})", [&](auto g) { return GK_GeometryEngine_setZ(g, 5, h); }, R"({"x":1,"y":2,"z":5})"},
        {R"({"x":1,"y":2,"z":3,"m":4})", [&](auto g) { return GK_GeometryEngine_removeZ(g, h); }, R"({"x":1,"y":2,"m":4})"},
        {R"({"x":1,"y":2,"z":3,"m":4})", [&](auto g) { return GK_GeometryEngine_removeZAndM(g, h); }, R"({"x":1,"y":2})"},
        {R"({"points":[[1,2],[3,4]]})", [&](auto g) { return GK_GeometryEngine_setZAndM(g, 5, 6, h); },
         R"({"hasZ":true,"hasM":true,"points":[[1,2,5,6],[3,4,5,6]]})"},
        {R"({"hasZ":true,"paths":[[[0,0,1],[1,1,2]]]})", [&](auto g) { return GK_GeometryEngine_setM(g, 9, h); },
         R"({"hasZ":true,"hasM":true,"paths":[[[0,0,1,9],[1,1,2,9]]]})"},
        {R"({"hasZ":true,"curveRings":[[[0,0,1],[0,2,1],{"c":[[2,0,7],[1.5,1.5]]},[0,0,1]]]})",
         [&](auto g) { return GK_GeometryEngine_setZ(g, 3, h); },
         R"({"hasZ":true,"curveRings":[[[0,0,3],[0,2,3],{"a":[[2,0,3],[0.25,0.25],true,true]},[0,0,3]]],"rings":[]})"},
        {R"({"hasM":true,"curveRings":[[[0,0,1],[0,2,1],{"c":[[2,0,7],[1.5,1.5]]},[0,0,1]]]})",
         [&](auto g) { return GK_GeometryEngine_removeM(g, h); },
         R"({"curveRings":[[[0,0],[0,2],{"a":[[2,0],[0.25,0.25],true,true]},[0,0]]],"rings":[]})"},
        {R"({"xmin":0,"ymin":0,"xmax":1,"ymax":1})", [&](auto g) { return GK_GeometryEngine_setZAndM(g, 5, 6, h); },
         R"({"xmin":0,"ymin":0,"xmax":1,"ymax":1,"zmin":5,"zmax":5,"mmin":6,"mmax":6})"},
        {R"({"x":"NaN","y":"NaN"})", [&](auto g) { return GK_GeometryEngine_setZ(g, 5, h); }, R"({"x":NaN,"y":NaN,"z":NaN})"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        Geometry input = read(c.input);
        EXPECT_EQ(outcome(c.edit(input)), c.expected);
    }
}

TEST_F(EngineEditingTest, DensifyCutsSegmentsIntoEqualPiecesWithinTheLimit) {
    struct Case {
        const char* input;
        double limit;
        size_t points;  // of the first part
    };
    const std::vector<Case> cases = {
        {R"({"paths":[[[0,0],[10,0],[10,1]]]})", 3, 6},           // 4 + 1 pieces
        {R"({"rings":[[[0,0],[0,3],[4,3],[0,0]]]})", 1, 12},       // 3 + 4 + 5 pieces, the closing one too
        {R"({"curvePaths":[[[-1,0],{"c":[[1,0],[0,1]]}]]})", 0.5, 8},  // pi / (2 asin(1/4)) -> 7 chords
        {R"({"curvePaths":[[[0,0],{"b":[[3,0],[1,2],[2,2]]}]]})", 0.25, 28},  // 3 sqrt(5) / 0.25 -> 27 pieces
        {R"({"curvePaths":[[[-1,0],{"c":[[1,0],[0,1]]}]]})", 100, 3},  // no piece over a third of a turn
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        Geometry input = read(c.input);
        Geometry dense(GK_GeometryEngine_densify(input, c.limit, h));
        ASSERT_TRUE(no_errors());
        const PartValue& part = *value(dense).parts[0];
        EXPECT_FALSE(part.has_curves());
        EXPECT_EQ(part.xs.size(), c.points);
        double longest = 0;
        for (int64_t s = 0; s < part.segment_count(); ++s) {
            const Vertex a = part.point(s), b = part.point(part.end_point_of(s));
            longest = std::max(longest, std::hypot(b.x - a.x, b.y - a.y));
        }
        EXPECT_LE(longest, c.limit * (1 + 1e-12));
    }
}

TEST_F(EngineEditingTest, DensifyInterpolatesZAndMAndRefusesBadLimits) {
    Geometry line = read(R"({"hasZ":true,"hasM":true,"paths":[[[0,0,0,10],[4,0,8,6]]]})");
    EXPECT_EQ(outcome(GK_GeometryEngine_densify(line, 1, h)),
              R"({"hasZ":true,"hasM":true,"paths":[[[0,0,0,10],[1,0,2,9],[2,0,4,8],[3,0,6,7],[4,0,8,6]]]})");
    Geometry arc = read(R"({"hasZ":true,"curvePaths":[[[1,0,0],{"a":[[-1,0,4],[0,0],false,false]}]]})");
    Geometry dense(GK_GeometryEngine_densify(arc, 0.8, h));
    ASSERT_TRUE(no_errors());
    const PartValue& part = *value(dense).parts[0];
    ASSERT_EQ(part.xs.size(), 5u);  // a half circle of radius 1 in four chords of 0.765
    for (size_t i = 0; i < part.xs.size(); ++i) {
        EXPECT_NEAR(std::hypot(part.xs[i], part.ys[i]), 1, 1e-15);
        EXPECT_DOUBLE_EQ(part.zs[i], static_cast<double>(i));
    }
    Geometry points = read(R"({"points":[[0,0],[5,5]]})");
    EXPECT_EQ(outcome(GK_GeometryEngine_densify(points, 1, h)), R"({"points":[[0,0],[5,5]]})");
    for (double limit : {0.0, -1.0, std::nan(""), HUGE_VAL}) {
        EXPECT_EQ(GK_GeometryEngine_densify(line, limit, h), nullptr);
        EXPECT_NE(single_error().find("the maximum segment length must be a positive finite number"), std::string::npos);
    }
    EXPECT_EQ(outcome(GK_GeometryEngine_densify(line, 1e-12, h)),
              "error: densifying would make more than 33554432 vertices; use a larger maximum segment length.");
}

TEST_F(EngineEditingTest, GeneralizeByDouglasPeucker) {
    struct Case {
        const char* input;
        double deviation;
        bool remove;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {R"({"paths":[[[0,0],[1,0.1],[2,0],[3,5],[4,0]]]})", 0.5, false, R"({"paths":[[[0,0],[2,0],[3,5],[4,0]]]})"},
        // a vertex exactly at the deviation goes, as in GEOS
        {R"({"paths":[[[0,0],[1,0.5],[2,0]]]})", 0.5, false, R"({"paths":[[[0,0],[2,0]]]})"},
        {R"({"hasZ":true,"paths":[[[0,0,1],[1,0.6,2],[2,0,3]]]})", 0.5, false,
         R"({"hasZ":true,"paths":[[[0,0,1],[1,0.6,2],[2,0,3]]]})"},
        // a sliver ring collapses to two points: removed with the flag or without, as no reader takes
        // such a ring back
        {R"({"rings":[[[0,0],[0,0.1],[10,0.1],[10,0],[0,0]],[[20,0],[20,5],[25,5],[25,0],[20,0]]]})", 0.5, false,
         R"({"rings":[[[20,0],[20,5],[25,5],[25,0],[20,0]]]})"},
        {R"({"rings":[[[0,0],[0,0.1],[10,0.1],[10,0],[0,0]],[[20,0],[20,5],[25,5],[25,0],[20,0]]]})", 0.5, true,
         R"({"rings":[[[20,0],[20,5],[25,5],[25,0],[20,0]]]})"},
        // a crooked clockwise ring whose remaining vertices turn counter-clockwise is run backwards
        {R"({"rings":[[[5,5],[4,4],[0,4],[0,1],[2,5],[5,5]]]})", 1.5, false, R"({"rings":[[[5,5],[2,5],[0,1],[0,4],[5,5]]]})"},
        // a closed path within the deviation of its start collapses to one point
        {R"({"paths":[[[0,0],[0.1,0.1],[0,0.2],[0,0]],[[5,5],[6,6]]]})", 1, true, R"({"paths":[[[5,5],[6,6]]]})"},
        {R"({"paths":[[[0,0],[0.1,0.1],[0,0.2],[0,0]]]})", 1, false, R"({"paths":[[[0,0],[0,0]]]})"},
        {R"({"x":1,"y":2})", 5, true, R"({"x":1,"y":2})"},
        {R"({"paths":[[[0,0],[1,1]]]})", -1, true, "error: the maximum deviation must be a number of at least 0: got -1."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        Geometry input = read(c.input);
        EXPECT_EQ(outcome(GK_GeometryEngine_generalize(input, c.deviation, c.remove, h)), c.expected);
    }
    // A half circle of radius 10 goes to chords first; one chord vertex near its top is left.
    Geometry half = read(R"({"curvePaths":[[[-10,0],{"c":[[10,0],[0,10]]}]]})");
    Geometry simplified(GK_GeometryEngine_generalize(half, 5, true, h));
    ASSERT_TRUE(no_errors());
    const PartValue& path = *value(simplified).parts[0];
    EXPECT_FALSE(path.has_curves());
    ASSERT_EQ(path.xs.size(), 3u);
    EXPECT_NEAR(std::hypot(path.xs[1], path.ys[1]), 10, 1e-12);
    EXPECT_NEAR(path.xs[1], 0, 1e-2);
}

TEST_F(EngineEditingTest, ClipKeepsWhatLiesInsideTheEnvelope) {
    struct Case {
        const char* input;
        const char* expected;
        const char* box = R"({"xmin":0,"ymin":0,"xmax":10,"ymax":10})";
    };
    const std::vector<Case> cases = {
        {R"({"hasZ":true,"rings":[[[-10,0,0],[-10,10,0],[10,10,20],[10,0,20],[-10,0,0]]]})",
         R"({"hasZ":true,"rings":[[[0,0,10],[0,10,10],[10,10,20],[10,0,20],[0,0,10]]]})"},
        // parts inside are kept with their curves, parts across are cut, parts outside dropped, in order
        {R"({"curvePaths":[[[1,1],{"c":[[3,1],[2,2]]}],[[-5,5],[5,5]],[[20,20],[30,30]],[[6,6],[7,7]]]})",
         R"({"curvePaths":[[[1,1],{"a":[[3,1],[2,1],false,true]}]],"paths":[[[0,5],[5,5]],[[6,6],[7,7]]]})"},
        {R"({"points":[[0,0],[5,11],[10,10],[-1,3]]})", R"({"points":[[0,0],[10,10]]})"},
        {R"({"x":11,"y":0})", R"({"x":NaN,"y":NaN})"},
        {R"({"xmin":5,"ymin":-5,"xmax":15,"ymax":5})", R"({"xmin":5,"ymin":0,"xmax":10,"ymax":5})"},
        {R"({"xmin":20,"ymin":-5,"xmax":25,"ymax":5})", R"({"xmin":NaN,"ymin":NaN,"xmax":NaN,"ymax":NaN})"},
        {R"({"rings":[[[20,20],[20,30],[30,30],[20,20]]]})", R"({"rings":[]})"},
        // curved segments that survive whole are curves again, in rings and holes too; z from the input
        {R"({"hasZ":true,"curveRings":[[[0,0,1],[0,2,2],[2,2,3],{"c":[[2,0,4],[3,1]]},[0,0,1]]]})",
         R"({"hasZ":true,"curveRings":[[[1,0,2.5],[1,2,2.5],[2,2,3],{"a":[[2,0,4],[2,1],false,true]},[1,0,2.5]]],"rings":[]})",
         R"({"xmin":1,"ymin":-1,"xmax":5,"ymax":3})"},
        {R"({"curveRings":[[[-4,-4],[-4,4],[4,4],[4,-4],[-4,-4]],[[-1,0],{"c":[[1,0],[0,-1]]},{"c":[[-1,0],[0,1]]}]]})",
         R"({"curveRings":[[[-1,0],{"a":[[1,0],[0,0],false,false]},{"a":[[-1,0],[0,0],false,false]}]],)"
         R"("rings":[[[-2,-2],[-2,4],[4,4],[4,-2],[-2,-2]]]})",
         R"({"xmin":-2,"ymin":-2,"xmax":5,"ymax":5})"},
        {R"({"curvePaths":[[[-5,1],[1,1],{"b":[[3,1],[1,3],[3,3]]},{"c":[[1,1],[2,0]]}]]})",
         R"({"curvePaths":[[[0,1],[1,1],{"b":[[3,1],[1,3],[3,3]]},{"a":[[1,1],[2,1],false,true]}]],"paths":[]})"},
        // rectangle clipping overflows on the far vertex; the result must stay finite
        {R"({"paths":[[[0,0],[1e300,1e300],[2,2]]]})", R"({"paths":[[[0,0],[1,1]]]})",
         R"({"xmin":-1,"ymin":-1,"xmax":1,"ymax":1})"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        Geometry input = read(c.input), box = read(c.box);
        EXPECT_EQ(outcome(GK_GeometryEngine_clip(input, box, h)), c.expected);
    }
    // A curve that the envelope cuts comes back as the part of it inside the envelope: an arc of the
    // same circle (centre (2, 1), radius 1).
    Geometry cut_input = read(R"({"curveRings":[[[0,0],[0,2],[2,2],{"c":[[2,0],[3,1]]},[0,0]]]})");
    Geometry low_box = read(R"({"xmin":-1,"ymin":-1,"xmax":5,"ymax":1.5})");
    Geometry cut(GK_GeometryEngine_clip(cut_input, low_box, h));
    ASSERT_TRUE(no_errors());
    const PartValue& ring = *value(cut).parts[0];
    ASSERT_EQ(ring.curves.size(), 1u);
    const auto& sub_arc = std::get<geokern::EllipticArc>(ring.curves[0].curve);
    EXPECT_NEAR(sub_arc.cx, 2, 1e-9);
    EXPECT_NEAR(sub_arc.cy, 1, 1e-9);
    EXPECT_NEAR(sub_arc.semi_major, 1, 1e-9);
    EXPECT_LE(geokern::part_bounds(ring).ymax, 1.5 + 1e-9);
    Geometry box = read(cases[0].box);
    Geometry line = read(R"({"paths":[[[0,0],[1,1]]]})");
    EXPECT_EQ(outcome(GK_GeometryEngine_clip(box, line, h)), "error: expected a envelope, got a polyline.");
}

TEST_F(EngineEditingTest, CombinedExtentsSkipEmptyInputs) {
    struct Case {
        std::vector<std::string> inputs;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {{R"({"x":1,"y":2,"z":3})", R"({"paths":[[[5,5],[6,7]]]})"}, R"({"xmin":1,"ymin":2,"xmax":6,"ymax":7,"zmin":3,"zmax":3})"},
        {{R"({"curvePaths":[[[-1,0],{"c":[[1,0],[0,1]]}]]})", R"({"points":[]})"}, R"({"xmin":-1,"ymin":0,"xmax":1,"ymax":1})"},
        {{R"({"xmin":0,"ymin":0,"xmax":1,"ymax":1,"mmin":2,"mmax":4})", R"({"x":3,"y":3,"m":9})",
          R"({"rings":[],"spatialReference":{"wkid":3857}})"},
         R"({"spatialReference":{"wkid":3857},"xmin":0,"ymin":0,"xmax":3,"ymax":3,"mmin":2,"mmax":9})"},
        {{R"({"points":[]})", R"({"x":NaN,"y":NaN})"}, R"({"xmin":NaN,"ymin":NaN,"xmax":NaN,"ymax":NaN})"},
        {{}, R"({"xmin":NaN,"ymin":NaN,"xmax":NaN,"ymax":NaN})"},
        {{R"({"x":1,"y":1,"spatialReference":{"wkid":4326}})", R"({"x":1,"y":1,"spatialReference":{"wkid":3857}})"},
         "error: the geometries have different spatial references: wkid 4326 and wkid 3857."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        Vector vector = vector_of(c.inputs);
        EXPECT_EQ(outcome(GK_GeometryEngine_combineExtentsCollection(vector, h)), c.expected);
        if (c.inputs.size() == 2) {
            Geometry a = read(c.inputs[0]), b = read(c.inputs[1]);
            EXPECT_EQ(outcome(GK_GeometryEngine_combineExtents(a, b, h)), c.expected);
        }
    }
}

TEST_F(EngineEditingTest, BoundaryByTypeAndTheModTwoRule) {
    struct Case {
        const char* input;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {R"({"paths":[[[0,0],[1,0]],[[1,0],[2,0]]]})", R"({"points":[[0,0],[2,0]]})"},
        // three ends meet at (1, 0): odd, so it is on the boundary
        {R"({"paths":[[[0,0],[1,0]],[[1,0],[2,0]],[[1,0],[1,1]]]})", R"({"points":[[0,0],[1,0],[2,0],[1,1]]})"},
        // a closed path has no boundary, and neither does a one-point path
        {R"({"hasZ":true,"paths":[[[0,0,1],[1,0,2],[1,1,3],[0,0,4]],[[5,5,5]],[[7,7,6],[8,8,7]]]})",
         R"({"hasZ":true,"points":[[7,7,6],[8,8,7]]})"},
        {R"({"paths":[[[0,0],[1,0]],[[0,0],[0,1]]]})", R"({"points":[[1,0],[0,1]]})"},
        {R"({"curveRings":[[[0,0],[0,2],[2,2],{"c":[[2,0],[3,1]]},[0,0]],[[0.5,0.5],[1.5,0.5],[1.5,1.5],[0.5,0.5]]]})",
         R"({"curvePaths":[[[0,0],[0,2],[2,2],{"a":[[2,0],[2,1],false,true]},[0,0]]],"paths":[[[0.5,0.5],[1.5,0.5],[1.5,1.5],[0.5,0.5]]]})"},
        {R"({"xmin":0,"ymin":0,"xmax":1,"ymax":2})", R"({"paths":[[[0,0],[0,2],[1,2],[1,0],[0,0]]]})"},
        {R"({"points":[[0,0],[1,1]],"hasM":true})", R"({"hasM":true,"points":[]})"},
        {R"({"x":1,"y":1})", R"({"points":[]})"},
        {R"({"rings":[]})", R"({"paths":[]})"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        Geometry input = read(c.input);
        EXPECT_EQ(outcome(GK_GeometryEngine_boundary(input, h)), c.expected);
    }
}

TEST_F(EngineEditingTest, ConvexHullTypesFollowTheVertices) {
    struct Case {
        const char* input;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {R"({"points":[[0,0],[1,1],[2,0],[1,0.5],[1,2]]})", R"({"rings":[[[0,0],[1,2],[2,0],[0,0]]]})"},
        {R"({"curveRings":[[[0,0],[0,2],[2,2],{"c":[[2,0],[3,1]]},[0,0]]]})",
         R"({"curveRings":[[[0,0],[0,2],[2,2],{"a":[[2,0],[2,1],false,true]},[0,0]]],"rings":[]})"},
        {R"({"hasZ":true,"paths":[[[0,0,1],[1,1,2],[3,3,3]],[[2,2,4]]]})", R"({"hasZ":true,"paths":[[[0,0,1],[3,3,3]]]})"},
        {R"({"points":[[2,3],[2,3]]})", R"({"x":2,"y":3})"},
        {R"({"xmin":0,"ymin":0,"xmax":2,"ymax":0})", R"({"paths":[[[0,0],[2,0]]]})"},
        // the hull of an arc's chords: its chord vertices at a tolerance of 1e-9 of the extent
        {R"({"rings":[]})", R"({"rings":[]})"},
        {R"({"paths":[]})", R"({"paths":[]})"},
        {R"({"points":[]})", R"({"x":NaN,"y":NaN})"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        Geometry input = read(c.input);
        EXPECT_EQ(outcome(GK_GeometryEngine_convexHull(input, h)), c.expected);
    }
    // Whole arcs on the hull come back as arcs: the hull of a convex curved shape is the shape.
    Geometry half = read(R"({"curveRings":[[[-1,0],{"c":[[1,0],[0,1]]},[-1,0]]]})");
    Geometry hull(GK_GeometryEngine_convexHull(half, h));
    ASSERT_TRUE(no_errors());
    ASSERT_EQ(value(hull).type, geokern::geometry_type_polygon);
    ASSERT_TRUE(value(hull).parts[0]->has_curves());
    EXPECT_NEAR(enclosed_area(*value(hull).parts[0]), -pi / 2, 1e-14);  // clockwise
    // An arc only partly on the hull comes back as the part of it on the hull.
    Geometry lens = read(R"({"curveRings":[[[-1,0],{"c":[[1,0],[0,1]]},[-1,0]],[[-3,-0.5],[-3,0.5],[-2.5,0.5],[-2.5,-0.5]]]})");
    Geometry lens_hull(GK_GeometryEngine_convexHull(lens, h));
    ASSERT_TRUE(no_errors());
    const PartValue& chords = *value(lens_hull).parts[0];
    ASSERT_EQ(chords.curves.size(), 1u);
    EXPECT_NEAR(std::get<geokern::EllipticArc>(chords.curves[0].curve).semi_major, 1, 1e-9);
    double farthest = 0;
    for (size_t i = 0; i < chords.xs.size(); ++i) farthest = std::max(farthest, std::hypot(chords.xs[i], chords.ys[i]));
    EXPECT_NEAR(farthest, 3.0413812651491097, 1e-12);  // the far corner (-3, 0.5)
}

TEST_F(EngineEditingTest, ConvexHullCollectionMergesOrKeepsOneHullPerInput) {
    const std::vector<std::string> inputs = {R"({"points":[[0,0],[1,0]]})", R"({"x":5,"y":5})", R"({"rings":[]})"};
    Vector vector = vector_of(inputs);
    EXPECT_EQ(texts_of(GK_GeometryEngine_convexHullCollection(vector, false, h)),
              (std::vector<std::string>{R"({"paths":[[[0,0],[1,0]]]})", R"({"x":5,"y":5})", R"({"rings":[]})"}));
    EXPECT_EQ(texts_of(GK_GeometryEngine_convexHullCollection(vector, true, h)),
              (std::vector<std::string>{R"({"rings":[[[0,0],[5,5],[1,0],[0,0]]]})"}));
    Vector none = vector_of({});
    EXPECT_TRUE(texts_of(GK_GeometryEngine_convexHullCollection(none, true, h)).empty());
    EXPECT_TRUE(texts_of(GK_GeometryEngine_convexHullCollection(none, false, h)).empty());
}

}  // namespace

namespace {

// Whether every x and y of a non-empty result is finite (an empty point or envelope has NaN by design).
bool finite_xy(const GeometryValue& g) {
    auto part_ok = [](const PartValue& part) {
        for (size_t i = 0; i < part.xs.size(); ++i) {
            if (!std::isfinite(part.xs[i]) || !std::isfinite(part.ys[i])) return false;
        }
        return true;
    };
    switch (g.type) {
        case geokern::geometry_type_point:
            return geokern::is_empty(g) || (std::isfinite(g.point.x) && std::isfinite(g.point.y));
        case geokern::geometry_type_envelope:
            return g.envelope.empty() || (std::isfinite(g.envelope.xmin) && std::isfinite(g.envelope.xmax) &&
                                          std::isfinite(g.envelope.ymin) && std::isfinite(g.envelope.ymax));
        case geokern::geometry_type_multipoint:
            return part_ok(*g.points);
        default:
            for (const auto& part : g.parts) {
                if (!part_ok(*part)) return false;
            }
            return true;
    }
}

TEST_F(EngineEditingTest, HostileFiniteInputsGiveFiniteResultsOrErrors) {
    const std::vector<const char*> inputs = {
        R"({"x":1e308,"y":-1e308})",
        R"({"points":[[0,0],[1e308,1e308],[-1e308,5]]})",
        R"({"paths":[[[0,0]],[]]})",
        R"({"paths":[[[1e308,0],[-1e308,0]],[[0,0],[1e300,1e300],[2,2]]]})",
        R"({"rings":[[[0,0],[0,0],[0,0]],[[0,0],[1,1],[2,2],[0,0]]]})",
        R"({"rings":[[[-1e308,-1e308],[-1e308,1e308],[1e308,1e308],[1e308,-1e308]]]})",
        R"({"curveRings":[[[0,0],{"c":[[0,0],[2,0]]}]]})",
        R"({"curvePaths":[[[0,0],{"a":[[1e300,0],[5e299,0],false,false]}]]})",
        R"({"curvePaths":[[[0,0],{"b":[[1e308,0],[1e308,1e308],[-1e308,1e308]]}]]})",
        R"({"curvePaths":[[[0,0],{"a":[[1,1],[0,0],true,true,0.3,5,1e-12]}]]})",
        R"({"xmin":-1e308,"ymin":-1e308,"xmax":1e308,"ymax":1e308})",
        R"({"xmin":0,"ymin":0,"xmax":0,"ymax":0})",
    };
    Geometry box = read(R"({"xmin":-1,"ymin":-1,"xmax":1,"ymax":1})");
    Geometry far = read(R"({"x":1e308,"y":0})");
    const std::vector<std::function<GK_GeometryHandle(GK_GeometryHandle)>> operations = {
        [&](auto g) { return GK_GeometryEngine_move(g, 1e308, 0, h); },
        [&](auto g) { return GK_GeometryEngine_rotate(g, 33, nullptr, h); },
        [&](auto g) { return GK_GeometryEngine_rotate(g, 90, far, h); },
        [&](auto g) { return GK_GeometryEngine_scale(g, 0, 1, nullptr, h); },
        [&](auto g) { return GK_GeometryEngine_scale(g, 1e10, -1e-10, nullptr, h); },
        [&](auto g) { return GK_GeometryEngine_densify(g, 1, h); },
        [&](auto g) { return GK_GeometryEngine_densify(g, 1e300, h); },
        [&](auto g) { return GK_GeometryEngine_generalize(g, 0, true, h); },
        [&](auto g) { return GK_GeometryEngine_generalize(g, HUGE_VAL, false, h); },
        [&](auto g) { return GK_GeometryEngine_clip(g, box, h); },
        [&](auto g) { return GK_GeometryEngine_boundary(g, h); },
        [&](auto g) { return GK_GeometryEngine_convexHull(g, h); },
        [&](auto g) { return GK_GeometryEngine_combineExtents(g, box, h); },
    };
    for (const char* text : inputs) {
        Geometry input = read(text);
        ASSERT_TRUE(no_errors()) << text;
        for (size_t i = 0; i < operations.size(); ++i) {
            Geometry result(operations[i](input));
            const std::vector<geokern_test::CapturedError> errors = take_errors();
            if (result.get() == nullptr) {
                ASSERT_EQ(errors.size(), 1u) << text << " operation " << i;
                EXPECT_EQ(errors[0].code, GK_ERROR_INVALID_ARGUMENT) << text << " operation " << i << ": " << errors[0].additional;
            } else {
                EXPECT_TRUE(errors.empty()) << text << " operation " << i;
                EXPECT_TRUE(finite_xy(value(result))) << text << " operation " << i << ": " << json_of(result);
            }
        }
    }
}

}  // namespace
