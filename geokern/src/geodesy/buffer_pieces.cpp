#include "geodesy/buffer_pieces.hpp"

#include <GeographicLib/GeodesicLine.hpp>
#include <algorithm>
#include <cmath>

#include "engine/engine_inputs.hpp"
#include "engine/geos_building.hpp"
#include "engine/overlay.hpp"

namespace geokern::geodesy {

using engine::GeosGeometry;
using engine::LinearPart;

namespace {

// Buffers that would need more outline points than this are refused rather than left to exhaust memory.
constexpr size_t max_points = 1'000'000;

// The chord of a circle step strays r (1 - cos(step / 2)) inside the circle.
double arc_step_for(const BufferReach& reach) {
    const double half = std::acos(std::max(0.0, 1.0 - reach.deviation / reach.distance));
    return std::min(45.0, 2.0 * half * 180.0 / M_PI);
}

// The perpendicular offsets of a geodesic bend with geodesic curvature tan(d / R) / R, and the frame
// bends lines by about 1 / R more; a chord of length L strays L^2 k / 8 from such a curve. Half of that
// share keeps the sum of both errors within the deviation.
double station_step_for(const GeographicLib::Geodesic& geodesic, const BufferReach& reach) {
    const double radius = geodesic.EquatorialRadius();
    const double bending = (1.0 + std::tan(std::min(reach.distance / radius, 1.4))) / radius;
    return std::sqrt(4.0 * reach.deviation / bending);
}

double angle_between(double from, double to) {
    double turn = std::remainder(to - from, 360.0);
    if (turn <= -180.0) turn += 360.0;
    return turn;
}

}  // namespace

BufferPieces::BufferPieces(const GeographicLib::Geodesic& geodesic, const AzimuthalFrame& frame,
                           const EdgeCurve& curve, BufferReach reach)
    : geodesic_(geodesic),
      frame_(frame),
      curve_(curve),
      reach_(reach),
      arc_step_(arc_step_for(reach)),
      station_step_(station_step_for(geodesic, reach)) {}

int BufferPieces::count_points(double added) {
    if (!(added <= static_cast<double>(max_points - point_count_))) {
        engine::refuse("the geodesic buffer would need more than 1000000 outline points for the requested "
                       "deviation; ask for a larger deviation.");
    }
    point_count_ += static_cast<size_t>(added);
    return static_cast<int>(added);
}

void BufferPieces::draw(const LonLat& position, LinearPart& drawn) {
    double x = 0.0, y = 0.0;
    frame_.forward(position, x, y);
    drawn.xs.push_back(x);
    drawn.ys.push_back(y);
}

void BufferPieces::add_ring(LinearPart ring) {
    ring.xs.push_back(ring.xs.front());
    ring.ys.push_back(ring.ys.front());
    GeosGeometry polygon = engine::geos_polygon({ring}, engine::RingGroup{0, {}});
    if (!engine::checked(GEOSisValid_r(engine::geos(), polygon.get()), "buffer piece")) {
        polygon = engine::checked(GEOSMakeValid_r(engine::geos(), polygon.get()), "buffer piece");
    }
    pieces_.push_back(std::move(polygon));
}

LonLat BufferPieces::offset(const Station& station, double side) const {
    LonLat moved;
    geodesic_.Direct(station.position.lat, station.position.lon, station.azimuth + side, reach_.distance, moved.lat,
                     moved.lon);
    return moved;
}

void BufferPieces::add_disc(const LonLat& centre) {
    const int count = count_points(std::max(8.0, std::ceil(360.0 / arc_step_)));
    LinearPart ring;
    for (int i = 0; i < count; ++i) draw(offset({centre, 360.0 * i / count}, 0.0), ring);
    add_ring(std::move(ring));
}

// The circle's sector between the offsets of two chords at a corner, on the outer side of the turn.
void BufferPieces::add_fan(const LonLat& corner, double azimuth_in, double azimuth_out) {
    const double turn = angle_between(azimuth_in, azimuth_out);
    if (std::fabs(turn) < 1e-9) return;
    const double start = azimuth_in + (turn >= 0 ? -90.0 : 90.0);
    const int steps = count_points(std::max(1.0, std::ceil(std::fabs(turn) / arc_step_)));
    LinearPart fan;
    draw(corner, fan);
    for (int i = 0; i <= steps; ++i) draw(offset({corner, start + turn * i / steps}, 0.0), fan);
    add_ring(std::move(fan));
}

void BufferPieces::add_point(const LonLat& point) { add_disc(point); }

// The band of one geodesic chord, between offsets square to `start_azimuth` at its start and to
// `end_azimuth` at its end; its stations go into `drawn` (all but the last). The band's ends pass
// through the chord's ends, so that neighbouring bands and fans share them exactly.
void BufferPieces::add_band(const GeographicLib::GeodesicLine& line, const Joint& start, const Joint& end,
                            LinearPart& drawn) {
    const double length = line.Distance();
    const int steps = count_points(std::max(1.0, std::ceil(length / station_step_)));
    count_points(2.0 * steps);  // the band's two sides
    LinearPart left, right;
    for (int i = 0; i <= steps; ++i) {
        Station station;
        line.Position(length * i / steps, station.position.lat, station.position.lon, station.azimuth);
        if (i == 0) station = {start.position, start.azimuth};
        if (i == steps) station = {end.position, end.azimuth};
        if (i < steps) draw(station.position, drawn);
        draw(offset(station, -90.0), left);
        draw(offset(station, 90.0), right);
    }
    draw(end.position, left);
    left.xs.insert(left.xs.end(), right.xs.rbegin(), right.xs.rend());
    left.ys.insert(left.ys.end(), right.ys.rbegin(), right.ys.rend());
    draw(start.position, left);
    add_ring(std::move(left));
}

// An edge as geodesic chords along its curve. Where two chords meet at a slight turn, both bands end on
// the offsets square to the mean direction (they then meet exactly, and those offsets stray less than a
// quarter of the deviation); at a sharper turn each keeps its own and a fan fills the outer side.
void BufferPieces::add_edge(const LonLat& a, const LonLat& b, LinearPart& drawn) {
    std::vector<LonLat> chain{a};
    const std::vector<LonLat> interior = curve_.interior(a, b);
    chain.insert(chain.end(), interior.begin(), interior.end());
    chain.push_back(b);
    std::vector<GeographicLib::GeodesicLine> lines;
    std::vector<double> leaving, arriving;
    for (size_t c = 0; c + 1 < chain.size(); ++c) {
        lines.push_back(geodesic_.InverseLine(chain[c].lat, chain[c].lon, chain[c + 1].lat, chain[c + 1].lon));
        double lat = 0.0, lon = 0.0, azimuth = 0.0;
        lines.back().Position(lines.back().Distance(), lat, lon, azimuth);
        leaving.push_back(lines.back().Azimuth());
        arriving.push_back(azimuth);
    }
    const double slight = 2.0 * std::acos(std::max(0.0, 1.0 - reach_.deviation / (4.0 * reach_.distance)));
    std::vector<double> start_azimuth = leaving, end_azimuth = arriving;
    for (size_t c = 1; c < lines.size(); ++c) {
        const double turn = angle_between(arriving[c - 1], leaving[c]);
        if (std::fabs(turn) * M_PI / 180.0 <= slight) {
            end_azimuth[c - 1] = start_azimuth[c] = arriving[c - 1] + turn / 2.0;
        } else {
            add_fan(chain[c], arriving[c - 1], leaving[c]);
        }
    }
    for (size_t c = 0; c < lines.size(); ++c) {
        add_band(lines[c], {chain[c], start_azimuth[c]}, {chain[c + 1], end_azimuth[c]}, drawn);
    }
}

LinearPart BufferPieces::add_path(const LonLatPath& path, bool closed) {
    LinearPart drawn;
    for (const LonLat& vertex : path) add_disc(vertex);
    const size_t edges = closed ? path.size() : path.size() - 1;
    for (size_t e = 0; e < edges && path.size() > 1; ++e) add_edge(path[e], path[(e + 1) % path.size()], drawn);
    if (!closed && !path.empty()) draw(path.back(), drawn);
    if (closed && !drawn.xs.empty()) {
        drawn.xs.push_back(drawn.xs.front());
        drawn.ys.push_back(drawn.ys.front());
    }
    return drawn;
}

GeosGeometry BufferPieces::merged() {
    // One piece (the circle of a point) is its own union: valid, as add_ring made it.
    if (pieces_.size() == 1) {
        GeosGeometry only = std::move(pieces_.front());
        pieces_.clear();
        return only;
    }
    GeosGeometry all = engine::geos_collection(std::move(pieces_));
    pieces_.clear();
    return engine::checked(GEOSUnaryUnion_r(engine::geos(), all.get()), "union of buffer pieces");
}

}  // namespace geokern::geodesy
