#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "core/ovrajson_writer.hpp"
#include "core/spatial_reference_value.hpp"
#include "native_model_helpers.hpp"

using velmor::core::BezierCurve;
using velmor::core::CircularArc;
using velmor::core::compact_json;
using velmor::core::Coord;
using velmor::core::CurvePart;
using velmor::core::Dims;
using velmor::core::EllipticArc;
using velmor::core::EnvelopeValue;
using velmor::core::Linear;
using velmor::core::Multipoint;
using velmor::core::Part;
using velmor::core::PointValue;
using velmor::core::Polygon;
using velmor::core::Polyline;
using velmor::core::SharedCurvePart;
using velmor::core::SharedPart;
using velmor::core::SpatialReference;
using velmor::core::write_ovrajson;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

SpatialReference wkid(std::uint32_t id) {
    SpatialReference value;
    value.wkid = id;
    return value;
}

TEST(OvraJsonWriter, Polylines) {
    EXPECT_EQ(write_ovrajson(Polyline(Dims::XY)), R"({"paths": []})");

    Polyline curved(Dims::XY);
    const SharedCurvePart arc = SharedCurvePart::make(Dims::XY);
    ASSERT_TRUE(arc.lock()->push(Coord::xy(0, 0), Linear{}));
    ASSERT_TRUE(arc.lock()->push(Coord::xy(2, 0), CircularArc{1, 1}));
    ASSERT_TRUE(curved.push_curve_path(arc));
    EXPECT_EQ(write_ovrajson(curved), R"({"curvePaths": [[[0, 0], {"c": [[2, 0], [1, 1]]}]], "paths": []})");

    Polyline full(Dims::XYZM);
    full.set_spatial_reference(wkid(3857));
    const SharedPart path = SharedPart::make(Dims::XYZM);
    path.lock()->push(Coord::xyzm(1, 2, 3, 4));
    ASSERT_TRUE(full.push_path(path));
    EXPECT_EQ(
        write_ovrajson(full),
        R"({"hasZ": true, "hasM": true, "spatialReference": {"wkid":3857}, "paths": [[[1, 2, 3, 4]]]})");
}

TEST(OvraJsonWriter, Polygons) {
    SpatialReference reference = wkid(4326);
    Polygon polygon(Dims::XYZ);
    polygon.set_spatial_reference(reference);
    const SharedPart ring = SharedPart::make(Dims::XYZ);
    for (const Coord& c : {Coord::xyz(0, 0, 1), Coord::xyz(1, 0, 1), Coord::xyz(0, 1, 1)})
        ring.lock()->push(c);
    ASSERT_TRUE(polygon.push_ring(ring));
    EXPECT_EQ(
        write_ovrajson(polygon),
        R"({"hasZ": true, "spatialReference": {"wkid":4326}, "rings": [[[0, 0, 1], [1, 0, 1], [0, 1, 1]]]})");

    Polygon measured(Dims::XYM);
    const SharedCurvePart circle = SharedCurvePart::make(Dims::XYM);
    ASSERT_TRUE(circle.lock()->push(Coord::xym(0, 0, 5), Linear{}));
    ASSERT_TRUE(circle.lock()->push(Coord::xym(0, 0, 6), CircularArc{1, 1}));
    ASSERT_TRUE(measured.push_curve_ring(circle));
    EXPECT_EQ(write_ovrajson(measured),
              R"({"hasM": true, "curveRings": [[[0, 0, 5], {"c": [[0, 0, 6], [1, 1]]}]], "rings": []})");
}

TEST(OvraJsonWriter, CurveElements) {
    struct Case {
        velmor::core::CurveData curve;
        const char* element;
    } cases[] = {
        {Linear{}, "[3, 4]"},
        {CircularArc{1.5, -2}, R"({"c": [[3, 4], [1.5, -2]]})"},
        {BezierCurve{1, 2, 3, 0.25}, R"({"b": [[3, 4], [1, 2], [3, 0.25]]})"},
        {EllipticArc{10, 20, 0.5, 7, 1.0, true, false}, R"({"a": [[3, 4], [10, 20], 1, 0]})"},
        {EllipticArc{10, 20, 0.5, 7, 0.5, false, true}, R"({"a": [[3, 4], [10, 20], 0, 1, 0.5, 7, 0.5]})"},
        {EllipticArc{10, 20, -0.0, 7, kNaN, false, false}, R"({"a": [[3, 4], [10, 20], 0, 0, -0, 7, NaN]})"},
    };
    for (const Case& c : cases) {
        CurvePart part(Dims::XY);
        ASSERT_TRUE(part.push(Coord::xy(0, 0), Linear{}));
        ASSERT_TRUE(part.push(Coord::xy(3, 4), c.curve));
        EXPECT_EQ(write_ovrajson(part), std::string("[[0, 0], ") + c.element + "]");
    }
}

