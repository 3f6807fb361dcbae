#include "geodesy/geodesic_ellipse.hpp"

#include <algorithm>
#include <cmath>

#include "engine/engine_inputs.hpp"
#include "engine/geos_conversion.hpp"
#include "engine/number_text.hpp"
#include "geodesy/geodetic_frame.hpp"
#include "geodesy/geodetic_inputs.hpp"
#include "geodesy/lon_lat.hpp"

namespace geokern::geodesy {

namespace {

// Samples of the outline used to spread its points evenly by length.
constexpr int length_samples = 4096;
// Segments are measured on those samples, which run slightly short of the curve; a little slack keeps
// every chord within the maximum.
constexpr double length_slack = 0.999;

// The ellipse laid on the ellipsoid from its centre, in metres and degrees.
class EllipseOnEllipsoid {
  public:
    EllipseOnEllipsoid(const GeographicLib::Geodesic& geodesic, LonLat centre, double axis1, double axis2,
                       double axis_azimuth)
        : geodesic_(geodesic), centre_(centre), axis1_(axis1), axis2_(axis2), axis_azimuth_(axis_azimuth) {}

    double radius(double azimuth) const {
        const double phi = (azimuth - axis_azimuth_) * M_PI / 180.0;
        return axis1_ * axis2_ / std::hypot(axis2_ * std::cos(phi), axis1_ * std::sin(phi));
    }
    LonLat along(double azimuth, double distance) const {
        LonLat p;
        geodesic_.Direct(centre_.lat, centre_.lon, azimuth, distance, p.lat, p.lon);
        p.lon += 360.0 * std::round((centre_.lon - p.lon) / 360.0);
        return p;
    }
    LonLat at(double azimuth) const { return along(azimuth, radius(azimuth)); }
    double distance(const LonLat& a, const LonLat& b) const {
        double length = 0.0;
        geodesic_.Inverse(a.lat, a.lon, b.lat, b.lon, length);
        return length;
    }
    const LonLat& centre() const { return centre_; }

