// The shape-preserving curve: straight in the system's own coordinates, measured on the ellipsoid. Its
// length is the limit of geodesic chords between points of the line; chord sums err by a multiple of the
// squared chord length, so halving the chords and extrapolating (Richardson) converges fast.
#include <algorithm>
#include <cmath>
#include <vector>

#include "failure.hpp"
#include "geodesy/geodetic_curve.hpp"

namespace geokern::geodesy {

namespace {

constexpr int initial_pieces = 8;
constexpr int max_pieces = 1 << 17;
constexpr double relative_tolerance = 1e-11;
// The fraction of the line either side of an end whose geodesic chord gives the azimuth there.
constexpr double azimuth_step = 1e-6;
// The geodesic steps either side of a point that give a direction in the system's coordinates.
constexpr double direction_step_m = 1.0;
constexpr int max_move_iterations = 60;

class ShapePreservingCurve;

// Points of the straight line from start to end at fractions of it, and the geodesic chord lengths
// accumulated along them.
struct LineSamples {
    std::vector<double> fractions;
    std::vector<double> distances;  // from the start, as long as `fractions`
};

class ShapePreservingSpan : public GeodeticSpan {
public:
    ShapePreservingSpan(const ShapePreservingCurve& curve, const FramePoint& start, const FramePoint& end);
    double length() const override { return length_; }
    double start_azimuth() const override { return start_azimuth_; }
    double end_azimuth() const override { return end_azimuth_; }
    FramePoint point_at(double distance) const override;

private:
    const ShapePreservingCurve& curve_;
    FramePoint start_, end_;
    LineSamples samples_;
    double length_ = 0.0;
    double start_azimuth_ = 0.0, end_azimuth_ = 0.0;
};

class ShapePreservingCurve : public GeodeticCurve {
public:
    using GeodeticCurve::GeodeticCurve;
    std::unique_ptr<GeodeticSpan> span(const FramePoint& start, const FramePoint& end) const override {
        return std::make_unique<ShapePreservingSpan>(*this, start, end);
    }

    // The straight line from `start` that leaves at `azimuth`, as far as `distance` along it: its direction
    // is the system's image of the azimuth (central differences of short geodesic steps), and its far end
    // is rescaled until the measured length is right.
    FramePoint move(const FramePoint& start, double azimuth, double distance) const override {
        if (distance == 0.0) return start;
        const FramePoint ahead = step(start, azimuth, direction_step_m);
        const FramePoint behind = step(start, azimuth, -direction_step_m);
        const double sign = distance < 0.0 ? -1.0 : 1.0;
        const double dx = sign * (ahead.x - behind.x) / (2.0 * direction_step_m);
        const double dy = sign * (ahead.y - behind.y) / (2.0 * direction_step_m);
        const double wanted = std::fabs(distance);
        double reach = wanted;
        for (int iteration = 0; iteration < max_move_iterations; ++iteration) {
            const FramePoint end = at(start, start.x + dx * reach, start.y + dy * reach);
            const double measured = ShapePreservingSpan(*this, start, end).length();
            if (!(measured > 0.0)) break;
            const double next = reach * wanted / measured;
            if (std::fabs(next - reach) <= 1e-14 * reach) return end;
            reach = next;
        }
        return at(start, start.x + dx * reach, start.y + dy * reach);
    }

    FramePoint step(const FramePoint& start, double azimuth, double metres) const {
        double latitude = 0.0, longitude = 0.0;
        frame().geodesic().Direct(start.latitude, start.longitude, azimuth, metres, latitude, longitude);
        return from_geographic(start.longitude + GeographicLib::Math::AngDiff(start.longitude, longitude), latitude);
    }

    // A point of the system, with its longitude continuous from `reference`'s.
    FramePoint at(const FramePoint& reference, double x, double y) const {
        FramePoint point{x, y, x, y};
        frame().to_geographic(point.longitude, point.latitude);
        // A geographic system's longitudes are continuous along the line already; PROJ wraps projected ones.
        if (frame().projected()) {
            point.longitude = reference.longitude + GeographicLib::Math::AngDiff(reference.longitude, point.longitude);
        }
        return point;
    }

