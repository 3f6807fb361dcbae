#include "geometry_walk.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <variant>
#include <vector>

#include "core/lock_messages.hpp"
#include "curve_pieces.hpp"

namespace velmor::formats {
namespace {

namespace messages = core::lock_messages;

std::uint32_t count_of(std::size_t size) { return static_cast<std::uint32_t>(size); }

VertexColumns columns_of(const core::Part& part) {
    return {part.xs(), part.ys(), part.zs().value_or(std::span<const double>()),
            part.ms().value_or(std::span<const double>())};
}

WrittenVertex first_vertex(const VertexColumns& columns) {
    return {columns.xs[0], columns.ys[0], columns.zs.empty() ? 0.0 : columns.zs[0],
            columns.ms.empty() ? 0.0 : columns.ms[0]};
}

bool is_open_ring(const core::Part& part) {
    if (part.empty()) return false;
    const std::size_t last = part.size() - 1;
    return part.xs()[last] != part.xs()[0] || part.ys()[last] != part.ys()[0];
}

// A straight path or ring straight from its columns; a ring that does not end where it starts gets its
// first vertex again.
void write_linear(GeometrySink& sink, const core::Part& part, bool tagged, bool ring) {
    const bool closing = ring && is_open_ring(part);
    const VertexColumns columns = columns_of(part);
    sink.open(WrittenType::LineString, tagged, count_of(part.size() + (closing ? 1 : 0)));
    sink.column_points(columns, 0, part.size());
    if (closing) {
        const WrittenVertex first = first_vertex(columns);
        sink.listed_points({&first, 1});
    }
    sink.close();
}

void write_piece(GeometrySink& sink, const CurvePiece& piece, bool tagged) {
    sink.open(piece.arcs ? WrittenType::CircularString : WrittenType::LineString, tagged || piece.arcs,
              count_of(piece.points.size()));
    sink.listed_points(piece.points);
    sink.close();
}

// A curve part as its pieces: one straight piece as a line string, one run of arcs as a circular string
// (unless a compound curve is asked for), else a compound curve of them.
void write_curve(GeometrySink& sink, const std::vector<CurvePiece>& pieces, bool tagged, bool compound) {
    if (pieces.empty()) {
        sink.open(WrittenType::LineString, tagged, 0);
        return sink.close();
    }
    if (pieces.size() == 1 && !(compound && pieces[0].arcs)) return write_piece(sink, pieces[0], tagged);
    sink.open(WrittenType::CompoundCurve, true, count_of(pieces.size()));
    for (const CurvePiece& piece : pieces) write_piece(sink, piece, false);
    sink.close();
}

// The tolerance of the spatial reference as a distance, else a fraction of each curve's own size: a
// fraction of the whole extent would cut a small curve in a large geometry, or any curve far from the
// origin, into tens of thousands of chords.
ChordDeviation chord_deviation(const WriteOptions& options) {
    if (options.tolerance && *options.tolerance > 0.0) return {*options.tolerance, false};
    return {relative_chord_deviation, true};
}

std::vector<std::vector<CurvePiece>> pieces_of(const core::SharedCurveMultipart& curved, bool rings,
                                               ChordDeviation deviation,
                                               std::string_view lock_message) {
    std::vector<std::vector<CurvePiece>> all;
    const auto parts = curved.lock(lock_message);
    all.reserve(parts->size());
    for (const auto& part : *parts) all.push_back(curve_pieces(*part.lock(messages::kAny), rings, deviation));
    return all;
}

bool any_arcs(const std::vector<std::vector<CurvePiece>>& parts) {
    return std::any_of(parts.begin(), parts.end(), [](const auto& pieces) { return has_arcs(pieces); });
}

bool has_elliptic_or_bezier(const core::CurvePart& part) {
    if (!part.has_curves()) return false;
    for (std::size_t i = 1; i < part.size(); ++i) {
        const core::CurveData curve = *part.curve(i);
        if (std::holds_alternative<core::BezierCurve>(curve)) return true;
        const auto* arc = std::get_if<core::EllipticArc>(&curve);
        if (arc != nullptr && arc->ratio != 1.0) return true;
    }
    return false;
}

bool any_chords(const core::SharedCurveMultipart& curved) {
    const auto parts = curved.lock(messages::kAny);
    return std::any_of(parts->begin(), parts->end(),
                       [](const core::SharedCurvePart& part) { return has_elliptic_or_bezier(*part.lock(messages::kAny)); });
}

// One ring of a polygon: a straight one is written from its columns, a curved one from its pieces.
struct Ring {
    std::optional<core::SharedPart> straight;
    std::vector<CurvePiece> pieces;
    bool outer = false;

