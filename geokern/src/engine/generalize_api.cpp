// Generalize: Douglas-Peucker on each part, curves first turned into chords within the chord deviation.
// A vertex is kept when it lies further than the maximum deviation from the segment between the kept
// vertices around it (as GEOS's simplifier decides, ties to the first). A path keeps both ends; a ring is
// simplified as the closed path from its start back to it, so its start stays and the ring keeps its
// direction (a ring that the removals turned the other way round is run backwards from its start). A
// part collapses when a path is left with one distinct point or a ring with fewer than
// three; collapsed parts are removed with `remove_degenerate_parts` and kept as they collapsed without
// it. Points, multipoints and envelopes are returned unchanged.
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "engine/engine_inputs.hpp"
#include "engine/geos_conversion.hpp"
#include "engine/linearize.hpp"
#include "engine/number_text.hpp"
#include "report.hpp"

using namespace geokern;
using namespace geokern::engine;

namespace {

double distance_to_segment(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax, dy = by - ay;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0.0 ? ((px - ax) * dx + (py - ay) * dy) / length2 : 0.0;
    t = t < 0.0 ? 0.0 : t > 1.0 ? 1.0 : t;
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// Which vertices Douglas-Peucker keeps; an explicit stack instead of recursion, for long parts.
std::vector<bool> kept_vertices(const LinearPart& line, double tolerance) {
    const size_t n = line.size();
    std::vector<bool> keep(n, false);
    if (n == 0) return keep;
    keep[0] = keep[n - 1] = true;
    std::vector<std::pair<size_t, size_t>> sections{{0, n - 1}};
    while (!sections.empty()) {
        const auto [first, last] = sections.back();
        sections.pop_back();
        if (last <= first + 1) continue;
        double farthest = -1.0;
        size_t index = first;
        for (size_t i = first + 1; i < last; ++i) {
            const double d = distance_to_segment(line.xs[i], line.ys[i], line.xs[first], line.ys[first], line.xs[last],
                                                 line.ys[last]);
            if (d > farthest) {
                farthest = d;
                index = i;
            }
        }
        if (!(farthest > tolerance)) continue;
        keep[index] = true;
        sections.push_back({index, last});
        sections.push_back({first, index});
    }
    return keep;
}

size_t distinct_points(const PartValue& part) {
    size_t distinct = 0;
    for (size_t i = 0; i < part.xs.size(); ++i) {
        bool seen = false;
        for (size_t j = 0; j < i && !seen; ++j) seen = part.xs[j] == part.xs[i] && part.ys[j] == part.ys[i];
        if (!seen && ++distinct >= 3) return distinct;
    }
    return distinct;
}

struct Generalized {
    PartValue part;
    bool collapsed = false;
};

Generalized generalized(const PartValue& source, double tolerance, double deviation) {
    const LinearPart line = linearize(source, deviation);
    const std::vector<bool> keep = kept_vertices(line, tolerance);
    Generalized result;
    PartValue& part = result.part;
    part.has_z = source.has_z;
    part.has_m = source.has_m;
    part.closed = source.closed;
    // A ring's linear form ends on its start again, which the ring does not repeat.
    const size_t end = source.closed && line.size() > 0 ? line.size() - 1 : line.size();
    for (size_t i = 0; i < end; ++i) {
        if (!keep[i]) continue;
        part.xs.push_back(line.xs[i]);
        part.ys.push_back(line.ys[i]);
        if (part.has_z) part.zs.push_back(line.zs[i]);
        if (part.has_m) part.ms.push_back(line.ms[i]);
    }
    result.collapsed = distinct_points(part) < (source.closed ? 3u : 2u);
    // Dropping vertices of a crooked ring can turn what is left the other way round; run it backwards
    // from the same start then, so that the ring keeps its orientation.
    if (source.closed && !result.collapsed) {
        const double before = signed_area2(line.xs, line.ys), after = signed_area2(part.xs, part.ys);
        if ((before < 0.0 && after > 0.0) || (before > 0.0 && after < 0.0)) {
            for (std::vector<double>* column : {&part.xs, &part.ys, &part.zs, &part.ms}) {
                if (column->size() > 1) std::reverse(column->begin() + 1, column->end());
            }
        }
    }
    return result;
}

}  // namespace

GK_GeometryHandle GK_GeometryEngine_generalize(GK_GeometryHandle geometry, double max_deviation,
                                               GK_Bool remove_degenerate_parts, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        const GeometryValue& value = value_of(geometry);
        if (!(max_deviation >= 0.0)) {
            refuse("the maximum deviation must be a number of at least 0: got " + number_text(max_deviation) + ".");
        }
        if (value.type != geometry_type_polyline && value.type != geometry_type_polygon) return new_geometry(value);
        const double deviation = chord_deviation(value);
        GeometryValue result = value;
        result.parts.clear();
        for (const auto& part : value.parts) {
            Generalized simplified = generalized(*part, max_deviation, deviation);
            if (simplified.collapsed && remove_degenerate_parts) continue;
            result.parts.push_back(std::make_shared<const PartValue>(std::move(simplified.part)));
        }
        return new_geometry(std::move(result));
    });
}