    FramePoint at_fraction(const FramePoint& start, const FramePoint& end, double fraction) const {
        return at(start, start.x + (end.x - start.x) * fraction, start.y + (end.y - start.y) * fraction);
    }

    LineSamples sample(const FramePoint& start, const FramePoint& end, int pieces) const {
        LineSamples samples;
        samples.fractions.resize(pieces + 1);
        samples.distances.resize(pieces + 1);
        FramePoint previous = start;
        for (int i = 1; i <= pieces; ++i) {
            const double fraction = static_cast<double>(i) / pieces;
            const FramePoint point = i == pieces ? end : at_fraction(start, end, fraction);
            double chord = 0.0;
            frame().geodesic().Inverse(previous.latitude, previous.longitude, point.latitude, point.longitude, chord);
            samples.fractions[i] = fraction;
            samples.distances[i] = samples.distances[i - 1] + chord;
            previous = point;
        }
        return samples;
    }

    // The azimuth of the line where it passes `fraction`: that of the geodesic chord from a little before
    // to a little after, at its middle (the mean of its end azimuths, good to the square of its length).
    double azimuth_at(const FramePoint& start, const FramePoint& end, double fraction) const {
        const FramePoint before = at_fraction(start, end, fraction - azimuth_step);
        const FramePoint after = at_fraction(start, end, fraction + azimuth_step);
        double distance = 0.0, azimuth1 = 0.0, azimuth2 = 0.0;
        frame().geodesic().Inverse(before.latitude, before.longitude, after.latitude, after.longitude, distance,
                                   azimuth1, azimuth2);
        return azimuth1 + GeographicLib::Math::AngDiff(azimuth1, azimuth2) / 2.0;
    }
};

ShapePreservingSpan::ShapePreservingSpan(const ShapePreservingCurve& curve, const FramePoint& start,
                                         const FramePoint& end)
    : curve_(curve), start_(start), end_(end) {
    if (start.x == end.x && start.y == end.y) {
        samples_ = curve.sample(start, end, 1);
        return;
    }
    LineSamples coarse = curve.sample(start, end, initial_pieces);
    for (int pieces = 2 * initial_pieces;; pieces *= 2) {
        LineSamples fine = curve.sample(start, end, pieces);
        const double previous = coarse.distances.back(), current = fine.distances.back();
        length_ = (4.0 * current - previous) / 3.0;
        samples_ = std::move(fine);
        if (std::fabs(current - previous) <= relative_tolerance * current || pieces >= max_pieces) break;
        coarse = samples_;
    }
    start_azimuth_ = curve.azimuth_at(start, end, 0.0);
    end_azimuth_ = curve.azimuth_at(start, end, 1.0);
}

// The chord sums fall short of the length by a share that is nearly the same along the line, so a distance
// is found among them after scaling it by that share.
FramePoint ShapePreservingSpan::point_at(double distance) const {
    const double sampled = samples_.distances.back();
    if (!(length_ > 0.0)) return start_;
    const double target = distance * sampled / length_;
    const auto& d = samples_.distances;
    auto found = std::upper_bound(d.begin(), d.end(), target);
    const size_t upper = std::clamp<size_t>(static_cast<size_t>(found - d.begin()), 1, d.size() - 1);
    const size_t lower = upper - 1;
    const double piece = d[upper] - d[lower];
    const double within = piece > 0.0 ? (target - d[lower]) / piece : 0.0;
    const double fraction = samples_.fractions[lower] + within * (samples_.fractions[upper] - samples_.fractions[lower]);
    return curve_.at_fraction(start_, end_, fraction);
}

}  // namespace

std::unique_ptr<GeodeticCurve> make_shape_preserving_curve(GeodeticFramePointer frame) {
    return std::make_unique<ShapePreservingCurve>(std::move(frame));
}

}  // namespace geokern::geodesy
