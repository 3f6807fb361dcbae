// Random native geometries written as OvraJSON must parse as JSON (NaN and infinities allowed) and
// give back exactly the numbers, flags, texts and member order they came from. Numbers are taken
// from the parser as raw text and read with strtod, so the check does not depend on the parser's
// own float conversion.
#include <gtest/gtest.h>

#include <rapidjson/document.h>

#include <bit>
#include <cfloat>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "core/ovrajson_writer.hpp"
#include "native_model_helpers.hpp"

namespace core = velmor::core;
using rapidjson::Value;
using velmor::test::same_double;

namespace {

constexpr unsigned kParseFlags = rapidjson::kParseNanAndInfFlag | rapidjson::kParseNumbersAsStringsFlag;

// The parser spells infinity "Inf"; ours is "inf". Outside strings that is the only difference.
std::string with_parser_infinities(const std::string& text) {
    std::string out;
    bool in_string = false;
    bool escaped = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (in_string) {
            out += c;
            if (escaped) {
                escaped = false;
            } else if (c == '\\') {
                escaped = true;
            } else if (c == '"') {
                in_string = false;
            }
        } else if (text.compare(i, 3, "inf") == 0) {
            out += "Inf";
            i += 2;
        } else {
            in_string = c == '"';
            out += c;
        }
    }
    return out;
}

class RandomGeometry {
public:
    explicit RandomGeometry(std::uint64_t seed) : rng_(seed) {}

    double number() {
        switch (pick(5)) {
            case 0: {
                static const double kSpecial[] = {0.0,    -0.0,    NAN,          INFINITY, -INFINITY,
                                                  5e-324, DBL_MAX, -DBL_MAX,     DBL_MIN,  1e21,
                                                  1e-7,   0.1,     123456789.125};
                return kSpecial[pick(std::size(kSpecial))];
            }
            case 1:
                return std::bit_cast<double>(std::uint64_t{rng_()});  // any bit pattern, NaNs included
            case 2:
                return double(std::int64_t(pick(2001)) - 1000);
            case 3:
                return std::uniform_real_distribution<double>(-180, 180)(rng_);
            default:
                return std::ldexp(std::uniform_real_distribution<double>(-1, 1)(rng_), int(pick(200)) - 100);
        }
    }

    core::Dims dims() { return core::dims_from_flags(pick(2) == 1, pick(2) == 1); }

    core::Coord coord() { return core::Coord::xyzm(number(), number(), number(), number()); }

    core::CurveData curve() {
        switch (pick(4)) {
            case 1:
                return core::CircularArc{number(), number()};
            case 2: {
                const double ratio = pick(3) == 0 ? 1.0 : number();
                return core::EllipticArc{number(), number(),     number(),    number(),
                                         ratio,    pick(2) == 1, pick(2) == 1};
            }
            case 3:
                return core::BezierCurve{number(), number(), number(), number()};
            default:
                return core::Linear{};
        }
    }

    core::SharedPart part(core::Dims d) {
        core::SharedPart part = core::SharedPart::make(d);
        for (std::size_t i = pick(12); i > 0; --i) part.lock()->push(coord());
        return part;
    }

    core::SharedCurvePart curve_part(core::Dims d) {
        core::SharedCurvePart part = core::SharedCurvePart::make(d);
        const std::size_t n = pick(12);
        for (std::size_t i = 0; i < n; ++i)
            EXPECT_TRUE(part.lock()->push(coord(), i == 0 ? core::Linear{} : curve()));
        return part;
    }

    template <class PartT, class Make>
    core::Shared<core::PartContainer<PartT>> container(core::Dims d, Make make) {
        core::PartContainer<PartT> parts(d);
        for (std::size_t i = pick(4); i > 0; --i) EXPECT_TRUE(parts.push(make(d)));
        return core::Shared<core::PartContainer<PartT>>(std::move(parts));
    }
    core::SharedMultipart multipart(core::Dims d) {
        return container<core::Part>(d, [this](core::Dims x) { return part(x); });
    }
    core::SharedCurveMultipart curve_multipart(core::Dims d) {
        return container<core::CurvePart>(d, [this](core::Dims x) { return curve_part(x); });
    }

    std::optional<core::SpatialReference> spatial_reference() {
        if (pick(2) == 0) return std::nullopt;
        core::SpatialReference value;
        const auto id = [this]() -> std::optional<std::uint32_t> {
            if (pick(2) == 0) return std::nullopt;
            return std::uint32_t(rng_());
        };
        value.wkid = id();
        value.latest_wkid = id();
        value.vcs_wkid = id();
        value.latest_vcs_wkid = id();
        if (pick(2) == 1) value.wkt = text();
        if (pick(2) == 1) value.wkt2 = text();
        return value;
    }

