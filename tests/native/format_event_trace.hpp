#pragma once

#include <cstdio>
#include <string>

#include "formats/geometry_builder.hpp"

namespace velmor::test {

// Records the event stream as compact text, so a whole walk compares as one string:
//   P[(1 2)]  point        E  empty point         L[..] / l[..]  tagged / untagged line string
//   A[..] / a[..] polygon  MP[..] ML[..] MA[..]   multi geometries, GC[..] collection, S<n> srid
//   (x y z<z> m<m>) a coordinate with its z and m when present.
//   CS[..] / cs[..] circular string, CC[..] / cc[..] compound curve, |L |C a compound curve's next
//   straight or circular piece, CP[..] / cp[..] curve polygon, MC[..] multicurve, MS[..] multisurface,
//   ~(interior)(end) a circular arc.
// With fail_at set, the event of that number (counted from 1) fails, to show that a builder error
// stops the walk.
class EventTrace final : public formats::GeometryBuilder {
  public:
    std::string text;
    int fail_at = 0;

    formats::Status srid(std::int32_t value) override { return add("S" + std::to_string(value)); }
    formats::Status coordinate(const formats::Coordinate& c) override { return add(position(c)); }
    formats::Status empty_point() override { return add("E"); }
    formats::Status point_begin() override { return add("P["); }
    formats::Status point_end() override { return add("]"); }
    formats::Status linestring_begin(bool tagged) override { return add(tagged ? "L[" : "l["); }
    formats::Status linestring_end(bool) override { return add("]"); }
    formats::Status polygon_begin(bool tagged) override { return add(tagged ? "A[" : "a["); }
    formats::Status polygon_end(bool) override { return add("]"); }
    formats::Status multipoint_begin() override { return add("MP["); }
    formats::Status multipoint_end() override { return add("]"); }
    formats::Status multilinestring_begin() override { return add("ML["); }
    formats::Status multilinestring_end() override { return add("]"); }
    formats::Status multipolygon_begin() override { return add("MA["); }
    formats::Status multipolygon_end() override { return add("]"); }
    formats::Status geometry_collection_begin() override { return add("GC["); }
    formats::Status geometry_collection_end() override { return add("]"); }
    formats::Status arc(const formats::Coordinate& interior, const formats::Coordinate& end) override {
        return add("~" + position(interior) + position(end));
    }
    formats::Status circularstring_begin(bool tagged) override { return add(tagged ? "CS[" : "cs["); }
    formats::Status circularstring_end(bool) override { return add("]"); }
    formats::Status compoundcurve_begin(bool tagged) override { return add(tagged ? "CC[" : "cc["); }
    formats::Status compoundcurve_end(bool) override { return add("]"); }
    formats::Status compound_piece(formats::GeometryType piece) override {
        return add(piece == formats::GeometryType::CircularString ? "|C" : "|L");
    }
    formats::Status curvepolygon_begin(bool tagged) override { return add(tagged ? "CP[" : "cp["); }
    formats::Status curvepolygon_end(bool) override { return add("]"); }
    formats::Status multicurve_begin() override { return add("MC["); }
    formats::Status multicurve_end() override { return add("]"); }
    formats::Status multisurface_begin() override { return add("MS["); }
    formats::Status multisurface_end() override { return add("]"); }

  private:
    static std::string position(const formats::Coordinate& c) {
        std::string s = "(" + number(c.x) + " " + number(c.y);
        if (c.layout.has_z) s += " z" + number(c.z);
        if (c.layout.has_m) s += " m" + number(c.m);
        return s + ")";
    }
    static std::string number(double v) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%g", v);
        return buffer;
    }
    formats::Status add(const std::string& event) {
        if (++events_ == fail_at) return formats::FormatError::geometry("builder failed");
        text += event;
        return {};
    }
    int events_ = 0;
};

}  // namespace velmor::test
