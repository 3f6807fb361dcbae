// Writing geometries as JSON text, and reading what was written back to an equal geometry.
#include <cmath>
#include <limits>
#include <numbers>
#include <random>
#include <string>

#include "geometry/builder_value.hpp"
#include "json/geometry_reader.hpp"
#include "json/geometry_writer.hpp"
#include "json_test_support.hpp"
#include "spatial/spatial_reference_value.hpp"

namespace {

using geometry_test::Geometry;
using JsonWriter = json_test::JsonTest;

struct Written {
    const char* read;
    const char* written;
};

class JsonWriterTexts : public json_test::JsonTest, public ::testing::WithParamInterface<Written> {};

// The written text also reads back to a geometry equal to the one read first.
TEST_P(JsonWriterTexts, WritesCompactJson) {
    Geometry geometry = read(GetParam().read);
    ASSERT_NE(geometry.get(), nullptr) << single_error();
    EXPECT_EQ(write(geometry), GetParam().written);
    Geometry again = read(GetParam().written);
    ASSERT_NE(again.get(), nullptr) << single_error();
    EXPECT_TRUE(GK_Geometry_equals(geometry, again, h));
    EXPECT_TRUE(no_errors());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, JsonWriterTexts,
    ::testing::Values(
        Written{R"({"x": 1, "y": 2, "m": 3})", R"({"x":1,"y":2,"m":3})"},
        Written{R"({"x": NaN, "y": 4, "z": 5})", R"({"x":NaN,"y":NaN,"z":NaN})"},
        Written{R"({"x": null, "y": 8888})", R"({"x":NaN,"y":NaN})"},
        Written{R"({"x": 0.1, "y": -0.0, "z": 1e21, "spatialReference": {"wkid": 102100}})",
                R"({"spatialReference":{"wkid":102100,"latestWkid":3857},"x":0.1,"y":-0.0,"z":1000000000000000000000})"},
        // Whole numbers from 2^53 on keep their shortest digits, padded with zeros.
        Written{R"({"x": 1e23, "y": -9223372036854775808})",
                R"({"x":100000000000000000000000,"y":-9223372036854776000})"},
        Written{R"({"xmin": 10, "ymin": 0, "xmax": 0, "ymax": 5, "zmin": 1, "zmax": 2})",
                R"({"xmin":0,"ymin":0,"xmax":10,"ymax":5,"zmin":1,"zmax":2})"},
        Written{R"({"xmin": null, "ymin": 1, "xmax": 2, "ymax": 3, "mmin": 1})",
                R"({"xmin":NaN,"ymin":NaN,"xmax":NaN,"ymax":NaN,"mmin":NaN,"mmax":NaN})"},
        Written{R"({"paths": []})", R"({"paths":[]})"},
        Written{R"({"hasZ": true, "spatialReference": {"wkid": 4326}, "rings": [[[0, 0, 1], [1, 0, 1], [0, 1, 1]]]})",
                R"({"hasZ":true,"spatialReference":{"wkid":4326},"rings":[[[0,0,1],[1,0,1],[0,1,1],[0,0,1]]]})"},
        // Rings that end on their start even without the repeated vertex are written with it again.
        Written{R"({"rings": [[[0, 0], [0, 0], [0, 0]]]})", R"({"rings":[[[0,0],[0,0],[0,0]]]})"},
        Written{R"({"rings": [[[0, 0], [1, 0], [0, 1], [0, 0], [0, 0]]]})",
                R"({"rings":[[[0,0],[1,0],[0,1],[0,0],[0,0]]]})"},
        // A start with a NaN is still the closing vertex the reader drops, so the text reads back as written.
        Written{R"({"rings": [[[0, "NaN"], [0, 10], [0, 0]]]})", R"({"rings":[[[0,NaN],[0,10],[0,0],[0,NaN]]]})"},
        Written{R"({"rings": [[[0, NaN], [0, 10], [0, 0], [0, NaN]]]})",
                R"({"rings":[[[0,NaN],[0,10],[0,0],[0,NaN]]]})"},
        Written{R"({"hasM": true, "points": [[1, 2, NaN], [3, 4, Infinity]]})",
                R"({"hasM":true,"points":[[1,2,NaN],[3,4,Infinity]]})"},
        // NaN and the infinities are bare tokens, which json.loads reads as the same numbers.
        Written{R"({"x": -Infinity, "y": -0.0, "z": NaN, "m": "Infinity", "hasZ": true, "hasM": true})",
                R"({"x":-Infinity,"y":-0.0,"z":NaN,"m":Infinity})"},
        Written{R"({"paths": [[[5, 5], [6, 6]]], "curvePaths": [[[0, 0], {"b": [[3, 0], [1, 1], [2, -1]]}]]})",
                R"({"curvePaths":[[[0,0],{"b":[[3,0],[1,1],[2,-1]]}]],"paths":[[[5,5],[6,6]]]})"},
        Written{R"({"curvePaths": [[[0, 0], {"a": [[2, 0], [1, 0], 1, 1]}]]})",
                R"({"curvePaths":[[[0,0],{"a":[[2,0],[1,0],false,true]}]],"paths":[]})"},
        Written{R"({"curvePaths": [[[0, 0], {"a": [[4, 0], [2, 0], true, false, 0, 2, 0.5]}]]})",
                R"({"curvePaths":[[[0,0],{"a":[[4,0],[2,0],false,false,0,2,0.5]}]],"paths":[]})"},
        Written{R"({"curveRings": [[[0, 0], {"a": [[0, 0], [1, 0], false, false]}]]})",
                R"({"curveRings":[[[0,0],{"a":[[0,0],[1,0],false,false]}]],"rings":[]})"},
        Written{R"({"curveRings": [[[0, 0], [2, 0], {"b": [[0, 0], [2, 2], [0, 2]]}]]})",
                R"({"curveRings":[[[0,0],[2,0],{"b":[[0,0],[2,2],[0,2]]}]],"rings":[]})"}));

// A compound system named by one code is written with its vertical part's code, and read back.
TEST_F(JsonWriter, WritesACompoundSystemThatReadsBack) {
    Geometry compound = read(R"({"x":1,"y":2,"spatialReference":{"wkid":7414}})");
    ASSERT_NE(compound.get(), nullptr) << single_error();
    const std::string written = write(compound);
    EXPECT_EQ(written, R"({"spatialReference":{"wkid":7414,"vcsWkid":5723},"x":1,"y":2})");
    Geometry again = read(written);
    ASSERT_NE(again.get(), nullptr) << single_error();
    EXPECT_TRUE(GK_Geometry_equals(compound, again, h));
}

// The text the system was read from is written again, digits unchanged (PROJ's own text would round the
// unit to 15 digits and read back as another system).
TEST_F(JsonWriter, WritesASystemWithoutIdentifierAsItsText) {
    const char* odd_unit = R"({"spatialReference":{"wkt":"GEOGCS[\"g\",DATUM[\"d\",SPHEROID[\"s\",6378137,298.2572]],PRIMEM[\"Greenwich\",0],UNIT[\"degree\",1.0174531341774552]]"},"x":1,"y":2})";
    Geometry odd = read(odd_unit);
    ASSERT_NE(odd.get(), nullptr) << single_error();
    EXPECT_EQ(write(odd), odd_unit);
    const char* text = R"({"x": 1, "y": 2, "spatialReference": {"wkt": "PROJCS[\"local\",GEOGCS[\"g\",DATUM[\"d\",SPHEROID[\"s\",6370000,0]],PRIMEM[\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433]],PROJECTION[\"Mercator_1SP\"],PARAMETER[\"central_meridian\",7],UNIT[\"metre\",1]]"}})";
    Geometry geometry = read(text);
    ASSERT_NE(geometry.get(), nullptr) << single_error();
    std::string written = write(geometry);
    EXPECT_EQ(written.rfind(R"({"spatialReference":{"wkt":"PROJCS[\"local\")", 0), 0u) << written;
    Geometry again = read(written);
    EXPECT_TRUE(GK_Geometry_equals(geometry, again, h));
    EXPECT_TRUE(no_errors());
}

