// extend: the ends of a polyline's paths prolonged to an extender (a polyline, or a polygon's rings).
//
// Each end of each path is prolonged along the direction of its last straight piece (a curved end
// segment: its last chord) until it first meets the extender strictly beyond the end. By default a
// vertex is added there, joined to the old end by a straight segment; RELOCATE_ENDS (1) moves the end
// vertex there instead (an arc ending there is refitted to the new end, a Bezier keeps its control
// points). DO_NOT_EXTEND_FROM_START_POINT (8) and DO_NOT_EXTEND_FROM_END_POINT (16) leave that end alone.
// z and m of the new end: by default interpolated on the extender segment it lands on, or the old end's
// where the extender has none (or NaN); KEEP_END_ATTRIBUTES (2) copies the old end's; NO_END_ATTRIBUTES
// (4) makes them NaN. When no end reaches the extender there is no result: a null handle, no error.
#include <cmath>
#include <optional>
#include <string>

#include "engine/engine_inputs.hpp"
#include "engine/topology_support.hpp"
#include "geometry/part_editing.hpp"
#include "report.hpp"

using namespace geokern;
using namespace geokern::engine;

namespace {

constexpr int32_t relocate_ends = 1, keep_end_attributes = 2, no_end_attributes = 4, not_from_start = 8,
                  not_from_end = 16;

struct Landing {
    Vertex point;  // z and m from the extender (NaN where it has none)
};

std::optional<Landing> first_landing(const Vertex& end, double ux, double uy, const std::vector<LinearPart>& targets) {
    std::optional<double> best;
    Vertex found;
    for (const LinearPart& target : targets) {
        for (size_t j = 0; j + 1 < target.size(); ++j) {
            const std::optional<double> t = ray_meets(end.x, end.y, ux, uy, target.xs[j], target.ys[j],
                                                      target.xs[j + 1], target.ys[j + 1]);
            if (!t || (best && *best <= *t)) continue;
            best = t;
            const Vertex a = target.point(j), b = target.point(j + 1);
            Vertex at{end.x + *t * ux, end.y + *t * uy};
            // A landing on a vertex of the extender takes that vertex exactly.
            const double length2 = (b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y);
            double s = length2 > 0.0 ? ((at.x - a.x) * (b.x - a.x) + (at.y - a.y) * (b.y - a.y)) / length2 : 0.0;
            s = std::clamp(s, 0.0, 1.0);
            if (s == 0.0) at.x = a.x, at.y = a.y;
            if (s == 1.0) at.x = b.x, at.y = b.y;
            at.z = a.z + (b.z - a.z) * s;
            at.m = a.m + (b.m - a.m) * s;
            found = at;
        }
    }
    if (!best || !std::isfinite(found.x) || !std::isfinite(found.y)) return std::nullopt;
    return Landing{found};
}

Vertex new_end(const Vertex& old_end, const Vertex& landing, int32_t options) {
    Vertex result{landing.x, landing.y, old_end.z, old_end.m};
    if (options & no_end_attributes) {
        result.z = nan_value;
        result.m = nan_value;
    } else if (!(options & keep_end_attributes)) {
        if (!std::isnan(landing.z)) result.z = landing.z;
        if (!std::isnan(landing.m)) result.m = landing.m;
    }
    return result;
}

}  // namespace

GK_GeometryHandle GK_GeometryEngine_extend(GK_GeometryHandle polyline, GK_GeometryHandle extender,
                                           GK_GeometryExtendOptions options, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&]() -> GK_GeometryHandle {
        const GeometryValue& line = value_of(polyline);
        const GeometryValue& target_value = value_of(extender);
        if (line.type != geometry_type_polyline) {
            refuse(std::string("extend needs a polyline to extend: got a ") + geometry_type_name(line.type) + ".");
        }
        if (dimension_of(target_value) == 0) {
            refuse(std::string("the extender must be a polyline or a polygon: got a ") +
                   geometry_type_name(target_value.type) + ".");
        }
        if (options < 0 || options > 31) {
            refuse("extend options are a sum of the flags 1, 2, 4, 8 and 16: got " + std::to_string(options) + ".");
        }
        if ((options & keep_end_attributes) && (options & no_end_attributes)) {
            refuse("extend options KEEP_END_ATTRIBUTES (2) and NO_END_ATTRIBUTES (4) exclude each other.");
        }
        const SpatialReferenceRef spatial_reference =
            joint_finite_inputs(line, target_value, "extend", "polyline", "extender");
        if (is_empty(line) || is_empty(target_value)) return nullptr;
        const GeometryValue target = polygon_of_envelope(target_value);
        const double deviation = chord_deviation(line, target);
        std::vector<LinearPart> targets;
        for (const auto& part : target.parts) {
            LinearPart path = linearize(*part, deviation);
            if (!target.has_z) std::fill(path.zs.begin(), path.zs.end(), nan_value);
            if (!target.has_m) std::fill(path.ms.begin(), path.ms.end(), nan_value);
            if (path.size() >= 2) targets.push_back(std::move(path));
        }
        GeometryValue result = line;
        result.spatial_reference = spatial_reference;
        bool extended = false;
        for (auto& shared : result.parts) {
            if (shared->point_count() < 2) continue;
            const LinearPart path = linearize(*shared, deviation);
            PartValue part = *shared;
            const bool relocate = options & relocate_ends;
            bool changed = false;
            // The end first, so that adding at the start does not move its index.
            for (const bool at_start : {false, true}) {
                if (options & (at_start ? not_from_start : not_from_end)) continue;
                const size_t n = path.size();
                const size_t end_index = at_start ? 0 : n - 1;
                const Vertex end = path.point(end_index);
                std::optional<Vertex> before;
                for (size_t step = 1; step < n && !before; ++step) {
                    const Vertex other = path.point(at_start ? step : n - 1 - step);
                    if (!same_xy(other, end)) before = other;
                }
                if (!before) continue;
                const std::optional<Landing> landing =
                    first_landing(end, end.x - before->x, end.y - before->y, targets);
                if (!landing) continue;
                const int64_t index = at_start ? 0 : part.point_count() - 1;
                const Vertex made = new_end(part.point(index), landing->point, options);
                if (relocate) set_point(part, index, made, part.has_z, part.has_m);
                else if (at_start) insert_point(part, 0, made, part.has_z, part.has_m);
                else add_point(part, made, part.has_z, part.has_m);
                changed = true;
            }
            if (changed) {
                shared = std::make_shared<const PartValue>(std::move(part));
                extended = true;
            }
        }
        if (!extended) return nullptr;
        return new_geometry(std::move(result));
    });
}