    std::size_t pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_); }

private:
    // Any ASCII character, control characters and quotes included, and some multi-byte UTF-8.
    std::string text() {
        static const char* const kWide[] = {"\xc3\xa9", "\xe2\x82\xac", "\xf0\x9d\x84\x9e", "inf", "NaN"};
        std::string out;
        for (std::size_t i = pick(16); i > 0; --i) {
            if (pick(4) == 0) {
                out += kWide[pick(std::size(kWide))];
            } else {
                out += char(pick(128));
            }
        }
        return out;
    }

    std::mt19937_64 rng_;
};

// Checks of the parsed text against the value it was written from.
void expect_number(const Value& v, double expected) {
    ASSERT_TRUE(v.IsString()) << "a number was expected";
    const double read = std::strtod(v.GetString(), nullptr);
    EXPECT_TRUE(same_double(read, expected)) << v.GetString() << " vs " << expected;
}

void expect_pair(const Value& v, double x, double y) {
    ASSERT_TRUE(v.IsArray());
    ASSERT_EQ(v.Size(), 2U);
    expect_number(v[0], x);
    expect_number(v[1], y);
}

void expect_vertex(const Value& v, const core::Coord& coord) {
    ASSERT_TRUE(v.IsArray());
    const auto buffer = coord.to_buffer();
    ASSERT_EQ(v.Size(), buffer.size);
    for (std::size_t i = 0; i < buffer.size; ++i) expect_number(v[rapidjson::SizeType(i)], buffer.values[i]);
}

void expect_part(const Value& v, const core::Part& part) {
    ASSERT_TRUE(v.IsArray());
    ASSERT_EQ(v.Size(), part.size());
    for (std::size_t i = 0; i < part.size(); ++i) expect_vertex(v[rapidjson::SizeType(i)], *part.get(i));
}

void expect_flag(const Value& v, bool flag) {
    ASSERT_TRUE(v.IsString());
    EXPECT_STREQ(v.GetString(), flag ? "1" : "0");
}

void expect_curve_element(const Value& v, const core::CurveVertex& vertex) {
    if (core::is_linear(vertex.curve)) return expect_vertex(v, vertex.coord);
    ASSERT_TRUE(v.IsObject());
    ASSERT_EQ(v.MemberCount(), 1U);
    const std::string key = v.MemberBegin()->name.GetString();
    const Value& items = v.MemberBegin()->value;
    ASSERT_TRUE(items.IsArray());
    ASSERT_GE(items.Size(), 2U);
    expect_vertex(items[0], vertex.coord);
    if (const auto* arc = std::get_if<core::CircularArc>(&vertex.curve)) {
        EXPECT_EQ(key, "c");
        ASSERT_EQ(items.Size(), 2U);
        expect_pair(items[1], arc->interior_x, arc->interior_y);
    } else if (const auto* bezier = std::get_if<core::BezierCurve>(&vertex.curve)) {
        EXPECT_EQ(key, "b");
        ASSERT_EQ(items.Size(), 3U);
        expect_pair(items[1], bezier->control1_x, bezier->control1_y);
        expect_pair(items[2], bezier->control2_x, bezier->control2_y);
    } else {
        const auto& ellipse = std::get<core::EllipticArc>(vertex.curve);
        EXPECT_EQ(key, "a");
        ASSERT_EQ(items.Size(), ellipse.ratio == 1.0 ? 4U : 7U);
        expect_pair(items[1], ellipse.center_x, ellipse.center_y);
        expect_flag(items[2], ellipse.minor);
        expect_flag(items[3], ellipse.clockwise);
        if (ellipse.ratio != 1.0) {
            expect_number(items[4], ellipse.rotation);
            expect_number(items[5], ellipse.axis);
            expect_number(items[6], ellipse.ratio);
        }
    }
}

void expect_part(const Value& v, const core::CurvePart& part) {
    ASSERT_TRUE(v.IsArray());
    ASSERT_EQ(v.Size(), part.size());
    for (std::size_t i = 0; i < part.size(); ++i)
        expect_curve_element(v[rapidjson::SizeType(i)], *part.get(i));
}

template <class PartT>
void expect_container(const Value& v, const core::Shared<core::PartContainer<PartT>>& shared) {
    const auto container = shared.lock();
    ASSERT_TRUE(v.IsArray());
    ASSERT_EQ(v.Size(), container->size());
    for (std::size_t i = 0; i < container->size(); ++i) {
        expect_part(v[rapidjson::SizeType(i)], *container->get(i)->lock());
    }
}