// Random geometries of every kind, awareness and segment kind. Arcs are made the way the reader makes
// them, from end points and centre or shape, and numbers range from tiny to huge, NaN and infinities
// included where a geometry can hold them.
class RandomGeometries {
  public:
    explicit RandomGeometries(unsigned seed) : random_(seed) {}

    geokern::GeometryValue next() {
        const bool has_z = coin(), has_m = coin();
        switch (pick(5)) {
            case 0:
                return point(has_z, has_m);
            case 1:
                return envelope(has_z, has_m);
            case 2:
                return multipoint(has_z, has_m);
            default:
                return multipart(pick(2) == 0 ? geokern::geometry_type_polyline : geokern::geometry_type_polygon,
                                 has_z, has_m);
        }
    }

  private:
    bool coin() { return pick(2) == 0; }
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
    double uniform(double low, double high) { return std::uniform_real_distribution<double>(low, high)(random_); }

    // Any double a coordinate may hold: ordinary, tiny, huge, or with awkward digits.
    double any_number() {
        switch (pick(8)) {
            case 0:
                return std::ldexp(uniform(-1, 1), pick(2000) - 1000);
            case 1:
                return static_cast<double>(pick(2001) - 1000);
            case 2:
                return std::numeric_limits<double>::denorm_min() * pick(100);
            default:
                return uniform(-1e6, 1e6);
        }
    }
    // A z or m value: also missing, or infinite.
    double measure() {
        switch (pick(10)) {
            case 0:
                return geokern::nan_value;
            case 1:
                return -std::numeric_limits<double>::infinity();
            default:
                return any_number();
        }
    }

    geokern::SpatialReferenceRef spatial_reference() {
        static const int32_t wkids[] = {4326, 3857, 102100, 2056};
        if (pick(3) != 0) return nullptr;
        return std::const_pointer_cast<geokern::SpatialReferenceValue>(
            geokern::spatial_reference_from_wkid(wkids[pick(4)]));
    }

