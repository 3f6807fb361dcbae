#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "format_event_trace.hpp"
#include "formats/wkb_reader.hpp"
#include "formats/wkt_parser.hpp"

namespace {

using velmor::formats::parse_wkt;
using velmor::formats::read_wkb;
using velmor::test::EventTrace;

std::string walk_wkt(const std::string& wkt) {
    EventTrace trace;
    const auto status = parse_wkt(wkt, trace);
    return status ? trace.text : "error: " + status.error().display();
}

std::string walk_wkb(const std::vector<std::uint8_t>& bytes) {
    EventTrace trace;
    const auto status = read_wkb(bytes, trace);
    return status ? trace.text : "error: " + status.error().display();
}

// Little-endian WKB written by hand: a header, then counts and doubles.
class Wkb {
  public:
    Wkb& header(std::uint32_t code) {
        bytes.push_back(1);
        return u32(code);
    }
    Wkb& u32(std::uint32_t value) { return put(&value, sizeof value); }
    Wkb& points(std::initializer_list<double> values, std::uint32_t per_point = 2) {
        u32(static_cast<std::uint32_t>(values.size() / per_point));
        for (const double v : values) put(&v, sizeof v);
        return *this;
    }
    std::vector<std::uint8_t> bytes;

  private:
    Wkb& put(const void* value, std::size_t size) {
        const auto* p = static_cast<const std::uint8_t*>(value);
        bytes.insert(bytes.end(), p, p + size);
        return *this;
    }
};

TEST(CurveFormats, WktEvents) {
    struct Case {
        const char* wkt;
        const char* events;
    } cases[] = {
        {"CIRCULARSTRING (0 0, 1 1, 2 0)", "CS[(0 0)~(1 1)(2 0)]"},
        {"CIRCULARSTRING M (0 0 1, 1 1 2, 2 0 3, 3 -1 4, 4 0 5)",
         "CS[(0 0 m1)~(1 1 m2)(2 0 m3)~(3 -1 m4)(4 0 m5)]"},
        {"CIRCULARSTRING EMPTY", "CS[]"},
        {"COMPOUNDCURVE (CIRCULARSTRING (0 0, 1 1, 2 0), (2 0, 3 0), CIRCULARSTRING (3 0, 4 1, 5 0))",
         "CC[|C(0 0)~(1 1)(2 0)|L(3 0)|C~(4 1)(5 0)]"},
        {"COMPOUNDCURVE Z ((0 0 1, 1 0 1), LINESTRING (1 0 1, 1 1 1))", "CC[|L(0 0 z1)(1 0 z1)|L(1 1 z1)]"},
        {"CURVEPOLYGON ((0 0, 1 0, 1 1, 0 0), CIRCULARSTRING (0 0, 2 0, 0 0))",
         "CP[l[(0 0)(1 0)(1 1)(0 0)]cs[(0 0)~(2 0)(0 0)]]"},
        {"CURVEPOLYGON (COMPOUNDCURVE (CIRCULARSTRING (0 0, 1 1, 2 0), (2 0, 0 0)))",
         "CP[cc[|C(0 0)~(1 1)(2 0)|L(0 0)]]"},
        {"MULTICURVE ((0 0, 1 1), CIRCULARSTRING (0 0, 1 1, 2 0), COMPOUNDCURVE EMPTY, EMPTY)",
         "MC[l[(0 0)(1 1)]cs[(0 0)~(1 1)(2 0)]cc[]l[]]"},
        {"MULTISURFACE (((0 0, 1 0, 1 1, 0 0)), CURVEPOLYGON EMPTY)", "MS[a[l[(0 0)(1 0)(1 1)(0 0)]]cp[]]"},
        {"GEOMETRYCOLLECTION (CIRCULARSTRING (0 0, 1 1, 2 0), MULTISURFACE EMPTY)",
         "GC[CS[(0 0)~(1 1)(2 0)]MS[]]"},
    };
    for (const auto& c : cases) EXPECT_EQ(walk_wkt(c.wkt), c.events) << c.wkt;
}

TEST(CurveFormats, WkbEventsMatchTheWkt) {
    // COMPOUNDCURVE (CIRCULARSTRING (0 0, 1 1, 2 0), (2 0, 3 0)) in ISO WKB
    Wkb compound;
    compound.header(9).u32(2).header(8).points({0, 0, 1, 1, 2, 0}).header(2).points({2, 0, 3, 0});
    EXPECT_EQ(walk_wkb(compound.bytes), "CC[|C(0 0)~(1 1)(2 0)|L(3 0)]");

    // CURVEPOLYGON Z with a circle ring, EWKB with SRID 2056
    Wkb polygon;
    polygon.header(0xA000000AU).u32(2056).u32(1).header(0x80000008U).points({0, 0, 5, 2, 0, 5, 0, 0, 5}, 3);
    EXPECT_EQ(walk_wkb(polygon.bytes), "S2056CP[cs[(0 0 z5)~(2 0 z5)(0 0 z5)]]");

    // MULTISURFACE of a polygon and a curve polygon, ISO M
    Wkb surfaces;
    surfaces.header(2012).u32(2).header(2003).u32(1).points({0, 0, 1, 1, 0, 1, 1, 1, 1, 0, 0, 1}, 3);
    surfaces.header(2010).u32(0);
    EXPECT_EQ(walk_wkb(surfaces.bytes), "MS[a[l[(0 0 m1)(1 0 m1)(1 1 m1)(0 0 m1)]]cp[]]");
}

TEST(CurveFormats, BuilderFailureInsideAnArcStopsTheWalk) {
    EventTrace trace;
    trace.fail_at = 3;
    const auto status = parse_wkt("CIRCULARSTRING (0 0, 1 1, 2 0, 3 1, 4 0)", trace);
    ASSERT_FALSE(status);
    EXPECT_EQ(trace.text, "CS[(0 0)");
}

}  // namespace
