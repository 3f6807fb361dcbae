// reshape: part of a polyline or a polygon's ring replaced by the middle of a reshaping path.
//
// The reshaper (one path) must meet one path of the polyline, or one ring of the polygon, at two
// distinct points; the first and last points where it meets it, along the reshaper, are the two ends of
// the replacement. For a polyline the path between those points is replaced by the reshaper between them
// (reversed when the reshaper runs against the path); the first path the reshaper meets twice is
// reshaped. For a polygon the ring's boundary between the two points is replaced by the reshaper's
// middle on one side or the other: of the two rings this gives, the one of larger area is kept, with the
// orientation of the ring it replaces; a result that is then not simple (the new ring crossing another)
// is made simple as simplify does. Anything else is a runtime error saying what the reshaper met. The
// reshaped part is straight (curves as chords); other parts keep their curves.
#include <algorithm>
#include <cmath>
#include <string>

#include "engine/engine_inputs.hpp"
#include "engine/simplify.hpp"
#include "engine/topology_support.hpp"
#include "report.hpp"

using namespace geokern;
using namespace geokern::engine;

namespace {

struct Touch {
    double along_reshaper;  // segment index + fraction
    double along_part;
    Vertex point;
};

// The first and last meeting along the reshaper, or nothing when it meets the part at fewer than two
// distinct points.
std::optional<std::pair<Touch, Touch>> ends_on(const LinearPart& part, const LinearPart& reshaper) {
    std::vector<Touch> touches;
    for (size_t j = 0; j + 1 < reshaper.size(); ++j) {
        for (size_t i = 0; i + 1 < part.size(); ++i) {
            Meeting meetings[2];
            const int count = segments_meet(reshaper.xs[j], reshaper.ys[j], reshaper.xs[j + 1], reshaper.ys[j + 1],
                                            part.xs[i], part.ys[i], part.xs[i + 1], part.ys[i + 1], meetings);
            for (int k = 0; k < count; ++k) {
                const Meeting& m = meetings[k];
                const Vertex a = part.point(i), b = part.point(i + 1);
                touches.push_back(Touch{static_cast<double>(j) + m.t, static_cast<double>(i) + m.s,
                                        Vertex{m.x, m.y, a.z + (b.z - a.z) * m.s, a.m + (b.m - a.m) * m.s}});
            }
        }
    }
    if (touches.size() < 2) return std::nullopt;
    auto by_reshaper = [](const Touch& a, const Touch& b) { return a.along_reshaper < b.along_reshaper; };
    const Touch first = *std::min_element(touches.begin(), touches.end(), by_reshaper);
    const Touch last = *std::max_element(touches.begin(), touches.end(), by_reshaper);
    if (same_xy(first.point, last.point)) return std::nullopt;
    return std::make_pair(first, last);
}

void append(LinearPart& into, const Vertex& vertex) {
    if (into.size() > 0 && same_xy(into.point(into.size() - 1), vertex)) return;
    into.add(vertex, 0);
}

// The reshaper's vertices strictly between two of its parameters, in order.
void reshaper_between(const LinearPart& reshaper, double from, double to, LinearPart& into, bool reversed) {
    std::vector<Vertex> inner;
    for (size_t i = 0; i < reshaper.size(); ++i) {
        if (static_cast<double>(i) > from && static_cast<double>(i) < to) inner.push_back(reshaper.point(i));
    }
    if (reversed) std::reverse(inner.begin(), inner.end());
    for (const Vertex& v : inner) append(into, v);
}

// A ring's vertices strictly after parameter `from` and before `to`, walking forward (around the start).
void ring_between(const LinearPart& ring, double from, double to, LinearPart& into) {
    const size_t n = ring.size() - 1;  // distinct points; the last repeats the first
    const double span = std::fmod(to - from + static_cast<double>(n), static_cast<double>(n));
    size_t index = static_cast<size_t>(std::floor(from)) + 1;
    for (size_t step = 0; step <= n; ++step, ++index) {
        const double ahead = std::fmod(static_cast<double>(index) - from + static_cast<double>(n), static_cast<double>(n));
        if (ahead <= 0.0 || ahead >= span) break;
        append(into, ring.point(index % n));
    }
}

PartValue part_of(const LinearPart& linear, bool closed, bool has_z, bool has_m) {
    PartValue part = part_of(linear, has_z, has_m);
    if (closed) close_ring(part);
    return part;
}

}  // namespace

