// The writers against our own readers: what the WKT, ISO WKB and EWKB writers produce for a native
// geometry reads back as the same event stream, and a poisoned lock stops a write with its fixed text.
#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>

#include "core/polygon.hpp"
#include "core/polyline.hpp"
#include "format_event_trace.hpp"
#include "formats/wkb_reader.hpp"
#include "formats/wkt_parser.hpp"
#include "formats/writers/wkb_writer.hpp"
#include "formats/writers/wkt_writer.hpp"
#include "native_model_helpers.hpp"

namespace {

using velmor::core::Coord;
using velmor::core::Dims;
using velmor::core::Multipoint;
using velmor::core::Polygon;
using velmor::core::Polyline;
using velmor::core::SharedPart;
using velmor::core::SpatialReference;
using velmor::formats::WkbFlavour;
using velmor::formats::WriteOptions;

SharedPart part_of(Dims dims, std::initializer_list<Coord> coords) {
    const SharedPart part = SharedPart::make(dims);
    for (const Coord& c : coords) part.lock()->push(c);
    return part;
}

template <class Geometry>
std::string wkt_trace(const Geometry& geometry) {
    velmor::test::EventTrace trace;
    EXPECT_TRUE(velmor::formats::parse_wkt(velmor::formats::write_wkt(geometry, {}), trace));
    return trace.text;
}

template <class Geometry>
std::string wkb_trace(const Geometry& geometry, WkbFlavour flavour) {
    const std::string bytes = velmor::formats::write_wkb(geometry, flavour, {});
    velmor::test::EventTrace trace;
    EXPECT_TRUE(velmor::formats::read_wkb(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), trace));
    return trace.text;
}

TEST(WktWkbWriter, EveryFormReadsBackAsTheSameEvents) {
    Polygon two(Dims::XYZ);
    two.set_spatial_reference(SpatialReference{.wkid = 2056});
    ASSERT_TRUE(two.push_ring(part_of(Dims::XYZ, {Coord::xyz(0, 0, 1), Coord::xyz(0, 4, 2), Coord::xyz(4, 4, 3),
                                                 Coord::xyz(0, 0, 1)})));
    ASSERT_TRUE(two.push_ring(part_of(Dims::XYZ, {Coord::xyz(1, 1, 1), Coord::xyz(2, 1, 1), Coord::xyz(2, 2, 1)})));
    ASSERT_TRUE(two.push_ring(part_of(Dims::XYZ, {Coord::xyz(9, 9, 0), Coord::xyz(9, 10, 0), Coord::xyz(10, 10, 0)})));
    const std::string expected =
        "MA[a[l[(0 0 z1)(0 4 z2)(4 4 z3)(0 0 z1)]l[(1 1 z1)(2 1 z1)(2 2 z1)(1 1 z1)]]"
        "a[l[(9 9 z0)(9 10 z0)(10 10 z0)(9 9 z0)]]]";
    EXPECT_EQ(wkt_trace(two), expected);
    EXPECT_EQ(wkb_trace(two, WkbFlavour::Iso), expected);
    EXPECT_EQ(wkb_trace(two, WkbFlavour::Extended), "S2056" + expected);

    Polyline paths(Dims::XYM);
    ASSERT_TRUE(paths.push_path(part_of(Dims::XYM, {Coord::xym(1, 2, 3), Coord::xym(4, 5, 6)})));
    ASSERT_TRUE(paths.push_path(part_of(Dims::XYM, {Coord::xym(7, 8, 9), Coord::xym(1, 1, 1)})));
    EXPECT_EQ(wkt_trace(paths), "ML[l[(1 2 m3)(4 5 m6)]l[(7 8 m9)(1 1 m1)]]");
    EXPECT_EQ(wkb_trace(paths, WkbFlavour::Iso), wkt_trace(paths));

    const Multipoint points(part_of(Dims::XYZM, {Coord::xyzm(1, 2, 3, 4), Coord::xyzm(5, 6, 7, 8)}));
    EXPECT_EQ(wkt_trace(points), "MP[(1 2 z3 m4)(5 6 z7 m8)]");
    EXPECT_EQ(wkb_trace(points, WkbFlavour::Extended), wkt_trace(points));
}

// A write that stops unwinds through the container's lock, which stays poisoned too; each case gets its
// own geometry.
Polyline line_with_poisoned_path() {
    Polyline line(Dims::XY);
    const SharedPart path = part_of(Dims::XY, {Coord::xy(0, 0), Coord::xy(1, 1)});
    EXPECT_TRUE(line.push_path(path));
    velmor::test::poison(path);
    return line;
}

TEST(WktWkbWriter, APoisonedLockStopsTheWriteWithItsText) {
    const Polyline text_line = line_with_poisoned_path();
    EXPECT_EQ(velmor::test::internal_failure_of([&] { velmor::formats::write_wkt(text_line, WriteOptions{}); }),
              "Lock poisoned");
    const Polyline bytes_line = line_with_poisoned_path();
    EXPECT_EQ(velmor::test::internal_failure_of([&] { velmor::formats::write_wkb(bytes_line, WkbFlavour::Iso, {}); }),
              "Lock poisoned");

    Polygon polygon(Dims::XY);
    velmor::test::poison(polygon.rings());
    EXPECT_EQ(velmor::test::internal_failure_of([&] { velmor::formats::write_wkt(polygon, WriteOptions{}); }),
              "Rings lock poisoned");
}

}  // namespace