    geokern::GeometryValue point(bool has_z, bool has_m) {
        geokern::Vertex vertex{any_number(), any_number(), measure(), measure()};
        if (pick(6) == 0) vertex = geokern::Vertex{};
        return geokern::point_value(vertex, has_z, has_m, spatial_reference());
    }

    geokern::GeometryValue envelope(bool has_z, bool has_m) {
        geokern::EnvelopeData data{any_number(), any_number(), any_number(), any_number(),
                                   measure(),    measure(),    measure(),    measure()};
        if (pick(6) == 0) data = geokern::EnvelopeData{};
        return geokern::envelope_value(data, has_z, has_m, spatial_reference());
    }

    void add_point(geokern::PartValue& part, double x, double y) {
        part.xs.push_back(x);
        part.ys.push_back(y);
        if (part.has_z) part.zs.push_back(measure());
        if (part.has_m) part.ms.push_back(measure());
    }

    geokern::PartValue empty(bool has_z, bool has_m) {
        geokern::PartValue part;
        part.has_z = has_z;
        part.has_m = has_m;
        return part;
    }

    geokern::GeometryValue multipoint(bool has_z, bool has_m) {
        geokern::GeometryValue value;
        value.type = geokern::geometry_type_multipoint;
        value.has_z = has_z;
        value.has_m = has_m;
        geokern::PartValue points = empty(has_z, has_m);
        for (int i = pick(6); i > 0; --i) add_point(points, any_number(), any_number());
        value.points = std::make_shared<const geokern::PartValue>(std::move(points));
        value.spatial_reference = spatial_reference();
        return value;
    }

    // The shape of the segment from `start` to `end`, or none for a straight one.
    std::optional<geokern::Curve> segment(const geokern::Vertex& start, const geokern::Vertex& end) {
        const double dx = end.x - start.x, dy = end.y - start.y;
        switch (pick(5)) {
            case 0: {
                // A centre on the perpendicular bisector: both ends on one circle.
                const double t = uniform(-2, 2);
                const geokern::Vertex center{(start.x + end.x) / 2 - t * dy, (start.y + end.y) / 2 + t * dx};
                return geokern::circular_arc_with_center(start, end, center, coin(), coin());
            }
            case 1: {
                const double ratio = uniform(0.2, 0.9);
                const double axis = 2 * std::hypot(dx, dy) / ratio;
                return geokern::arc_from_endpoints(start, end, uniform(-3, 3), coin(), coin(), axis, ratio);
            }
            case 2:
                return geokern::CubicBezier{uniform(-100, 100), uniform(-100, 100), uniform(-100, 100),
                                            uniform(-100, 100)};
            default:
                return std::nullopt;
        }
    }

    // Curved parts keep their points apart so that every arc exists.
    geokern::PartValue part(bool has_z, bool has_m, bool closed, bool curved) {
        geokern::PartValue part = empty(has_z, has_m);
        const int points = (closed ? 3 : 0) + pick(5);
        for (int i = 0; i < points; ++i) {
            if (curved) {
                add_point(part, 10.0 * i + uniform(0, 5), uniform(-50, 50));
            } else {
                add_point(part, any_number(), any_number());
            }
        }
        if (closed && curved && coin()) {
            // A curved closing segment: the first point repeated, closed away below.
            add_point(part, part.xs[0], part.ys[0]);
        }
        if (curved) {
            for (int64_t s = 0; s + 1 < part.point_count(); ++s) {
                if (auto shape = segment(part.point(s), part.point(s + 1))) part.curves.push_back({s, *shape});
            }
        }
        if (closed) geokern::close_ring(part);
        return part;
    }

    geokern::GeometryValue multipart(GK_GeometryType type, bool has_z, bool has_m) {
        geokern::GeometryValue value;
        value.type = type;
        value.has_z = has_z;
        value.has_m = has_m;
        const bool closed = type == geokern::geometry_type_polygon;
        std::vector<std::shared_ptr<const geokern::PartValue>> straight;
        for (int i = pick(4); i > 0; --i) {
            auto made = std::make_shared<const geokern::PartValue>(part(has_z, has_m, closed, coin()));
            // Parts with curves come first, as the text lists them.
            (made->has_curves() ? value.parts : straight).push_back(made);
        }
        value.parts.insert(value.parts.end(), straight.begin(), straight.end());
        value.spatial_reference = spatial_reference();
        return value;
    }

    std::mt19937 random_;
};

TEST_F(JsonWriter, RandomGeometriesReadBackEqual) {
    RandomGeometries generate(20240611);
    for (int i = 0; i < 3000; ++i) {
        Geometry written(geokern::new_geometry(generate.next()));
        std::string text = write(written);
        Geometry again = read(text);
        ASSERT_NE(again.get(), nullptr) << text << "\n" << single_error();
        ASSERT_TRUE(GK_Geometry_equals(written, again, h)) << text << "\n" << write(again);
        ASSERT_EQ(write(again), text);
    }
    EXPECT_TRUE(no_errors());
}

}  // namespace
