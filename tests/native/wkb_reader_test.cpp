#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "format_event_trace.hpp"
#include "formats/wkb_reader.hpp"

namespace {

using velmor::formats::read_wkb;
using velmor::test::EventTrace;

std::vector<std::uint8_t> from_hex(const std::string& hex) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(static_cast<std::uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

std::string walk_bytes(const std::vector<std::uint8_t>& bytes) {
    EventTrace trace;
    const auto status = read_wkb(bytes, trace);
    return status ? trace.text : "error: " + status.error().display();
}

std::string walk(const std::string& hex) {
    return walk_bytes(from_hex(hex));
}

// Hex below is what GEOS writes for the WKT in the comment (ISO flavour unless noted).
TEST(WkbReader, EveryTypeDimensionAndByteOrder) {
    struct Case {
        const char* hex;
        const char* events;
    } cases[] = {
        // POINT (1 2), little and big endian
        {"0101000000000000000000F03F0000000000000040", "P[(1 2)]"},
        {"00000000013FF00000000000004000000000000000", "P[(1 2)]"},
        // POINT Z / M / ZM with the 1000/2000/3000 offsets
        {"01E9030000000000000000F03F00000000000000400000000000000840", "P[(1 2 z3)]"},
        {"00000003E93FF000000000000040000000000000004008000000000000", "P[(1 2 z3)]"},
        {"01D1070000000000000000F03F00000000000000400000000000000840", "P[(1 2 m3)]"},
        {"01B90B0000000000000000F03F000000000000004000000000000008400000000000001040", "P[(1 2 z3 m4)]"},
        // EWKB: Z flag with SRID 3857, both byte orders; M flag; Z and M flags without SRID
        {"01010000A0110F0000000000000000F03F00000000000000400000000000000840", "S3857P[(1 2 z3)]"},
        {"00A000000100000F113FF000000000000040000000000000004008000000000000", "S3857P[(1 2 z3)]"},
        {"0101000040000000000000F03F00000000000000400000000000000840", "P[(1 2 m3)]"},
        {"01010000C0000000000000F03F000000000000004000000000000008400000000000001040", "P[(1 2 z3 m4)]"},
        // POINT EMPTY as NaN coordinates
        {"0101000000000000000000F87F000000000000F87F", "E"},
        // LINESTRING (1 2, 3 4), both orders
        {"010200000002000000000000000000F03F000000000000004000000000000008400000000000001040",
         "L[(1 2)(3 4)]"},
        {"0000000002000000023FF0000000000000400000000000000040080000000000004010000000000000",
         "L[(1 2)(3 4)]"},
        // LINESTRING EMPTY
        {"010200000000000000", "L[]"},
        // POLYGON ((0 0, 1 0, 1 1, 0 0))
        {"0103000000010000000400000000000000000000000000000000000000000000000000F03F0000000000000000000000000"
         "0"
         "00F03F000000000000F03F00000000000000000000000000000000",
         "A[l[(0 0)(1 0)(1 1)(0 0)]]"},
        // MULTIPOINT ((1 2), (3 4)), both orders
        {"0104000000020000000101000000000000000000F03F0000000000000040010100000000000000000008400000000000001"
         "040",
         "MP[(1 2)(3 4)]"},
        {"00000000040000000200000000013FF00000000000004000000000000000000000000140080000000000004010000000000"
         "000",
         "MP[(1 2)(3 4)]"},
        // MULTILINESTRING ((1 2, 3 4))
        {"010500000001000000010200000002000000000000000000F03F00000000000000400000000000000840000000000000104"
         "0",
         "ML[l[(1 2)(3 4)]]"},
        // MULTIPOLYGON (((0 0, 1 0, 1 1, 0 0)))
        {"0106000000010000000103000000010000000400000000000000000000000000000000000000000000000000F03F0000000"
         "0"
         "00000000000000000000F03F000000000000F03F00000000000000000000000000000000",
         "MA[a[l[(0 0)(1 0)(1 1)(0 0)]]]"},
        // GEOMETRYCOLLECTION (POINT (1 2), LINESTRING (0 0, 1 1))
        {"0107000000020000000101000000000000000000F03F0000000000000040010200000002000000000000000000000000000"
         "00000"
         "000000000000000000F03F000000000000F03F",
         "GC[P[(1 2)]L[(0 0)(1 1)]]"},
        // an empty GEOMETRYCOLLECTION
        {"010700000000000000", "GC[]"},
    };
    for (const auto& c : cases) EXPECT_EQ(walk(c.hex), c.events) << c.hex;
}

TEST(WkbReader, HostileOrBrokenInputFailsCleanly) {
    struct Case {
        const char* hex;
        const char* message;
    } cases[] = {
        {"", "I/O error: WKB ends early: the byte order at byte 0 needs 1 bytes, 0 left"},
        {"010100", "I/O error: WKB ends early: the geometry type at byte 1 needs 4 bytes, 2 left"},
        {"0101000000000000000000F03F",
         "I/O error: WKB ends early: the coordinate at byte 13 needs 8 bytes, 0 left"},
        {"0101000020E6", "I/O error: WKB ends early: the SRID at byte 5 needs 4 bytes, 1 left"},
        {"07", "invalid WKB: byte order 7 at byte 0 is neither 0 nor 1"},
        {"010D000000", "invalid WKB: unsupported geometry type 13 at byte 1"},
        {"01A10F0000", "invalid WKB: unsupported geometry type 4001 at byte 1"},
        {"0100000000", "invalid WKB: unsupported geometry type 0 at byte 1"},
        // a line string claiming 4294967295 points with 16 bytes behind it
        {"0102000000FFFFFFFF000000000000F03F0000000000000040",
         "invalid WKB: 4294967295 points counted at byte 5 need at least 68719476720 bytes, 16 left"},
        {"0103000000FFFFFFFF",
         "invalid WKB: 4294967295 rings counted at byte 5 need at least 17179869180 bytes, 0 left"},
        {"0107000000FFFFFF7F",
         "invalid WKB: 2147483647 members counted at byte 5 need at least 19327352823 bytes, 0 left"},
        // trailing garbage
        {"0101000000000000000000F03F0000000000000040FF",
         "invalid WKB: 1 bytes left after the geometry at byte 21"},
        // a multipoint holding a line string
        {"010400000001000000010200000001000000000000000000F03F0000000000000040",
         "invalid WKB: member at byte 9 of a MULTIPOINT is a LINESTRING"},
        // a multipoint holding an empty point
        {"0104000000010000000101000000000000000000F87F000000000000F87F",
         "invalid WKB: empty point at byte 9 inside a MULTIPOINT is not supported"},
    };
    for (const auto& c : cases) EXPECT_EQ(walk(c.hex), std::string("error: ") + c.message) << c.hex;
}

TEST(WkbReader, NestedSridIsIgnoredAndMembersKeepTheirOwnDimensions) {
    // EWKB collection with SRID 4326 holding a Z point that repeats the SRID, then a 2D point.
    const std::string hex =
        "0107000020E610000002000000"
        "01010000A0E6100000000000000000F03F00000000000000400000000000000840"
        "0101000000000000000000F03F0000000000000040";
    EXPECT_EQ(walk(hex), "S4326GC[P[(1 2 z3)]P[(1 2)]]");
}

TEST(WkbReader, CollectionNestingIsBounded) {
    auto nested = [](int depth) {
        std::string hex;
        for (int i = 0; i < depth; ++i) hex += "010700000001000000";
        return hex + "0101000000000000000000F03F0000000000000040";
    };
    EXPECT_EQ(walk(nested(64)).substr(0, 3), "GC[");
    EXPECT_EQ(walk(nested(65)), "error: invalid WKB: GEOMETRYCOLLECTION nested more than 64 levels deep");
    EXPECT_EQ(walk(nested(20000)).substr(0, 6), "error:");
}

TEST(WkbReader, BuilderFailureStopsTheWalk) {
    EventTrace trace;
    trace.fail_at = 2;
    const auto bytes =
        from_hex("010200000002000000000000000000F03F000000000000004000000000000008400000000000001040");
    const auto status = read_wkb(bytes, trace);
    ASSERT_FALSE(status);
    EXPECT_EQ(status.error().display(), "processing geometry `builder failed`");
    EXPECT_EQ(trace.text, "L[");
}

TEST(WkbReader, EveryTruncationOfAValidInputFails) {
    const auto full = from_hex(
        "0107000020E610000002000000"
        "01010000A0E6100000000000000000F03F00000000000000400000000000000840"
        "0103000000010000000400000000000000000000000000000000000000000000000000F03F00000000000000000000000000"
        "00F03F000000000000F03F00000000000000000000000000000000");
    ASSERT_EQ(walk_bytes(full).substr(0, 8), "S4326GC[");
    for (std::size_t n = 0; n < full.size(); ++n) {
        const std::vector<std::uint8_t> cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_EQ(walk_bytes(cut).substr(0, 6), "error:") << n;
    }
}

}  // namespace