GK_GeometryHandle GK_GeometryEngine_reshape(GK_GeometryHandle geometry, GK_GeometryHandle reshaper, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        const GeometryValue& input = value_of(geometry);
        const GeometryValue& path_value = value_of(reshaper);
        if (dimension_of(input) == 0) {
            refuse(std::string("reshape needs a polyline or a polygon: got a ") + geometry_type_name(input.type) + ".");
        }
        if (path_value.type != geometry_type_polyline || path_value.parts.size() != 1) {
            refuse("the reshaper must be a polyline of one path.");
        }
        const SpatialReferenceRef spatial_reference =
            joint_finite_inputs(input, path_value, "reshape", "geometry", "reshaper");
        const GeometryValue source = polygon_of_envelope(input);
        const double deviation = chord_deviation(source, path_value);
        LinearPart path = linearize(*path_value.parts[0], deviation);
        if (!path_value.has_z) std::fill(path.zs.begin(), path.zs.end(), nan_value);
        if (!path_value.has_m) std::fill(path.ms.begin(), path.ms.end(), nan_value);
        const bool polygon = source.type == geometry_type_polygon;
        for (size_t k = 0; k < source.parts.size(); ++k) {
            LinearPart part = linearize(*source.parts[k], deviation);
            if (part.size() < 2) continue;
            const auto ends = ends_on(part, path);
            if (!ends) continue;
            const Touch& first = ends->first;
            const Touch& last = ends->second;
            LinearPart made;
            if (!polygon) {
                const bool forward = first.along_part <= last.along_part;
                const Touch& low = forward ? first : last;
                const Touch& high = forward ? last : first;
                for (size_t i = 0; i < part.size() && static_cast<double>(i) < low.along_part; ++i) append(made, part.point(i));
                append(made, low.point);
                reshaper_between(path, first.along_reshaper, last.along_reshaper, made, !forward);
                append(made, high.point);
                for (size_t i = 0; i < part.size(); ++i) {
                    if (static_cast<double>(i) > high.along_part) append(made, part.point(i));
                }
            } else {
                // One side: the ring from the first point to the last, back along the reshaper; the other:
                // the ring on from the last point to the first, then along the reshaper.
                LinearPart one, other;
                append(one, first.point);
                ring_between(part, first.along_part, last.along_part, one);
                append(one, last.point);
                reshaper_between(path, first.along_reshaper, last.along_reshaper, one, true);
                append(one, first.point);
                append(other, last.point);
                ring_between(part, last.along_part, first.along_part, other);
                append(other, first.point);
                reshaper_between(path, first.along_reshaper, last.along_reshaper, other, false);
                append(other, last.point);
                const double area_one = signed_area2(one.xs, one.ys), area_other = signed_area2(other.xs, other.ys);
                made = std::abs(area_one) >= std::abs(area_other) ? one : other;
                const double kept = std::abs(area_one) >= std::abs(area_other) ? area_one : area_other;
                const bool clockwise = signed_area2(part.xs, part.ys) < 0.0;
                if ((kept < 0.0) != clockwise) {
                    std::reverse(made.xs.begin(), made.xs.end());
                    std::reverse(made.ys.begin(), made.ys.end());
                    std::reverse(made.zs.begin(), made.zs.end());
                    std::reverse(made.ms.begin(), made.ms.end());
                }
            }
            GeometryValue result = source;
            result.spatial_reference = spatial_reference;
            result.parts[k] = std::make_shared<const PartValue>(part_of(made, polygon, source.has_z, source.has_m));
            return new_geometry(polygon ? simplified_geometry(result) : std::move(result));
        }
        refuse(std::string("the reshaper must meet the ") + (polygon ? "polygon's boundary" : "polyline") +
               " at two distinct points of one " + (polygon ? "ring" : "path") + ": it does not.");
    });
}
