#include "geodesy/ring_area.hpp"

#include <GeographicLib/GeodesicLine.hpp>
#include <GeographicLib/PolygonArea.hpp>

#include <algorithm>
#include <cmath>
#include <limits>

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
    bool flat;      // so close to the geodesic between its ends that it is kept as that one chord
};

double chorded_area(const GeodeticCurve& curve, const std::vector<FramePoint>& ring, const std::vector<Edge>& edges,
                    double factor) {
    GeographicLib::PolygonArea polygon(curve.frame().geodesic(), false);
    for (size_t i = 0; i < edges.size(); ++i) {
        polygon.AddPoint(ring[i].latitude, ring[i].longitude);
        const auto chords = static_cast<int64_t>(edges[i].flat ? 1.0 : edges[i].chords * factor);
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

// How far the middle of the curve lies from the middle of the geodesic between the same ends.
double deviation_from_geodesic(const GeodeticCurve& curve, const GeodeticSpan& span, const FramePoint& start,
                               const FramePoint& end) {
    const FramePoint middle = span.point_at(span.length() / 2.0);
    const GeographicLib::GeodesicLine chord =
        curve.frame().geodesic().InverseLine(start.latitude, start.longitude, end.latitude, end.longitude);
    double latitude = 0.0, longitude = 0.0, apart = 0.0;
    chord.Position(chord.Distance() / 2.0, latitude, longitude);
    curve.frame().geodesic().Inverse(latitude, longitude, middle.latitude, middle.longitude, apart);
    return apart;
}

// An edge bulging `d` from its chord adds about two thirds of d times its length to the area. Edges whose
// share stays below a tenth of the tolerance of the ring's area (estimated by its geodesic polygon) are
// kept as single chords and cost nothing in later rounds.
double followed_area(const GeodeticCurve& curve, const std::vector<FramePoint>& ring) {
    const double estimate = std::fabs(accumulated_area<GeographicLib::PolygonArea>(curve.frame().geodesic(), ring));
    std::vector<Edge> edges;
    double perimeter = 0.0;
    for (size_t i = 0; i + 1 < ring.size(); ++i) {
        auto span = curve.span(ring[i], ring[i + 1]);
        perimeter += span->length();
        edges.push_back(Edge{std::move(span), 1.0, false});
    }
    const double flat_deviation = perimeter > 0.0 ? 0.1 * relative_tolerance * estimate / perimeter : 0.0;
    double total_chords = 0.0;
    for (size_t i = 0; i < edges.size(); ++i) {
        Edge& edge = edges[i];
        edge.flat = deviation_from_geodesic(curve, *edge.span, ring[i], ring[i + 1]) <= flat_deviation;
        edge.chords = std::max<double>(min_initial_chords, std::ceil(edge.span->length() / initial_chord_m));
        if (!edge.flat) total_chords += edge.chords;
    }
    if (total_chords == 0.0) return chorded_area(curve, ring, edges, 1.0);
    double coarse = chorded_area(curve, ring, edges, 1.0);
    double previous = std::numeric_limits<double>::quiet_NaN();
    for (double factor = 2.0;; factor *= 2.0) {
        const double fine = chorded_area(curve, ring, edges, factor);
        const double extrapolated = (4.0 * fine - coarse) / 3.0;
        const bool settled = std::fabs(extrapolated - previous) <= relative_tolerance * std::fabs(extrapolated);
        if (settled || total_chords * factor * 2.0 > max_chords) return extrapolated;
        coarse = fine;
        previous = extrapolated;
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
