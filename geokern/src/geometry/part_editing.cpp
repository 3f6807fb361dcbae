#include "geometry/part_editing.hpp"

#include <algorithm>
#include <string>

#include "failure.hpp"

namespace geokern {
namespace {

using Index = std::ptrdiff_t;

void set_curve(PartValue& part, int64_t segment, const std::optional<Curve>& curve) {
    auto found =
        std::lower_bound(part.curves.begin(), part.curves.end(), segment,
                         [](const CurveEntry& entry, int64_t wanted) { return entry.segment < wanted; });
    const bool present = found != part.curves.end() && found->segment == segment;
    if (!curve.has_value()) {
        if (present) part.curves.erase(found);
    } else if (present) {
        found->curve = *curve;
    } else {
        part.curves.insert(found, CurveEntry{segment, *curve});
    }
}

// Moves the curves of segments at or after `first` by `delta`.
void shift_curves(PartValue& part, int64_t first, int64_t delta) {
    for (CurveEntry& entry : part.curves) {
        if (entry.segment >= first) entry.segment += delta;
    }
}

void write_point(PartValue& part, int64_t index, const Vertex& point) {
    const auto i = static_cast<size_t>(index);
    part.xs[i] = point.x;
    part.ys[i] = point.y;
    if (part.has_z) part.zs[i] = point.z;
    if (part.has_m) part.ms[i] = point.m;
}

void insert_columns(PartValue& part, int64_t index, const Vertex& point) {
    part.xs.insert(part.xs.begin() + Index(index), point.x);
    part.ys.insert(part.ys.begin() + Index(index), point.y);
    if (part.has_z) part.zs.insert(part.zs.begin() + Index(index), point.z);
    if (part.has_m) part.ms.insert(part.ms.begin() + Index(index), point.m);
}

void erase_columns(PartValue& part, int64_t index) {
    part.xs.erase(part.xs.begin() + Index(index));
    part.ys.erase(part.ys.begin() + Index(index));
    if (part.has_z) part.zs.erase(part.zs.begin() + Index(index));
    if (part.has_m) part.ms.erase(part.ms.begin() + Index(index));
}

Vertex adapted(const Vertex& point, bool has_z, bool has_m) {
    return Vertex{point.x, point.y, has_z ? point.z : nan_value, has_m ? point.m : nan_value};
}

void check_insert_index(int64_t index, int64_t limit, const char* what) {
    if (index < 0 || index > limit) {
        fail(GK_ERROR_OUT_OF_RANGE, "index out of range.",
             std::string(what) + " index " + std::to_string(index) + " is beyond " + std::to_string(limit) +
                 ".");
    }
}

// Keeps the curve of a segment valid after one of its end points moved.
void refit(PartValue& part, int64_t segment) {
    if (segment < 0 || segment >= part.segment_count()) return;
    const Curve* curve = part.curve_of(segment);
    if (curve == nullptr) return;
    const Curve fitted =
        curve_for_new_ends(*curve, part.point(segment), part.point(part.end_point_of(segment)));
    set_curve(part, segment, fitted);
}

// Points first..last of a part with the segments between them.
PartValue slice(const PartValue& part, int64_t first, int64_t last) {
    PartValue piece;
    piece.has_z = part.has_z;
    piece.has_m = part.has_m;
    for (int64_t i = first; i <= last; ++i) add_point(piece, part.point(i), part.has_z, part.has_m);
    for (const CurveEntry& entry : part.curves) {
        if (entry.segment >= first && entry.segment < last)
            piece.curves.push_back({entry.segment - first, entry.curve});
    }
    return piece;
}

PartValue part_of_segment(const SegmentValue& segment) {
    PartValue piece;
    add_segment(piece, segment);
    return piece;
}

// Appends `tail` to `part`, merging the joining points when they coincide and joining them by a straight
// line otherwise.
void append_joined(PartValue& part, const PartValue& tail) {
    if (tail.empty()) return;
    widen(part, tail.has_z, tail.has_m);
    int64_t first = 0;
    int64_t offset = part.point_count();
    if (!part.empty() && same_xy(part.point(part.point_count() - 1), tail.point(0))) {
        first = 1;
        offset -= 1;
    }
    for (int64_t i = first; i < tail.point_count(); ++i)
        add_point(part, tail.point(i), tail.has_z, tail.has_m);
    for (const CurveEntry& entry : tail.curves) part.curves.push_back({entry.segment + offset, entry.curve});
}

// Parts are mostly assembled a point at a time, and most are small: their columns start with room
// for a few points, so that a small ring is not moved at 1, 2 and 4 points in every column.
constexpr std::size_t first_columns_capacity = 8;

void reserve_columns(PartValue& part, std::size_t capacity) {
    part.xs.reserve(capacity);
    part.ys.reserve(capacity);
    if (part.has_z) part.zs.reserve(capacity);
    if (part.has_m) part.ms.reserve(capacity);
}

}  // namespace

void widen(PartValue& part, bool has_z, bool has_m) {
    if (has_z && !part.has_z) {
        part.has_z = true;
        part.zs.assign(part.xs.size(), nan_value);
    }
    if (has_m && !part.has_m) {
        part.has_m = true;
        part.ms.assign(part.xs.size(), nan_value);
    }
}

void add_point(PartValue& part, const Vertex& point, bool has_z, bool has_m) {
    widen(part, has_z, has_m);
    if (part.xs.capacity() == 0) reserve_columns(part, first_columns_capacity);
    const Vertex stored = adapted(point, has_z, has_m);
    part.xs.push_back(stored.x);
    part.ys.push_back(stored.y);
    if (part.has_z) part.zs.push_back(stored.z);
    if (part.has_m) part.ms.push_back(stored.m);
}

void add_segment(PartValue& part, const SegmentValue& segment) {
    widen(part, segment.has_z, segment.has_m);
    if (part.empty() || !same_xy(part.point(part.point_count() - 1), segment.start)) {
        add_point(part, segment.start, segment.has_z, segment.has_m);
    }
    add_point(part, segment.end, segment.has_z, segment.has_m);
    set_curve(part, part.segment_count() - 1, segment.curve);
}

void insert_point(PartValue& part, int64_t index, const Vertex& point, bool has_z, bool has_m) {
    check_insert_index(index, part.point_count(), "point");
    widen(part, has_z, has_m);
    const int64_t points = part.point_count();
    if (index > 0 && index < points) set_curve(part, index - 1, std::nullopt);
    if (index < points) shift_curves(part, index, 1);
    insert_columns(part, index, adapted(point, has_z, has_m));
}

void insert_segment(PartValue& part, int64_t index, const SegmentValue& segment) {
    check_insert_index(index, part.segment_count(), "segment");
    if (index == part.segment_count()) {
        add_segment(part, segment);
        return;
    }
    const int64_t last = part.point_count() - 1;
    PartValue result = index > 0 ? slice(part, 0, index) : PartValue{};
    result.has_z = result.has_z || part.has_z;
    result.has_m = result.has_m || part.has_m;
    widen(result, result.has_z, result.has_m);
    append_joined(result, part_of_segment(segment));
    append_joined(result, slice(part, index, last));
    part = std::move(result);
}

void set_point(PartValue& part, int64_t index, const Vertex& point, bool has_z, bool has_m) {
    part.check_point_index(index);
    widen(part, has_z, has_m);
    write_point(part, index, adapted(point, has_z, has_m));
    refit(part, part.segment_ending_at(index));
    refit(part, part.segment_starting_at(index));
}

void set_segment(PartValue& part, int64_t index, const SegmentValue& segment) {
    part.check_segment_index(index);
    widen(part, segment.has_z, segment.has_m);
    const int64_t end = part.end_point_of(index);
    write_point(part, index, adapted(segment.start, segment.has_z, segment.has_m));
    write_point(part, end, adapted(segment.end, segment.has_z, segment.has_m));
    set_curve(part, index, segment.curve);
    refit(part, part.segment_ending_at(index));
    refit(part, part.segment_starting_at(end));
}

void remove_point(PartValue& part, int64_t index) {
    part.check_point_index(index);
    const int64_t points = part.point_count();
    if (index == 0) {
        set_curve(part, 0, std::nullopt);
    } else if (index == points - 1) {
        set_curve(part, index - 1, std::nullopt);
    } else {
        set_curve(part, index - 1, std::nullopt);
        set_curve(part, index, std::nullopt);
    }
    shift_curves(part, std::max<int64_t>(index, 1), -1);
    erase_columns(part, index);
}

void remove_segment(PartValue& part, int64_t index, bool preserve_adjacent_segments) {
    part.check_segment_index(index);
    const int64_t segments = part.segment_count();
    if (segments == 1) {
        remove_all(part);
    } else if (index == 0) {
        remove_point(part, 0);
    } else if (index == segments - 1) {
        remove_point(part, part.point_count() - 1);
    } else if (preserve_adjacent_segments) {
        set_curve(part, index, std::nullopt);
    } else {
        const Vertex a = part.point(index), b = part.point(index + 1);
        const Vertex middle{0.5 * (a.x + b.x), 0.5 * (a.y + b.y), 0.5 * (a.z + b.z), 0.5 * (a.m + b.m)};
        set_curve(part, index, std::nullopt);
        shift_curves(part, index + 1, -1);
        erase_columns(part, index + 1);
        write_point(part, index, middle);
        refit(part, index - 1);
        refit(part, index);
    }
}

void remove_all(PartValue& part) {
    part.xs.clear();
    part.ys.clear();
    part.zs.clear();
    part.ms.clear();
    part.curves.clear();
}

SegmentValue segment_at(const PartValue& part, int64_t index, const SpatialReferenceRef& spatial_reference) {
    part.check_segment_index(index);
    const Curve* curve = part.curve_of(index);
    return SegmentValue{part.point(index),
                        part.point(part.end_point_of(index)),
                        part.has_z,
                        part.has_m,
                        curve ? std::optional<Curve>(*curve) : std::nullopt,
                        spatial_reference};
}

}  // namespace geokern