    bool arcs() const { return !straight && has_arcs(pieces); }
};

// Relative to the first vertex, so that rings far from the origin keep their sign.
double doubled_signed_area(const core::Part& ring) {
    const auto xs = ring.xs(), ys = ring.ys();
    const std::size_t n = xs.size();
    double sum = 0.0;
    for (std::size_t i = 1; i + 1 < n; ++i) {
        sum += (xs[i] - xs[0]) * (ys[i + 1] - ys[0]) - (xs[i + 1] - xs[0]) * (ys[i] - ys[0]);
    }
    return sum;
}

std::vector<Ring> rings_of(const core::Polygon& polygon, ChordDeviation deviation) {
    std::vector<Ring> rings;
    for (auto& pieces : pieces_of(polygon.curve_rings(), true, deviation, messages::kCurveRingsText)) {
        const bool clockwise = doubled_signed_area(pieces) < 0.0;
        rings.push_back({std::nullopt, std::move(pieces), clockwise});
    }
    for (const core::SharedPart& part : *polygon.rings().lock(messages::kRings)) {
        const bool clockwise = doubled_signed_area(*part.lock(messages::kAny)) < 0.0;
        rings.push_back({part, {}, clockwise});
    }
    if (!rings.empty()) rings.front().outer = true;
    return rings;
}

// The rings of each polygon: [begin, end) of the ring list.
struct RingGroup {
    std::size_t begin, end;
    bool arcs = false;
};

std::vector<RingGroup> ring_groups(const std::vector<Ring>& rings) {
    std::vector<RingGroup> groups;
    for (std::size_t i = 0; i < rings.size(); ++i) {
        if (rings[i].outer) groups.push_back({i, i});
        groups.back().end = i + 1;
        groups.back().arcs = groups.back().arcs || rings[i].arcs();
    }
    return groups;
}

void write_ring(GeometrySink& sink, const Ring& ring) {
    if (ring.straight) return write_linear(sink, *ring.straight->lock(messages::kAny), false, true);
    write_curve(sink, ring.pieces, false, true);
}

void write_polygon(GeometrySink& sink, const std::vector<Ring>& rings, const RingGroup& group, bool tagged) {
    const WrittenType type = group.arcs ? WrittenType::CurvePolygon : WrittenType::Polygon;
    sink.open(type, tagged || group.arcs, count_of(group.end - group.begin));
    for (std::size_t i = group.begin; i < group.end; ++i) write_ring(sink, rings[i]);
    sink.close();
}

void write_point(GeometrySink& sink, const WrittenVertex& vertex, bool tagged) {
    if (std::isnan(vertex.x)) return sink.empty_point(tagged);
    sink.open(WrittenType::Point, tagged, 1);
    sink.listed_points({&vertex, 1});
    sink.close();
}

}  // namespace

core::Dims dims_of(const core::PointValue& point) { return core::dims_from_flags(point.has_z(), point.has_m()); }
core::Dims dims_of(const core::EnvelopeValue&) { return core::Dims::XY; }
core::Dims dims_of(const core::Multipoint& multipoint) {
    return multipoint.points().lock(messages::kPointsText)->dims();
}
core::Dims dims_of(const core::Polyline& polyline) { return polyline.dims(); }
core::Dims dims_of(const core::Polygon& polygon) { return polygon.dims(); }

bool needs_chords(const core::PointValue&) { return false; }
bool needs_chords(const core::EnvelopeValue&) { return false; }
bool needs_chords(const core::Multipoint&) { return false; }
bool needs_chords(const core::Polyline& polyline) { return any_chords(polyline.curve_paths()); }
bool needs_chords(const core::Polygon& polygon) { return any_chords(polygon.curve_rings()); }

void walk_geometry(const core::PointValue& point, GeometrySink& sink, const WriteOptions&) {
    write_point(sink, {point.x, point.y, point.z.value_or(0.0), point.m.value_or(0.0)}, true);
}

void walk_geometry(const core::EnvelopeValue& envelope, GeometrySink& sink, const WriteOptions&) {
    if (envelope.is_empty()) {
        sink.open(WrittenType::Polygon, true, 0);
        return sink.close();
    }
    const double x0 = envelope.xmin, y0 = envelope.ymin, x1 = envelope.xmax, y1 = envelope.ymax;
    // Clockwise, as outer rings run.
    const WrittenVertex corners[] = {{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}, {x0, y0}};
    sink.open(WrittenType::Polygon, true, 1);
    sink.open(WrittenType::LineString, false, 5);
    sink.listed_points(corners);
    sink.close();
    sink.close();
}

void walk_geometry(const core::Multipoint& multipoint, GeometrySink& sink, const WriteOptions&) {
    const auto points = multipoint.points().lock(messages::kPointsText);
    const VertexColumns columns = columns_of(*points);
    sink.open(WrittenType::MultiPoint, true, count_of(points->size()));
    for (std::size_t i = 0; i < points->size(); ++i) {
        if (std::isnan(columns.xs[i])) {
            sink.empty_point(false);
            continue;
        }
        sink.open(WrittenType::Point, false, 1);
        sink.column_points(columns, i, i + 1);
        sink.close();
    }
    sink.close();
}

void walk_geometry(const core::Polyline& polyline, GeometrySink& sink, const WriteOptions& options) {
    const ChordDeviation deviation = chord_deviation(options);
    const auto curved = pieces_of(polyline.curve_paths(), false, deviation, messages::kCurvePathsText);
    const auto straight = polyline.paths().lock(messages::kRings);
    const std::size_t count = curved.size() + straight->size();
    const bool arcs = any_arcs(curved);
    if (count <= 1) {
        if (!curved.empty()) return write_curve(sink, curved.front(), true, false);
        if (count == 1) return write_linear(sink, *straight->get(0)->lock(messages::kAny), true, false);
        sink.open(WrittenType::LineString, true, 0);
        return sink.close();
    }
    sink.open(arcs ? WrittenType::MultiCurve : WrittenType::MultiLineString, true, count_of(count));
    for (const auto& pieces : curved) write_curve(sink, pieces, false, false);
    for (const core::SharedPart& part : *straight) write_linear(sink, *part.lock(messages::kAny), false, false);
    sink.close();
}

void walk_geometry(const core::Polygon& polygon, GeometrySink& sink, const WriteOptions& options) {
    const ChordDeviation deviation = chord_deviation(options);
    const std::vector<Ring> rings = rings_of(polygon, deviation);
    const std::vector<RingGroup> groups = ring_groups(rings);
    if (groups.empty()) {
        sink.open(WrittenType::Polygon, true, 0);
        return sink.close();
    }
    if (groups.size() == 1) return write_polygon(sink, rings, groups.front(), true);
    const bool arcs = std::any_of(groups.begin(), groups.end(), [](const RingGroup& group) { return group.arcs; });
    sink.open(arcs ? WrittenType::MultiSurface : WrittenType::MultiPolygon, true, count_of(groups.size()));
    for (const RingGroup& group : groups) write_polygon(sink, rings, group, false);
    sink.close();
}

}  // namespace velmor::formats
