#include "engine/curve_restoration.hpp"

#include <bit>
#include <cstdint>
#include <utility>

#include "engine/linearize.hpp"

namespace geokern::engine {

size_t CurveRestorer::KeyHash::operator()(const Key& key) const {
    const uint64_t x = std::bit_cast<uint64_t>(key.x == 0.0 ? 0.0 : key.x);
    const uint64_t y = std::bit_cast<uint64_t>(key.y == 0.0 ? 0.0 : key.y);
    return static_cast<size_t>(x * 0x9E3779B97F4A7C15ull ^ (y + 0x632BE59BD9B4E019ull + (x << 6) + (x >> 2)));
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

void CurveRestorer::add(const GeometryValue& input, double deviation) {
    if (input.type != geometry_type_polyline && input.type != geometry_type_polygon) return;
    for (const auto& part : input.parts) {
        for (const CurveEntry& entry : part->curves) {
            const Vertex start = part->point(entry.segment);
            const Vertex end = part->point(part->end_point_of(entry.segment));
            Run run{{start.x}, {start.y}, entry.curve};
            for (const CurveSample& sample : curve_interior(start, entry.curve, end, deviation)) {
                run.xs.push_back(sample.point.x);
                run.ys.push_back(sample.point.y);
                inner_[Key{sample.point.x, sample.point.y}] = true;
            }
            run.xs.push_back(end.x);
            run.ys.push_back(end.y);
            by_end_[Key{start.x, start.y}].push_back(runs_.size());
            by_end_[Key{end.x, end.y}].push_back(runs_.size());
            runs_.push_back(std::move(run));
        }
    }
}

const CurveRestorer::Run* CurveRestorer::match(const std::vector<double>& xs, const std::vector<double>& ys, size_t at,
                                               bool& backwards) const {
    const auto found = by_end_.find(Key{xs[at], ys[at]});
    if (found == by_end_.end()) return nullptr;
    for (size_t index : found->second) {
        const Run& run = runs_[index];
        const size_t length = run.xs.size();
        if (at + length > xs.size()) continue;
        for (bool reverse : {false, true}) {
            bool same = true;
            for (size_t k = 0; k < length && same; ++k) {
                const size_t r = reverse ? length - 1 - k : k;
                same = xs[at + k] == run.xs[r] && ys[at + k] == run.ys[r];
            }
            if (same) {
                backwards = reverse;
                return &run;
            }
        }
    }
    return nullptr;
}

PartValue CurveRestorer::restored(const PartValue& part) const {
    const size_t n = part.xs.size();
    if (n < 2) return part;
    // A closed part is read as the open sequence from a vertex that no run holds inside, back to it.
    size_t first = 0;
    if (part.closed) {
        while (first < n && inner_.contains(Key{part.xs[first], part.ys[first]})) ++first;
        if (first == n) return part;
    }
    const size_t count = part.closed ? n + 1 : n;
    std::vector<double> xs(count), ys(count), zs, ms;
    if (part.has_z) zs.resize(count);
    if (part.has_m) ms.resize(count);
    for (size_t k = 0; k < count; ++k) {
        const size_t i = (first + k) % n;
        xs[k] = part.xs[i];
        ys[k] = part.ys[i];
        if (part.has_z) zs[k] = part.zs[i];
        if (part.has_m) ms[k] = part.ms[i];
    }
    PartValue result;
    result.has_z = part.has_z;
    result.has_m = part.has_m;
    result.closed = part.closed;
    auto push = [&](size_t k) {
        result.xs.push_back(xs[k]);
        result.ys.push_back(ys[k]);
        if (part.has_z) result.zs.push_back(zs[k]);
        if (part.has_m) result.ms.push_back(ms[k]);
    };
    size_t k = 0;
    while (k < count) {
        push(k);
        bool backwards = false;
        const Run* run = k + 1 < count ? match(xs, ys, k, backwards) : nullptr;
        if (run == nullptr) {
            ++k;
            continue;
        }
        result.curves.push_back({static_cast<int64_t>(result.xs.size()) - 1, backwards ? reversed_curve(run->curve) : run->curve});
        k += run->xs.size() - 1;
    }
    if (part.closed) {
        // The last vertex repeats the first; the segment into it is the closing one.
        result.xs.pop_back();
        result.ys.pop_back();
        if (part.has_z) result.zs.pop_back();
        if (part.has_m) result.ms.pop_back();
        if (result.xs.size() < 2 && result.has_curves()) return part;  // a lone closed curve stays chords
    }
    return result;
}

void CurveRestorer::restore(GeometryValue& result) const {
    if (runs_.empty() || (result.type != geometry_type_polyline && result.type != geometry_type_polygon)) return;
    for (auto& part : result.parts) part = std::make_shared<const PartValue>(restored(*part));
}

}  // namespace geokern::engine
