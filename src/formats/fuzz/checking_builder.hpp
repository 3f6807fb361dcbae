#pragma once

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "formats/geometry_builder.hpp"

namespace velmor::formats::fuzz {

// A builder that checks the shape of the event stream and aborts the process on any breach, so the
// fuzzer reports it: begins and ends pair up and match, a point holds exactly one coordinate,
// coordinates appear only where positions are listed, rings only inside polygons, srid only first,
// and a successful walk yields exactly one geometry. A curve starts with a coordinate; arcs follow a
// current point, and inside a compound curve only in a circular piece, straight points only in a
// straight one.
class CheckingBuilder final : public GeometryBuilder {
  public:
    void finish(bool succeeded) const {
        if (succeeded)
            require(open_.empty() && finished_ == 1, "walk ended unbalanced or without one geometry");
    }

    Status srid(std::int32_t) override {
        require(!started_, "srid after the first geometry event");
        return {};
    }
    Status coordinate(const Coordinate& c) override {
        require(c.layout.size() >= 2 && c.layout.size() <= 4, "layout");
        require(!open_.empty(), "coordinate outside any geometry");
        Open& top = open_.back();
        require(top.kind == Kind::Point || top.kind == Kind::LineString || top.kind == Kind::MultiPoint ||
                    top.kind == Kind::CircularString || top.kind == Kind::CompoundCurve,
                "coordinate inside a container of geometries");
        if (top.kind == Kind::CircularString) require(top.coordinates == 0, "straight point in a circular string");
        if (top.kind == Kind::CompoundCurve) {
            require(top.piece != Kind::Point, "compound curve point before its first piece");
            require(top.coordinates == 0 || top.piece == Kind::LineString, "straight point in a circular piece");
        }
        ++top.coordinates;
        if (top.kind == Kind::Point) require(top.coordinates == 1, "point with more than one coordinate");
        return {};
    }
    Status empty_point() override {
        require(open_.empty() || open_.back().kind == Kind::Collection,
                "empty point inside a multi geometry");
        return finished_geometry();
    }
    Status point_begin() override { return begin(Kind::Point, true); }
    Status point_end() override {
        require(!open_.empty() && open_.back().coordinates == 1, "point without its coordinate");
        return end(Kind::Point, true);
    }
    Status linestring_begin(bool tagged) override { return begin(Kind::LineString, tagged); }
    Status linestring_end(bool tagged) override { return end(Kind::LineString, tagged); }
    Status polygon_begin(bool tagged) override { return begin(Kind::Polygon, tagged); }
    Status polygon_end(bool tagged) override { return end(Kind::Polygon, tagged); }
    Status multipoint_begin() override { return begin(Kind::MultiPoint, true); }
    Status multipoint_end() override { return end(Kind::MultiPoint, true); }
    Status multilinestring_begin() override { return begin(Kind::MultiLineString, true); }
    Status multilinestring_end() override { return end(Kind::MultiLineString, true); }
    Status multipolygon_begin() override { return begin(Kind::MultiPolygon, true); }
    Status multipolygon_end() override { return end(Kind::MultiPolygon, true); }
    Status geometry_collection_begin() override {
        require(open_.size() < static_cast<std::size_t>(max_collection_depth) + 1, "nesting bound broken");
        return begin(Kind::Collection, true);
    }
    Status geometry_collection_end() override { return end(Kind::Collection, true); }

    Status arc(const Coordinate& interior, const Coordinate& end) override {
        require(interior.layout.size() <= 4 && end.layout.size() <= 4, "layout");
        require(!open_.empty(), "arc outside any geometry");
        Open& top = open_.back();
        require(top.kind == Kind::CircularString || top.kind == Kind::CompoundCurve, "arc outside a curve");
        require(top.coordinates > 0, "arc without a start point");
        if (top.kind == Kind::CompoundCurve) require(top.piece == Kind::CircularString, "arc in a straight piece");
        ++top.coordinates;
        return {};
    }
    Status circularstring_begin(bool tagged) override { return begin(Kind::CircularString, tagged); }
    Status circularstring_end(bool tagged) override { return end(Kind::CircularString, tagged); }
    Status compoundcurve_begin(bool tagged) override { return begin(Kind::CompoundCurve, tagged); }
    Status compoundcurve_end(bool tagged) override { return end(Kind::CompoundCurve, tagged); }
    Status compound_piece(GeometryType piece) override {
        require(!open_.empty() && open_.back().kind == Kind::CompoundCurve, "piece outside a compound curve");
        require(piece == GeometryType::LineString || piece == GeometryType::CircularString, "piece type");
        open_.back().piece = piece == GeometryType::LineString ? Kind::LineString : Kind::CircularString;
        return {};
    }
    Status curvepolygon_begin(bool tagged) override { return begin(Kind::CurvePolygon, tagged); }
    Status curvepolygon_end(bool tagged) override { return end(Kind::CurvePolygon, tagged); }
    Status multicurve_begin() override { return begin(Kind::MultiCurve, true); }
    Status multicurve_end() override { return end(Kind::MultiCurve, true); }
    Status multisurface_begin() override { return begin(Kind::MultiSurface, true); }
    Status multisurface_end() override { return end(Kind::MultiSurface, true); }

  private:
    enum class Kind {
        Point,
        LineString,
        Polygon,
        MultiPoint,
        MultiLineString,
        MultiPolygon,
        Collection,
        CircularString,
        CompoundCurve,
        CurvePolygon,
        MultiCurve,
        MultiSurface
    };
    struct Open {
        Kind kind;
        bool tagged;
        int coordinates = 0;      // coordinates and arcs
        Kind piece = Kind::Point;  // of a compound curve: the current piece, Point before the first
    };

    static void require(bool condition, const char* what) {
        if (condition) return;
        std::fprintf(stderr, "event stream broken: %s\n", what);
        std::abort();
    }

    // Where an untagged member may sit, and which container a tagged geometry may sit in.
    void check_place(Kind kind, bool tagged) const {
        const Kind* parent = open_.empty() ? nullptr : &open_.back().kind;
        if (tagged) {
            require(parent == nullptr || *parent == Kind::Collection,
                    "tagged geometry inside a multi geometry");
            require(parent != nullptr || finished_ == 0, "second top-level geometry");
            return;
        }
        require(parent != nullptr, "untagged member at the top");
        const bool curve_member = *parent == Kind::CurvePolygon || *parent == Kind::MultiCurve;
        const bool ok =
            (kind == Kind::LineString &&
             (*parent == Kind::Polygon || *parent == Kind::MultiLineString || curve_member)) ||
            ((kind == Kind::CircularString || kind == Kind::CompoundCurve) && curve_member) ||
            (kind == Kind::Polygon && (*parent == Kind::MultiPolygon || *parent == Kind::MultiSurface)) ||
            (kind == Kind::CurvePolygon && *parent == Kind::MultiSurface);
        require(ok, "untagged member in the wrong container");
    }

    Status begin(Kind kind, bool tagged) {
        started_ = true;
        check_place(kind, tagged);
        open_.push_back({kind, tagged});
        return {};
    }

    Status end(Kind kind, bool tagged) {
        require(!open_.empty() && open_.back().kind == kind && open_.back().tagged == tagged,
                "mismatched end");
        open_.pop_back();
        if (tagged) return finished_geometry();
        return {};
    }

    Status finished_geometry() {
        started_ = true;
        if (open_.empty()) ++finished_;
        return {};
    }

    std::vector<Open> open_;
    int finished_ = 0;
    bool started_ = false;
};

}  // namespace velmor::formats::fuzz