  private:
    const GeographicLib::Geodesic& geodesic_;
    LonLat centre_;
    double axis1_, axis2_, axis_azimuth_;
};

// Cumulative lengths along the arc from `start` through `sweep` degrees, at evenly spaced azimuths.
std::vector<double> arc_lengths(const EllipseOnEllipsoid& ellipse, double start, double sweep) {
    std::vector<double> lengths{0.0};
    LonLat previous = ellipse.at(start);
    for (int i = 1; i <= length_samples; ++i) {
        const LonLat next = ellipse.at(start + sweep * i / length_samples);
        lengths.push_back(lengths.back() + ellipse.distance(previous, next));
        previous = next;
    }
    return lengths;
}

// `count` segments of equal length along the arc: their count + 1 end points.
std::vector<LonLat> arc_points(const EllipseOnEllipsoid& ellipse, double start, double sweep, int64_t count) {
    const std::vector<double> lengths = arc_lengths(ellipse, start, sweep);
    std::vector<LonLat> points;
    size_t sample = 0;
    for (int64_t k = 0; k <= count; ++k) {
        const double target = lengths.back() * static_cast<double>(k) / static_cast<double>(count);
        while (sample + 1 < lengths.size() - 1 && lengths[sample + 1] < target) ++sample;
        const double span = lengths[sample + 1] - lengths[sample];
        const double within = span > 0 ? std::clamp((target - lengths[sample]) / span, 0.0, 1.0) : 0.0;
        points.push_back(ellipse.at(start + sweep * (static_cast<double>(sample) + within) / length_samples));
    }
    return points;
}

// Segments a length needs to keep each within `max_length` (0: no limit, one segment).
int64_t segments_for(double length, double max_length) {
    if (max_length <= 0.0) return 1;
    const double count = std::ceil(length / (max_length * length_slack));
    if (!(count < 1e9)) engine::refuse("the max segment length is too small for the ellipse.");
    return std::max<int64_t>(1, static_cast<int64_t>(count));
}

// Points between the centre and a point of the arc (neither included).
std::vector<LonLat> radial_points(const EllipseOnEllipsoid& ellipse, double azimuth, int64_t segments) {
    std::vector<LonLat> points;
    const double radius = ellipse.radius(azimuth);
    for (int64_t k = 1; k < segments; ++k) points.push_back(ellipse.along(azimuth, radius * k / segments));
    return points;
}

struct Plan {
    int64_t fixed_points = 0;  // points beside the arc's
    bool closed_ring = false;  // the arc's ends are one point (a whole ellipse)
};

// Outlines are never made of more points than this, whatever the max point count allows.
constexpr int64_t most_points = 10'000'000;

// Segments along the arc: as many as the point budget allows, or as few as the max length needs.
int64_t arc_segments(int64_t max_point_count, double max_length, double arc_length, const Plan& plan,
                     int64_t repeated) {
    const int64_t budget =
        std::min(max_point_count, most_points) - plan.fixed_points - repeated - (plan.closed_ring ? 0 : 1);
    int64_t segments = max_length > 0.0 ? segments_for(arc_length, max_length) : budget;
    const int64_t least = plan.closed_ring ? 3 : 1;
    segments = std::max(segments, least);
    if (segments > budget) {
        engine::refuse("the outline needs " + std::to_string(segments + plan.fixed_points + repeated +
                                                             (plan.closed_ring ? 0 : 1)) +
                       " points but the max point count is " + std::to_string(max_point_count) +
                       (max_point_count > most_points ? " (at most 10000000 are made)." : "."));
    }
    return segments;
}

GeometryValue outline_geometry(const std::vector<LonLat>& outline, const EllipseShape& shape,
                               const GeodeticFrame& frame, const SpatialReferenceRef& spatial_reference) {
    PartValue part;
    for (LonLat p : outline) {
        frame.from_geographic(p.lon, p.lat);
        part.xs.push_back(p.lon);
        part.ys.push_back(p.lat);
    }
    GeometryValue geometry = empty_geometry(shape.geometry_type, false, false, spatial_reference);
    if (shape.geometry_type == geometry_type_multipoint) {
        geometry.points = std::make_shared<const PartValue>(std::move(part));
        return geometry;
    }
    if (shape.geometry_type == geometry_type_polyline) {
        part.xs.push_back(part.xs.front());
        part.ys.push_back(part.ys.front());
    } else {
        part.closed = true;
        if (engine::signed_area2(part.xs, part.ys) > 0) {
            std::reverse(part.xs.begin(), part.xs.end());
            std::reverse(part.ys.begin(), part.ys.end());
        }
    }
    geometry.parts.push_back(std::make_shared<const PartValue>(std::move(part)));
    return geometry;
}

SpatialReferenceRef outline_reference(const GeometryValue& center, const SpatialReferenceRef& given) {
    if (!given) return center.spatial_reference;
    if (center.spatial_reference && !same_spatial_reference(center.spatial_reference, given)) {
        engine::refuse("the centre is in " + engine::describe_spatial_reference(center.spatial_reference) +
                       " but the outline is asked for in " + engine::describe_spatial_reference(given) + ".");
    }
    return given;
}

}  // namespace

GeometryValue geodesic_ellipse(const EllipseShape& shape, const std::optional<SectorSweep>& sector,
                               const SpatialReferenceRef& spatial_reference) {
    const SpatialReferenceRef reference = outline_reference(shape.center, spatial_reference);
    if (is_empty(shape.center)) engine::refuse("the ellipse has no centre: set a centre point first.");
    const auto frame = GeodeticFrame::of(reference.get());
    const double metres = from_unit(1.0, *shape.linear_unit);
    if (shape.semi_axis1_length == 0.0 || shape.semi_axis2_length == 0.0 || (sector && sector->sweep == 0.0)) {
        return empty_geometry(shape.geometry_type, false, false, reference);
    }
    LonLat centre{shape.center.point.x, shape.center.point.y};
    frame->to_geographic(centre.lon, centre.lat);
    const EllipseOnEllipsoid ellipse(frame->geodesic(), centre, shape.semi_axis1_length * metres,
                                     shape.semi_axis2_length * metres, degrees_from(shape.axis_direction, *shape.angular_unit));
    const double start = sector ? sector->start : 0.0;
    const double sweep = sector ? sector->sweep : 360.0;
    const double max_length = shape.max_segment_length * metres;
    const int64_t repeated = shape.geometry_type == geometry_type_polyline ? 1 : 0;
    Plan plan;
    plan.closed_ring = !sector;
    int64_t start_side = 0, end_side = 0;
    if (sector) {
        start_side = segments_for(ellipse.radius(start), max_length);
        end_side = segments_for(ellipse.radius(start + sweep), max_length);
        plan.fixed_points = 1 + (start_side - 1) + (end_side - 1);
    }
    const double arc_length = arc_lengths(ellipse, start, sweep).back();
    std::vector<LonLat> arc = arc_points(ellipse, start, sweep, arc_segments(shape.max_point_count, max_length, arc_length, plan, repeated));
    if (!sector) {
        arc.pop_back();  // the whole ellipse ends where it starts
        return outline_geometry(arc, shape, *frame, reference);
    }
    std::vector<LonLat> outline{ellipse.centre()};
    const auto first_side = radial_points(ellipse, start, start_side);
    outline.insert(outline.end(), first_side.begin(), first_side.end());
    outline.insert(outline.end(), arc.begin(), arc.end());
    const auto last_side = radial_points(ellipse, start + sweep, end_side);
    outline.insert(outline.end(), last_side.rbegin(), last_side.rend());
    return outline_geometry(outline, shape, *frame, reference);
}

}  // namespace geokern::geodesy
