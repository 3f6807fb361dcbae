// Generalize: Douglas-Peucker on each part (douglas_peucker.hpp), curves first turned into chords within
// the chord deviation. A path keeps both ends; a ring is simplified as the closed path from its start
// back to it, so its start stays and the ring keeps its direction (a ring that the removals turned the
// other way round is run backwards from its start). A part collapses when a path is left with one
// distinct point or a ring with fewer than three. A collapsed path is removed with
// `remove_degenerate_parts` and kept as it collapsed without it; a collapsed ring is always removed,
// since no reader takes a ring of fewer than three vertices back.
// Points, multipoints and envelopes are returned unchanged.
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "engine/douglas_peucker.hpp"
#include "engine/engine_inputs.hpp"
#include "engine/geos_conversion.hpp"
#include "engine/linearize.hpp"
#include "engine/number_text.hpp"
#include "report.hpp"

using namespace geokern;
using namespace geokern::engine;

namespace {

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
    const std::vector<bool> keep = douglas_peucker_kept(line, tolerance);
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
            if (simplified.collapsed && (remove_degenerate_parts || part->closed)) continue;
            result.parts.push_back(std::make_shared<const PartValue>(std::move(simplified.part)));
        }
        return new_geometry(std::move(result));
    });
}
