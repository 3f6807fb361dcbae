#include "engine/curve_restoration.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/linearize.hpp"
#include "failure.hpp"

namespace geokern::engine {
namespace {

// A sub-arc on its curve's ellipse must reach the run's end vertices to this fraction of the
// semi-major axis, and sweep the parameter the run covers to this many radians.
constexpr double refit_fraction = 1e-9;
constexpr double refit_sweep_tolerance = 1e-9;
constexpr double two_pi = 2.0 * std::numbers::pi;

Vertex lerp(const Vertex& a, const Vertex& b, double t) {
    return Vertex{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, nan_value, nan_value};
}

// The blossom of a cubic: with (t0, t0, t1) and (t0, t1, t1) it gives the control points of the
// piece between t0 and t1.
Vertex blossom(const Vertex (&p)[4], double u, double v, double w) {
    const Vertex q0 = lerp(p[0], p[1], u), q1 = lerp(p[1], p[2], u), q2 = lerp(p[2], p[3], u);
    const Vertex r0 = lerp(q0, q1, v), r1 = lerp(q1, q2, v);
    return lerp(r0, r1, w);
}

}  // namespace

void CurveIndex::add(const GeometryValue& geometry, double deviation) {
    if (geometry.type != geometry_type_polyline && geometry.type != geometry_type_polygon) return;
    for (const auto& part : geometry.parts) {
        for (const CurveEntry& entry : part->curves) {
            const int64_t end_index = part->end_point_of(entry.segment);
            if (end_index < 0) continue;
            Source source{part->point(part->start_point_of(entry.segment)), part->point(end_index), entry.curve, {}, {}};
            // The same samples as linearize makes, so the coordinates match GEOS's bit for bit.
            const std::vector<CurveSample> interior = curve_interior(source.start, entry.curve, source.end, deviation);
            source.points.reserve(interior.size() + 2);
            source.fractions.reserve(interior.size() + 2);
            source.points.push_back(source.start);
            source.fractions.push_back(0.0);
            for (const CurveSample& sample : interior) {
                source.points.push_back(sample.point);
                source.fractions.push_back(sample.fraction);
            }
            source.points.push_back(source.end);
            source.fractions.push_back(1.0);
            curves_.push_back(std::move(source));
        }
    }
}

std::vector<CurveIndex::Chord> CurveIndex::chords_between(double x1, double y1, double x2, double y2) const {
    std::vector<Chord> chords;
    if (x1 == x2 && y1 == y2) return chords;
    const Key key{x1, y1};
    auto it = std::lower_bound(vertices_.begin(), vertices_.end(), key,
                               [](const Entry& entry, const Key& wanted) { return entry.key < wanted; });
    for (; it != vertices_.end() && it->key == key; ++it) {
        const Hit hit = it->hit;
        const std::vector<Vertex>& points = curves_[hit.curve].points;
        for (int direction : {1, -1}) {
            const int64_t next = static_cast<int64_t>(hit.index) + direction;
            if (next < 0 || next >= static_cast<int64_t>(points.size())) continue;
            const Vertex& other = points[static_cast<size_t>(next)];
            if (other.x == x2 && other.y == y2) chords.push_back(Chord{hit.curve, hit.index, direction});
        }
    }
    return chords;
}

std::optional<Curve> CurveIndex::piece(const Chord& first, uint32_t last_index) const {
    const Source& source = curves_[first.curve];
    const uint32_t lo = std::min(first.from, last_index), hi = std::max(first.from, last_index);
    const bool whole = lo == 0 && hi + 1 == source.points.size();
    const bool backwards = first.direction < 0;
    if (const auto* arc = std::get_if<EllipticArc>(&source.curve)) {
        EllipticArc forward = *arc;
        if (!whole) {
            // The same ellipse between the polar angles of the run's ends, turning as far as the
            // parameter does (polar and parameter angles never differ by a quarter turn or more).
            const Vertex& from = source.points[lo];
            const Vertex& to = source.points[hi];
            const double sweep = (source.fractions[hi] - source.fractions[lo]) * arc->sweep_param;
            const double start = std::atan2(from.y - arc->cy, from.x - arc->cx);
            double central = std::atan2(to.y - arc->cy, to.x - arc->cx) - start;
            central += two_pi * std::nearbyint((sweep - central) / two_pi);
            try {
                forward = arc_with_center(arc->cx, arc->cy, arc->rotation, arc->semi_major, arc->ratio, start, central);
            } catch (const Failure&) {
                return std::nullopt;
            }
            const double tolerance = refit_fraction * arc->semi_major;
            const Vertex begins = forward.start_point(), ends = forward.end_point();
            const bool fits = std::hypot(begins.x - from.x, begins.y - from.y) <= tolerance &&
                              std::hypot(ends.x - to.x, ends.y - to.y) <= tolerance &&
                              std::fabs(forward.sweep_param - sweep) <= refit_sweep_tolerance;
            if (!fits) return std::nullopt;
        }
        return backwards ? reversed_curve(Curve{forward}) : Curve{forward};
    }
    const auto& bezier = std::get<CubicBezier>(source.curve);
    CubicBezier forward = bezier;
    if (!whole) {
        const Vertex control[4] = {source.start, {bezier.c1x, bezier.c1y}, {bezier.c2x, bezier.c2y}, source.end};
        const double t0 = source.fractions[lo], t1 = source.fractions[hi];
        const Vertex c1 = blossom(control, t0, t0, t1), c2 = blossom(control, t0, t1, t1);
        forward = CubicBezier{c1.x, c1.y, c2.x, c2.y};
    }
    if (backwards) return Curve{CubicBezier{forward.c2x, forward.c2y, forward.c1x, forward.c1y}};
    return Curve{forward};
}

PartValue CurveIndex::restored(const PartValue& part) const {
    const size_t n = part.xs.size();
    if (n < 2) return part;
    const size_t pairs = part.closed ? n : n - 1;
    std::vector<std::vector<Chord>> candidates(pairs);
    bool any = false;
    for (size_t j = 0; j < pairs; ++j) {
        const size_t k = (j + 1) % n;
        candidates[j] = chords_between(part.xs[j], part.ys[j], part.xs[k], part.ys[k]);
        any = any || !candidates[j].empty();
    }
    if (!any) return part;

    auto has = [&](size_t pair, uint32_t curve, int64_t from, int direction) {
        for (const Chord& chord : candidates[pair]) {
            if (chord.curve == curve && chord.from == from && chord.direction == direction) return true;
        }
        return false;
    };
    auto continues = [&](size_t pair) {  // whether some chord of this pair carries on one of the pair before
        const size_t before = (pair + pairs - 1) % pairs;
        for (const Chord& chord : candidates[pair]) {
            const int64_t previous = static_cast<int64_t>(chord.from) - chord.direction;
            if (has(before, chord.curve, previous, chord.direction)) return true;
        }
        return false;
    };
    // A ring starts where no run passes through, so that no run wraps around its end.
    size_t start = 0;
    if (part.closed) {
        start = pairs;
        for (size_t j = 0; j < pairs && start == pairs; ++j) {
            if (!continues(j)) start = j;
        }
        if (start == pairs) return part;  // one cycle of chords all round: keep it straight
    }
    auto run_length = [&](size_t step, const Chord& chord) {
        size_t length = 0;
        auto index_at = [&](size_t offset) {
            return static_cast<int64_t>(chord.from) + static_cast<int64_t>(offset) * chord.direction;
        };
        while (step + length < pairs && has((start + step + length) % n, chord.curve, index_at(length), chord.direction)) {
            ++length;
        }
        // A run all round a ring (a full circle) becomes two halves, as a ring needs two vertices.
        return part.closed && length == pairs ? pairs / 2 : length;
    };

    std::vector<size_t> kept{start};
    std::vector<CurveEntry> curves;
    for (size_t step = 0; step < pairs;) {
        const size_t j = (start + step) % n;
        const Chord* best = nullptr;
        size_t best_length = 0;
        for (const Chord& chord : candidates[j]) {
            const size_t length = run_length(step, chord);
            if (length > best_length) {
                best = &chord;
                best_length = length;
            }
        }
        if (best == nullptr) {
            kept.push_back((j + 1) % n);
            ++step;
            continue;
        }
        const int64_t last = static_cast<int64_t>(best->from) + static_cast<int64_t>(best_length) * best->direction;
        const auto last_index = static_cast<uint32_t>(last);
        if (std::optional<Curve> curve = piece(*best, last_index)) {
            curves.push_back(CurveEntry{static_cast<int64_t>(kept.size() - 1), std::move(*curve)});
            kept.push_back((j + best_length) % n);
        } else {
            for (size_t t = 1; t <= best_length; ++t) kept.push_back((j + t) % n);
        }
        step += best_length;
    }
    if (part.closed) kept.pop_back();  // back at the start, which a ring does not repeat
    if (curves.empty() || kept.size() < 2) return part;

    PartValue result;
    result.has_z = part.has_z;
    result.has_m = part.has_m;
    result.closed = part.closed;
    for (size_t index : kept) {
        result.xs.push_back(part.xs[index]);
        result.ys.push_back(part.ys[index]);
        if (part.has_z) result.zs.push_back(part.zs[index]);
        if (part.has_m) result.ms.push_back(part.ms[index]);
    }
    result.curves = std::move(curves);
    return result;
}

void CurveIndex::restore(GeometryValue& result) const {
    if (curves_.empty() || result.parts.empty()) return;
    if (result.type != geometry_type_polyline && result.type != geometry_type_polygon) return;
    // Only chord vertices that the result holds can start or end a chord of it.
    std::vector<Key> held;
    for (const auto& part : result.parts) {
        for (size_t i = 0; i < part->xs.size(); ++i) held.push_back(Key{part->xs[i], part->ys[i]});
    }
    std::sort(held.begin(), held.end());
    vertices_.clear();
    for (size_t curve = 0; curve < curves_.size(); ++curve) {
        const std::vector<Vertex>& points = curves_[curve].points;
        for (size_t i = 0; i < points.size(); ++i) {
            const Key key{points[i].x, points[i].y};
            if (std::binary_search(held.begin(), held.end(), key)) {
                vertices_.push_back(Entry{key, Hit{static_cast<uint32_t>(curve), static_cast<uint32_t>(i)}});
            }
        }
    }
    std::sort(vertices_.begin(), vertices_.end(), [](const Entry& a, const Entry& b) { return a.key < b.key; });
    for (auto& part : result.parts) part = std::make_shared<const PartValue>(restored(*part));
}

Curve reversed_curve(const Curve& curve) {
    Curve reversed = curve;
    if (auto* arc = std::get_if<EllipticArc>(&reversed)) {
        arc->start_param += arc->sweep_param;
        arc->sweep_param = -arc->sweep_param;
        arc->start_angle += arc->central_angle;
        arc->central_angle = -arc->central_angle;
    } else {
        auto& bezier = std::get<CubicBezier>(reversed);
        std::swap(bezier.c1x, bezier.c2x);
        std::swap(bezier.c1y, bezier.c2y);
    }
    return reversed;
}

}  // namespace geokern::engine
