#include "geometry/curve_chords.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "core/lock_messages.hpp"
#include "core/polyline.hpp"
#include "runtime/convert/multipart_geometry_conversion.hpp"
#include "runtime/error.hpp"
#include "runtime/error_capture.hpp"
#include "runtime/function_table.hpp"
#include "runtime/geometry.hpp"

namespace velmor::py {
namespace {

// The engine cuts an elliptic arc into equal parameter steps whose chords are at most this long; a
// step h strays at most a (1 - cos(h / 2)) from an ellipse of semi-major axis a, which is the
// deviation fraction of a for this limit.
double arc_limit(double semi_major) {
    const double k = chord_deviation_fraction;
    return 2.0 * semi_major * std::sqrt(2.0 * k - k * k);
}

double distance(double ax, double ay, double bx, double by) { return std::hypot(bx - ax, by - ay); }

// The radius of the circle through start, interior point and end; through start and interior point as
// a diameter when the arc closes on itself; none when the three points are on one line.
std::optional<double> circle_radius(const core::Coord& start, const core::CircularArc& arc, const core::Coord& end) {
    const double ix = arc.interior_x, iy = arc.interior_y;
    if (start.x() == end.x() && start.y() == end.y()) return distance(start.x(), start.y(), ix, iy) / 2.0;
    const double twice_area =
        std::fabs((ix - start.x()) * (end.y() - start.y()) - (iy - start.y()) * (end.x() - start.x()));
    if (twice_area == 0.0) return std::nullopt;
    return distance(start.x(), start.y(), ix, iy) * distance(ix, iy, end.x(), end.y()) *
           distance(end.x(), end.y(), start.x(), start.y()) / (2.0 * twice_area);
}

// The engine cuts a cubic into n equal parameter steps, n = ceil(3 * longest control leg / limit). A
// step 1/n strays at most 3 D / (4 n^2) from the curve, D the larger second difference of the control
// points; n is chosen so that this is within the deviation fraction of the control polygon's length.
std::optional<double> bezier_limit(const core::Coord& start, const core::BezierCurve& curve, const core::Coord& end) {
    const double xs[] = {start.x(), curve.control1_x, curve.control2_x, end.x()};
    const double ys[] = {start.y(), curve.control1_y, curve.control2_y, end.y()};
    double polygon = 0.0, leg = 0.0, second = 0.0;
    for (int i = 0; i < 3; ++i) {
        const double step = distance(xs[i], ys[i], xs[i + 1], ys[i + 1]);
        polygon += step;
        leg = std::max(leg, step);
    }
    for (int i = 0; i < 2; ++i) {
        second = std::max(second, std::hypot(xs[i + 2] - 2 * xs[i + 1] + xs[i], ys[i + 2] - 2 * ys[i + 1] + ys[i]));
    }
    if (!(polygon > 0.0) || !(second > 0.0)) return std::nullopt;
    const double pieces = std::ceil(std::sqrt(3.0 * second / (4.0 * chord_deviation_fraction * polygon)));
    return 3.0 * leg / pieces;
}

// The engine's chord length limit that keeps this curve within the deviation; none for a straight one.
std::optional<double> chord_limit(const core::Coord& start, const core::CurveData& curve, const core::Coord& end) {
    if (const auto* arc = std::get_if<core::CircularArc>(&curve)) {
        const auto radius = circle_radius(start, *arc, end);
        if (!radius) return std::nullopt;
        return arc_limit(*radius);
    }
    if (const auto* ellipse = std::get_if<core::EllipticArc>(&curve)) return arc_limit(ellipse->axis);
    if (const auto* bezier = std::get_if<core::BezierCurve>(&curve)) return bezier_limit(start, *bezier, end);
    return std::nullopt;
}

core::Result<core::Polyline> one_segment(const core::Coord& start, const core::CurveData& curve, const core::Coord& end) {
    core::CurvePart part(start.dims());
    VELMOR_TRY(part.push(start, core::Linear{}));
    VELMOR_TRY(part.push(end, curve));
    return core::Polyline::build(start.dims(), {}, {core::SharedCurvePart(std::move(part))}, std::nullopt);
}

}  // namespace

core::Result<std::vector<core::Coord>> curve_chord_vertices(const core::Coord& start, const core::CurveData& curve,
                                                            const core::Coord& end) {
    const std::optional<double> limit = chord_limit(start, curve, end);
    if (!limit || !std::isfinite(*limit) || !(*limit > 0.0)) return std::vector<core::Coord>{};
    VELMOR_TRY_ASSIGN(core::Polyline segment, one_segment(start, curve, end));
    VELMOR_TRY_ASSIGN(runtime::Polyline input, runtime::convert::polyline_to_runtime(segment));
    auto densified = runtime::invoke(runtime::functions().GeometryEngine_densify, input.get(), *limit);
    if (!densified) return core::fail(runtime::to_native_error(densified.error()));
    auto polyline = runtime::downcast<runtime::Polyline>(runtime::take_geometry(*densified));
    if (!polyline) return core::fail(runtime::to_native_error(polyline.error()));
    VELMOR_TRY_ASSIGN(core::Polyline chords, runtime::convert::polyline_from_runtime(*polyline));
    const auto paths = chords.paths().lock(core::lock_messages::kAny);
    std::vector<core::Coord> inside;
    if (paths->size() != 1) return inside;
    const auto path = (*paths->get(0)).lock(core::lock_messages::kAny);
    for (std::size_t index = 1; index + 1 < path->size(); ++index) inside.push_back(*path->get(index));
    return inside;
}

}  // namespace velmor::py
