#include "geometry/part.hpp"

#include <algorithm>
#include <string>

#include "failure.hpp"
#include "geometry/hashing.hpp"

namespace geokern {

int64_t PartValue::segment_count() const {
    const int64_t points = point_count();
    if (points < 2) return 0;
    return closed ? points : points - 1;
}

const Curve* PartValue::curve_of(int64_t segment) const {
    const auto found =
        std::lower_bound(curves.begin(), curves.end(), segment,
                         [](const CurveEntry& entry, int64_t wanted) { return entry.segment < wanted; });
    if (found == curves.end() || found->segment != segment) return nullptr;
    return &found->curve;
}

void PartValue::point_index_out_of_range(int64_t index) const {
    fail(GK_ERROR_OUT_OF_RANGE, "index out of range.",
         "point index " + std::to_string(index) + " is not below the point count " +
             std::to_string(point_count()) + ".");
}

void PartValue::check_segment_index(int64_t index) const {
    if (index < 0 || index >= segment_count()) {
        fail(GK_ERROR_OUT_OF_RANGE, "index out of range.",
             "segment index " + std::to_string(index) + " is not below the segment count " +
                 std::to_string(segment_count()) + ".");
    }
}

int64_t PartValue::start_point_of(int64_t segment) const {
    check_segment_index(segment);
    return segment;
}

int64_t PartValue::end_point_of(int64_t segment) const {
    check_segment_index(segment);
    return segment + 1 == point_count() ? 0 : segment + 1;
}

int64_t PartValue::segment_starting_at(int64_t point) const {
    check_point_index(point);
    return point < segment_count() ? point : -1;
}

int64_t PartValue::segment_ending_at(int64_t point) const {
    check_point_index(point);
    if (point > 0) return point - 1;
    return closed && segment_count() > 0 ? segment_count() - 1 : -1;
}

Bounds part_bounds(const PartValue& part) {
    Bounds bounds;
    bounds.add_columns(part.xs, part.ys);
    for (const CurveEntry& entry : part.curves) {
        const Bounds bulge = segment_bounds(part.point(entry.segment), entry.curve,
                                            part.point(part.end_point_of(entry.segment)));
        bounds.add(bulge.xmin, bulge.ymin);
        bounds.add(bulge.xmax, bulge.ymax);
    }
    return bounds;
}

double part_length(const PartValue& part) {
    double length = 0;
    for (int64_t segment = 0; segment < part.segment_count(); ++segment) {
        const Curve* curve = part.curve_of(segment);
        length += segment_length(part.point(segment), curve ? std::optional<Curve>(*curve) : std::nullopt,
                                 part.point(part.end_point_of(segment)));
    }
    return length;
}

namespace {

bool near_column(const std::vector<double>& a, const std::vector<double>& b, double tolerance) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [tolerance](double x, double y) { return near_number(x, y, tolerance); });
}

}  // namespace

bool near_part(const PartValue& a, const PartValue& b, double tolerance) {
    if (a.has_z != b.has_z || a.has_m != b.has_m || a.closed != b.closed) return false;
    if (!near_column(a.xs, b.xs, tolerance) || !near_column(a.ys, b.ys, tolerance) ||
        !near_column(a.zs, b.zs, tolerance) || !near_column(a.ms, b.ms, tolerance)) {
        return false;
    }
    if (a.curves.size() != b.curves.size()) return false;
    for (size_t i = 0; i < a.curves.size(); ++i) {
        if (a.curves[i].segment != b.curves[i].segment) return false;
        if (!near_curve(a.curves[i].curve, b.curves[i].curve, tolerance)) return false;
    }
    return true;
}

uint64_t part_hash(const PartValue& part) {
    uint64_t seed = hash_mix(part.closed ? 1 : 0, static_cast<uint64_t>(part.point_count()));
    for (const auto* column : {&part.xs, &part.ys, &part.zs, &part.ms}) {
        for (double value : *column) seed = hash_number(seed, value);
    }
    for (const CurveEntry& entry : part.curves) {
        seed = hash_mix(hash_mix(seed, static_cast<uint64_t>(entry.segment)), curve_hash(entry.curve));
    }
    return seed;
}

namespace {

void pop_last_point(PartValue& part) {
    part.xs.pop_back();
    part.ys.pop_back();
    if (part.has_z) part.zs.pop_back();
    if (part.has_m) part.ms.pop_back();
}

}  // namespace

void close_ring(PartValue& part) {
    if (part.closed) return;
    const int64_t points = part.point_count();
    part.closed = true;
    if (points >= 3 && same_stored_xy(part.point(0), part.point(points - 1))) pop_last_point(part);
}

void reopen_ring(PartValue& part) {
    if (!part.closed) return;
    part.closed = false;
    const int64_t points = part.point_count();
    if (points < 2) return;
    // Only a two-point loop ([a, arc to a]) is left as it is: close_ring keeps two points. A longer
    // ring that already ends on its start ([a, b, c, a]) gets the start again, since close_ring drops
    // one repeated point.
    const bool closing_curved = part.curve_of(points - 1) != nullptr;
    if (points == 2 && !closing_curved && same_stored_xy(part.point(0), part.point(1))) return;
    part.xs.push_back(part.xs.front());
    part.ys.push_back(part.ys.front());
    if (part.has_z) part.zs.push_back(part.zs.front());
    if (part.has_m) part.ms.push_back(part.ms.front());
}

}  // namespace geokern