TEST(OvraJsonWriter, VerticesAndParts) {
    EXPECT_EQ(write_ovrajson(Coord::xyzm(1, 2.5, kNaN, -0.0)), "[1, 2.5, NaN, -0]");
    Part part(Dims::XYZ);
    part.push(Coord::xy(1, 2));
    part.push(Coord::xyz(kInf, -kInf, 1e21));
    part.push(Coord::xyz(1e-7, 0.1, -3));
    EXPECT_EQ(write_ovrajson(part),
              "[[1, 2, NaN], [inf, -inf, 1000000000000000000000], [0.0000001, 0.1, -3]]");
    EXPECT_EQ(write_ovrajson(Part(Dims::XYZM)), "[]");
    EXPECT_EQ(write_ovrajson(CurvePart(Dims::XY)), "[]");
}

TEST(OvraJsonWriter, Multipoints) {
    EXPECT_EQ(write_ovrajson(Multipoint(Dims::XY)), R"({"points": []})");
    const SharedPart points = SharedPart::make(Dims::XYZ);
    points.lock()->push(Coord::xyz(1, 2, 3));
    points.lock()->push(Coord::xy(4, 5));
    EXPECT_EQ(write_ovrajson(Multipoint(points, wkid(2056))),
              R"({"hasZ": true, "spatialReference": {"wkid":2056}, "points": [[1, 2, 3], [4, 5, NaN]]})");
}

TEST(OvraJsonWriter, Points) {
    struct Case {
        PointValue point;
        const char* text;
    } cases[] = {
        {PointValue{}, R"({"x": null, "y": null})"},
        {PointValue{.z = std::nullopt, .m = 3, .spatial_reference = std::nullopt, .x = 1, .y = 2},
         R"({"x": 1, "y": 2, "m": 3})"},
        {PointValue{.z = 7, .m = 8, .spatial_reference = std::nullopt, .x = kNaN, .y = 2},
         R"({"x": null, "y": null, "z": null, "m": null})"},
        {PointValue{.z = kNaN, .m = std::nullopt, .spatial_reference = wkid(4326), .x = -0.0, .y = kNaN},
         R"({"spatialReference": {"wkid":4326}, "x": -0, "y": NaN, "z": NaN})"},
    };
    for (const Case& c : cases) EXPECT_EQ(write_ovrajson(c.point), c.text);
}

TEST(OvraJsonWriter, Envelopes) {
    EnvelopeValue box;
    box.xmin = 0;
    box.ymin = 0;
    box.xmax = 10;
    box.ymax = 5;
    box.zmin = 1;
    box.zmax = 2;
    EXPECT_EQ(write_ovrajson(box), R"({"xmin": 0, "ymin": 0, "xmax": 10, "ymax": 5, "zmin": 1, "zmax": 2})");

    EnvelopeValue all = box;
    all.mmin = -1;
    all.mmax = 0.5;
    all.idmin = 0;
    all.idmax = 4294967295U;
    all.spatial_reference = wkid(4326);
    EXPECT_EQ(
        write_ovrajson(all),
        R"({"spatialReference": {"wkid":4326}, "xmin": 0, "ymin": 0, "xmax": 10, "ymax": 5, "zmin": 1, )"
        R"("zmax": 2, "mmin": -1, "mmax": 0.5, "idmin": 0, "idmax": 4294967295})");

    all.xmin = kNaN;
    EXPECT_EQ(
        write_ovrajson(all),
        R"({"spatialReference": {"wkid":4326}, "xmin": null, "ymin": null, "xmax": null, "ymax": null, )"
        R"("zmin": null, "zmax": null, "mmin": null, "mmax": null, "idmin": null, "idmax": null})");
    EXPECT_EQ(write_ovrajson(EnvelopeValue{}), R"({"xmin": null, "ymin": null, "xmax": null, "ymax": null})");
}

TEST(SpatialReferenceJson, FieldsInOrderWithoutSpaces) {
    SpatialReference value;
    EXPECT_EQ(compact_json(value), "{}");
    value.wkid = 4326;
    value.latest_wkid = 4326;
    EXPECT_EQ(compact_json(value), R"({"wkid":4326,"latestWkid":4326})");
    value.wkt2 = "b";
    value.wkt = "a";
    value.latest_vcs_wkid = 4294967295U;
    value.vcs_wkid = 0;
    EXPECT_EQ(
        compact_json(value),
        R"({"wkid":4326,"latestWkid":4326,"vcsWkid":0,"latestVcsWkid":4294967295,"wkt":"a","wkt2":"b"})");
}

TEST(SpatialReferenceJson, TextEscapes) {
    struct Case {
        std::string wkt;
        std::string json;
    } cases[] = {
        {"GEOGCS[\"WGS 84\"]", R"({"wkt":"GEOGCS[\"WGS 84\"]"})"},
        {"a\\b", R"({"wkt":"a\\b"})"},
        {"\b\t\n\f\r", R"({"wkt":"\b\t\n\f\r"})"},
        {std::string("\x00\x01\x1f\x0b", 4), R"({"wkt":"\u0000\u0001\u001f\u000b"})"},
        // Everything else passes unchanged: '/', DEL and non-ASCII UTF-8.
        {"/\x7f\xc3\xa9\xe2\x82\xac", "{\"wkt\":\"/\x7f\xc3\xa9\xe2\x82\xac\"}"},
    };
    for (const Case& c : cases) {
        SpatialReference value;
        value.wkt = c.wkt;
        EXPECT_EQ(compact_json(value), c.json);
    }
}

}  // namespace
