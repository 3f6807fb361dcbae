#include "engine/vertex_attributes.hpp"

#include <algorithm>
#include <bit>
#include <cmath>

namespace geokern::engine {
namespace {

// A point counts as on a segment when it lies within this fraction of the segment's length of it:
// GEOS computes intersection points in doubles, a few units in the last place off the exact line.
constexpr double on_segment_fraction = 1e-9;

double lerp(double a, double b, double t) { return a + (b - a) * t; }

}  // namespace

size_t VertexAttributes::KeyHash::operator()(const Key& key) const {
    // 0 and -0 are the same coordinate.
    const uint64_t x = std::bit_cast<uint64_t>(key.x == 0.0 ? 0.0 : key.x);
    const uint64_t y = std::bit_cast<uint64_t>(key.y == 0.0 ? 0.0 : key.y);
    return static_cast<size_t>(x * 0x9E3779B97F4A7C15ull ^ (y + 0x632BE59BD9B4E019ull + (x << 6) + (x >> 2)));
}

void VertexAttributes::add(const GeometryValue& geometry, double deviation) {
    if (!geometry.has_z && !geometry.has_m) return;
    sorted_ = false;
    auto keep = [&](LinearPart linear, bool as_segments) {
        if (!geometry.has_z) std::fill(linear.zs.begin(), linear.zs.end(), nan_value);
        if (!geometry.has_m) std::fill(linear.ms.begin(), linear.ms.end(), nan_value);
        add_points(linear, as_segments);
    };
    switch (geometry.type) {
        case geometry_type_point: {
            LinearPart single;
            single.add(geometry.point, 0);
            keep(std::move(single), false);
            break;
        }
        case geometry_type_multipoint:
            keep(linearize(*geometry.points, deviation), false);
            break;
        case geometry_type_envelope:
            break;  // an envelope's corners have no single z or m
        default:
            for (const auto& part : geometry.parts) keep(linearize(*part, deviation), true);
    }
}

void VertexAttributes::add_points(const LinearPart& part, bool as_segments) {
    for (size_t i = 0; i < part.size(); ++i) {
        const Vertex vertex = part.point(i);
        vertices_.try_emplace(Key{vertex.x, vertex.y}, vertex);
        if (!as_segments || i == 0) continue;
        const Vertex previous = part.point(i - 1);
        segments_.push_back(Segment{previous, vertex, std::min(previous.x, vertex.x), std::max(previous.x, vertex.x),
                                    std::min(previous.y, vertex.y), std::max(previous.y, vertex.y)});
    }
}

void VertexAttributes::index_segments() const {
    if (sorted_) return;
    std::sort(segments_.begin(), segments_.end(), [](const Segment& a, const Segment& b) { return a.xmin < b.xmin; });
    widest_ = 0.0;
    for (const Segment& segment : segments_) widest_ = std::max(widest_, segment.xmax - segment.xmin);
    sorted_ = true;
}

void VertexAttributes::fill(Vertex& vertex) const {
    vertex.z = vertex.m = nan_value;
    if (const auto found = vertices_.find(Key{vertex.x, vertex.y}); found != vertices_.end()) {
        vertex.z = found->second.z;
        vertex.m = found->second.m;
        return;
    }
    index_segments();
    // Segments whose x range can hold the point: xmin in [x - widest, x], with a little slack.
    const double slack = widest_ * on_segment_fraction;
    auto first = std::lower_bound(segments_.begin(), segments_.end(), vertex.x - widest_ - slack,
                                  [](const Segment& s, double x) { return s.xmin < x; });
    double best = INFINITY;
    for (auto it = first; it != segments_.end() && it->xmin <= vertex.x + slack; ++it) {
        const Segment& s = *it;
        const double dx = s.b.x - s.a.x, dy = s.b.y - s.a.y;
        const double length2 = dx * dx + dy * dy;
        if (!(length2 > 0.0)) continue;
        const double tolerance = std::sqrt(length2) * on_segment_fraction;
        if (vertex.x < s.xmin - tolerance || vertex.x > s.xmax + tolerance || vertex.y < s.ymin - tolerance ||
            vertex.y > s.ymax + tolerance)
            continue;
        const double t = std::clamp(((vertex.x - s.a.x) * dx + (vertex.y - s.a.y) * dy) / length2, 0.0, 1.0);
        const double off = std::hypot(s.a.x + t * dx - vertex.x, s.a.y + t * dy - vertex.y);
        if (off > tolerance || off >= best) continue;
        best = off;
        vertex.z = lerp(s.a.z, s.b.z, t);
        vertex.m = lerp(s.a.m, s.b.m, t);
    }
}

}  // namespace geokern::engine