void expect_spatial_reference(const Value& v, const core::SpatialReference& expected) {
    ASSERT_TRUE(v.IsObject());
    std::vector<std::string> keys;
    for (auto m = v.MemberBegin(); m != v.MemberEnd(); ++m) keys.emplace_back(m->name.GetString());
    std::vector<std::string> expected_keys;
    const auto id = [&](const char* key, const std::optional<std::uint32_t>& value) {
        if (!value) return;
        expected_keys.emplace_back(key);
        ASSERT_TRUE(v[key].IsString());
        EXPECT_EQ(std::strtoull(v[key].GetString(), nullptr, 10), *value);
    };
    const auto text = [&](const char* key, const std::optional<std::string>& value) {
        if (!value) return;
        expected_keys.emplace_back(key);
        ASSERT_TRUE(v[key].IsString());
        EXPECT_EQ(std::string(v[key].GetString(), v[key].GetStringLength()), *value);
    };
    id("wkid", expected.wkid);
    id("latestWkid", expected.latest_wkid);
    id("vcsWkid", expected.vcs_wkid);
    id("latestVcsWkid", expected.latest_vcs_wkid);
    text("wkt", expected.wkt);
    text("wkt2", expected.wkt2);
    EXPECT_EQ(keys, expected_keys);
}

std::vector<std::string> member_names(const Value& v) {
    std::vector<std::string> names;
    for (auto m = v.MemberBegin(); m != v.MemberEnd(); ++m) names.emplace_back(m->name.GetString());
    return names;
}

// The members common to the multi-vertex geometries, in order: hasZ, hasM, spatialReference.
std::vector<std::string> expect_header(const Value& v, core::Dims dims,
                                       const std::optional<core::SpatialReference>& reference) {
    std::vector<std::string> names;
    if (core::has_z(dims)) {
        names.emplace_back("hasZ");
        EXPECT_TRUE(v["hasZ"].IsTrue());
    }
    if (core::has_m(dims)) {
        names.emplace_back("hasM");
        EXPECT_TRUE(v["hasM"].IsTrue());
    }
    if (reference) {
        names.emplace_back("spatialReference");
        expect_spatial_reference(v["spatialReference"], *reference);
    }
    return names;
}

template <class Geometry>
void expect_multipart_geometry(const Value& v, const Geometry& geometry, const char* curved_key,
                               const char* linear_key, const core::SharedCurveMultipart& curved,
                               const core::SharedMultipart& linear) {
    ASSERT_TRUE(v.IsObject());
    std::vector<std::string> names = expect_header(v, geometry.dims(), geometry.spatial_reference());
    if (!curved.lock()->empty()) {
        names.emplace_back(curved_key);
        expect_container(v[curved_key], curved);
    }
    names.emplace_back(linear_key);
    expect_container(v[linear_key], linear);
    EXPECT_EQ(member_names(v), names);
}

// An optional value member of a point or envelope; every number is null when the value is empty.
void expect_value(const Value& object, std::vector<std::string>& names, const char* key,
                  std::optional<double> value, bool null) {
    if (!value) return;
    names.emplace_back(key);
    if (null) {
        EXPECT_TRUE(object[key].IsNull()) << key;
    } else {
        expect_number(object[key], *value);
    }
}

void expect_id(const Value& object, std::vector<std::string>& names, const char* key,
               std::optional<std::uint32_t> value, bool null) {
    if (!value) return;
    names.emplace_back(key);
    if (null) {
        EXPECT_TRUE(object[key].IsNull()) << key;
    } else {
        ASSERT_TRUE(object[key].IsString());
        EXPECT_EQ(std::strtoull(object[key].GetString(), nullptr, 10), *value);
    }
}

std::vector<std::string> expect_reference_member(const Value& v,
                                                 const std::optional<core::SpatialReference>& r) {
    if (!r) return {};
    expect_spatial_reference(v["spatialReference"], *r);
    return {"spatialReference"};
}

