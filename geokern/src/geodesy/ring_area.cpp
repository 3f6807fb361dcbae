#include "geodesy/ring_area.hpp"

#include <GeographicLib/PolygonArea.hpp>

#include <algorithm>
#include <cmath>

namespace geokern::geodesy {

namespace {

// Edge chords start no longer than this, and are halved from there.
constexpr double initial_chord_m = 100e3;
constexpr int min_initial_chords = 4;
constexpr double relative_tolerance = 1e-11;
// A bound on the chords of one ring's last round.
constexpr double max_chords = 1 << 22;

// The counter-clockwise area of a polygon accumulator fed the ring's points.
template <class Accumulator, class Shape>
double accumulated_area(const Shape& shape, const std::vector<FramePoint>& ring) {
    Accumulator polygon(shape, false);
    for (size_t i = 0; i + 1 < ring.size(); ++i) polygon.AddPoint(ring[i].latitude, ring[i].longitude);
    double perimeter = 0.0, area = 0.0;
    polygon.Compute(false, true, perimeter, area);
    return area;
}

struct Edge {
    std::unique_ptr<GeodeticSpan> span;
    double chords;  // in the first round
};

double chorded_area(const GeodeticCurve& curve, const std::vector<FramePoint>& ring, const std::vector<Edge>& edges,
                    double factor) {
    GeographicLib::PolygonArea polygon(curve.frame().geodesic(), false);
    for (size_t i = 0; i < edges.size(); ++i) {
        polygon.AddPoint(ring[i].latitude, ring[i].longitude);
        const auto chords = static_cast<int64_t>(edges[i].chords * factor);
        const double length = edges[i].span->length();
        for (int64_t k = 1; k < chords; ++k) {
            const FramePoint point = edges[i].span->point_at(length * static_cast<double>(k) / chords);
            polygon.AddPoint(point.latitude, point.longitude);
        }
    }
    double perimeter = 0.0, area = 0.0;
    polygon.Compute(false, true, perimeter, area);
    return area;
}

double followed_area(const GeodeticCurve& curve, const std::vector<FramePoint>& ring) {
    std::vector<Edge> edges;
    double total_chords = 0.0;
    for (size_t i = 0; i + 1 < ring.size(); ++i) {
        auto span = curve.span(ring[i], ring[i + 1]);
        const double chords = std::max<double>(min_initial_chords, std::ceil(span->length() / initial_chord_m));
        total_chords += chords;
        edges.push_back(Edge{std::move(span), chords});
    }
    double coarse = chorded_area(curve, ring, edges, 1.0);
    for (double factor = 2.0;; factor *= 2.0) {
        const double fine = chorded_area(curve, ring, edges, factor);
        const double extrapolated = (4.0 * fine - coarse) / 3.0;
        const bool settled = std::fabs(fine - coarse) <= relative_tolerance * std::fabs(fine);
        if (settled || total_chords * factor * 2.0 > max_chords) return extrapolated;
        coarse = fine;
    }
}

}  // namespace

double ring_area(const GeodeticCurve& curve, CurveKind kind, const std::vector<FramePoint>& ring) {
    if (ring.size() < 4) return 0.0;
    double counter_clockwise = 0.0;
    switch (kind) {
        case CurveKind::geodesic:
            counter_clockwise = accumulated_area<GeographicLib::PolygonArea>(curve.frame().geodesic(), ring);
            break;
        case CurveKind::loxodrome:
            counter_clockwise = accumulated_area<GeographicLib::PolygonAreaRhumb>(curve.frame().rhumb(), ring);
            break;
        default:
            counter_clockwise = followed_area(curve, ring);
            break;
    }
    return -counter_clockwise;
}

}  // namespace geokern::geodesy
