#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "formats/geometry_builder.hpp"

namespace velmor::formats::fuzz {

// A geometry as the event stream described it, kept as a tree so that the harnesses can write it out
// again, read it back and compare: a round trip that checks values and layouts, not only shape.
struct Node {
    enum class Kind {
        Point,
        EmptyPoint,
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
    Kind kind;
    bool tagged = true;
    std::vector<Coordinate> coordinates;
    std::vector<Node> children;
};

inline bool same_value(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

inline bool same_coordinate(const Coordinate& a, const Coordinate& b) {
    return a.layout == b.layout && same_value(a.x, b.x) && same_value(a.y, b.y) &&
           (!a.layout.has_z || same_value(a.z, b.z)) && (!a.layout.has_m || same_value(a.m, b.m));
}

inline bool same_tree(const Node& a, const Node& b) {
    if (a.kind != b.kind || a.tagged != b.tagged || a.coordinates.size() != b.coordinates.size() ||
        a.children.size() != b.children.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.coordinates.size(); ++i) {
        if (!same_coordinate(a.coordinates[i], b.coordinates[i])) return false;
    }
    for (std::size_t i = 0; i < a.children.size(); ++i) {
        if (!same_tree(a.children[i], b.children[i])) return false;
    }
    return true;
}

// Builds the tree of one walk; the shape of the stream is checked separately by CheckingBuilder. A
// circular string keeps all its points (start, then interior and end of each arc); a compound curve
// keeps one untagged child per piece, each with all its points, the shared ones included.
class TreeRecorder final : public GeometryBuilder {
  public:
    std::optional<Node> root;
    std::optional<std::int32_t> srid_value;

    Status srid(std::int32_t value) override {
        srid_value = value;
        return {};
    }
    Status coordinate(const Coordinate& c) override {
        points().push_back(c);
        return {};
    }
    Status arc(const Coordinate& interior, const Coordinate& end) override {
        points().push_back(interior);
        points().push_back(end);
        return {};
    }
    Status empty_point() override { return close(Node{Node::Kind::EmptyPoint}); }
    Status point_begin() override { return open(Node::Kind::Point, true); }
    Status point_end() override { return end(); }
    Status linestring_begin(bool tagged) override { return open(Node::Kind::LineString, tagged); }
    Status linestring_end(bool) override { return end(); }
    Status polygon_begin(bool tagged) override { return open(Node::Kind::Polygon, tagged); }
    Status polygon_end(bool) override { return end(); }
    Status multipoint_begin() override { return open(Node::Kind::MultiPoint, true); }
    Status multipoint_end() override { return end(); }
    Status multilinestring_begin() override { return open(Node::Kind::MultiLineString, true); }
    Status multilinestring_end() override { return end(); }
    Status multipolygon_begin() override { return open(Node::Kind::MultiPolygon, true); }
    Status multipolygon_end() override { return end(); }
    Status geometry_collection_begin() override { return open(Node::Kind::Collection, true); }
    Status geometry_collection_end() override { return end(); }
    Status circularstring_begin(bool tagged) override { return open(Node::Kind::CircularString, tagged); }
    Status circularstring_end(bool) override { return end(); }
    Status compoundcurve_begin(bool tagged) override { return open(Node::Kind::CompoundCurve, tagged); }
    Status compoundcurve_end(bool) override { return end(); }
    Status compound_piece(GeometryType piece) override {
        auto& pieces = open_.back().children;
        Node next{piece == GeometryType::CircularString ? Node::Kind::CircularString : Node::Kind::LineString,
                  false};
        if (!pieces.empty()) next.coordinates.push_back(pieces.back().coordinates.back());
        pieces.push_back(std::move(next));
        return {};
    }
    Status curvepolygon_begin(bool tagged) override { return open(Node::Kind::CurvePolygon, tagged); }
    Status curvepolygon_end(bool) override { return end(); }
    Status multicurve_begin() override { return open(Node::Kind::MultiCurve, true); }
    Status multicurve_end() override { return end(); }
    Status multisurface_begin() override { return open(Node::Kind::MultiSurface, true); }
    Status multisurface_end() override { return end(); }

  private:
    // Where the next point goes: the open geometry, or the current piece of a compound curve.
    std::vector<Coordinate>& points() {
        Node& top = open_.back();
        if (top.kind == Node::Kind::CompoundCurve) return top.children.back().coordinates;
        return top.coordinates;
    }
    Status open(Node::Kind kind, bool tagged) {
        open_.push_back(Node{kind, tagged});
        return {};
    }
    Status end() {
        Node done = std::move(open_.back());
        open_.pop_back();
        return close(std::move(done));
    }
    Status close(Node done) {
        if (open_.empty()) {
            root = std::move(done);
        } else {
            open_.back().children.push_back(std::move(done));
        }
        return {};
    }
    std::vector<Node> open_;
};

}  // namespace velmor::formats::fuzz