TEST(OvraJsonWriterProperty, RandomGeometriesParseBackToTheirValues) {
    for (std::uint64_t seed = 1; seed <= 400; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        RandomGeometry random(seed);
        const core::Dims dims = random.dims();
        std::string text;
        std::function<void(const Value&)> expect;
        std::optional<core::Polyline> polyline;
        std::optional<core::Polygon> polygon;
        std::optional<core::Multipoint> multipoint;
        core::PointValue point;
        core::EnvelopeValue envelope;
        switch (random.pick(5)) {
            case 0:
                polyline.emplace(dims);
                ASSERT_TRUE(polyline->set_paths(random.multipart(dims)));
                ASSERT_TRUE(polyline->set_curve_paths(random.curve_multipart(dims)));
                polyline->set_spatial_reference(random.spatial_reference());
                text = core::write_ovrajson(*polyline);
                expect = [&](const Value& v) {
                    expect_multipart_geometry(v, *polyline, "curvePaths", "paths", polyline->curve_paths(),
                                              polyline->paths());
                };
                break;
            case 1:
                polygon.emplace(dims);
                ASSERT_TRUE(polygon->set_rings(random.multipart(dims)));
                ASSERT_TRUE(polygon->set_curve_rings(random.curve_multipart(dims)));
                polygon->set_spatial_reference(random.spatial_reference());
                text = core::write_ovrajson(*polygon);
                expect = [&](const Value& v) {
                    expect_multipart_geometry(v, *polygon, "curveRings", "rings", polygon->curve_rings(),
                                              polygon->rings());
                };
                break;
            case 2:
                multipoint.emplace(random.part(dims), random.spatial_reference());
                text = core::write_ovrajson(*multipoint);
                expect = [&](const Value& v) {
                    ASSERT_TRUE(v.IsObject());
                    std::vector<std::string> names = expect_header(v, dims, multipoint->spatial_reference());
                    names.emplace_back("points");
                    expect_part(v["points"], *multipoint->points().lock());
                    EXPECT_EQ(member_names(v), names);
                };
                break;
            case 3:
                point.x = random.pick(5) == 0 ? NAN : random.number();
                point.y = random.number();
                if (core::has_z(dims)) point.z = random.number();
                if (core::has_m(dims)) point.m = random.number();
                point.spatial_reference = random.spatial_reference();
                text = core::write_ovrajson(point);
                expect = [&](const Value& v) {
                    ASSERT_TRUE(v.IsObject());
                    const bool null = point.is_empty();
                    std::vector<std::string> names = expect_reference_member(v, point.spatial_reference);
                    expect_value(v, names, "x", point.x, null);
                    expect_value(v, names, "y", point.y, null);
                    expect_value(v, names, "z", point.z, null);
                    expect_value(v, names, "m", point.m, null);
                    EXPECT_EQ(member_names(v), names);
                };
                break;
            default:
                envelope.xmin = random.pick(5) == 0 ? NAN : random.number();
                envelope.ymin = random.number();
                envelope.xmax = random.number();
                envelope.ymax = random.number();
                for (auto* bound : {&envelope.zmin, &envelope.zmax, &envelope.mmin, &envelope.mmax}) {
                    if (random.pick(2) == 1) *bound = random.number();
                }
                if (random.pick(2) == 1) envelope.idmin = std::uint32_t(random.pick(1ULL << 32));
                if (random.pick(2) == 1) envelope.idmax = std::uint32_t(random.pick(1ULL << 32));
                envelope.spatial_reference = random.spatial_reference();
                text = core::write_ovrajson(envelope);
                expect = [&](const Value& v) {
                    ASSERT_TRUE(v.IsObject());
                    const bool null = envelope.is_empty();
                    std::vector<std::string> names = expect_reference_member(v, envelope.spatial_reference);
                    expect_value(v, names, "xmin", envelope.xmin, null);
                    expect_value(v, names, "ymin", envelope.ymin, null);
                    expect_value(v, names, "xmax", envelope.xmax, null);
                    expect_value(v, names, "ymax", envelope.ymax, null);
                    expect_value(v, names, "zmin", envelope.zmin, null);
                    expect_value(v, names, "zmax", envelope.zmax, null);
                    expect_value(v, names, "mmin", envelope.mmin, null);
                    expect_value(v, names, "mmax", envelope.mmax, null);
                    expect_id(v, names, "idmin", envelope.idmin, null);
                    expect_id(v, names, "idmax", envelope.idmax, null);
                    EXPECT_EQ(member_names(v), names);
                };
        }
        rapidjson::Document document;
        const std::string parseable = with_parser_infinities(text);
        document.Parse<kParseFlags>(parseable.c_str(), parseable.size());
        ASSERT_FALSE(document.HasParseError()) << "parse error " << document.GetParseError() << " at "
                                               << document.GetErrorOffset() << " in " << text;
        expect(document);
        if (HasFailure()) {
            ADD_FAILURE() << text;
            return;
        }
    }
}

}  // namespace
