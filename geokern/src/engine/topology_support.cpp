#include "engine/topology_support.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/engine_inputs.hpp"

namespace geokern::engine {
namespace {

double cross(double ax, double ay, double bx, double by) { return ax * by - ay * bx; }

bool finite_part(const PartValue& part) {
    for (size_t i = 0; i < part.xs.size(); ++i) {
        if (!std::isfinite(part.xs[i]) || !std::isfinite(part.ys[i])) return false;
    }
    for (const CurveEntry& entry : part.curves) {
        const Bounds bounds = segment_bounds(part.point(part.start_point_of(entry.segment)), entry.curve,
                                             part.point(part.end_point_of(entry.segment)));
        if (!std::isfinite(bounds.xmin) || !std::isfinite(bounds.xmax) || !std::isfinite(bounds.ymin) ||
            !std::isfinite(bounds.ymax))
            return false;
    }
    return true;
}

}  // namespace

int segments_meet(double ax, double ay, double bx, double by, double cx, double cy, double dx, double dy,
                  Meeting out[2]) {
    const double rx = bx - ax, ry = by - ay, qx = dx - cx, qy = dy - cy;
    const double denominator = cross(rx, ry, qx, qy);
    const double wx = cx - ax, wy = cy - ay;
    auto point_at = [&](double t, double s) {
        Meeting meeting{t, s, ax + t * rx, ay + t * ry};
        if (t == 0.0) meeting.x = ax, meeting.y = ay;
        else if (t == 1.0) meeting.x = bx, meeting.y = by;
        else if (s == 0.0) meeting.x = cx, meeting.y = cy;
        else if (s == 1.0) meeting.x = dx, meeting.y = dy;
        return meeting;
    };
    if (denominator != 0.0) {
        double t = cross(wx, wy, qx, qy) / denominator;
        double s = cross(wx, wy, rx, ry) / denominator;
        // End points met exactly are recognised as such, not as a rounded interior parameter.
        if (ax == cx && ay == cy) t = 0.0, s = 0.0;
        else if (ax == dx && ay == dy) t = 0.0, s = 1.0;
        else if (bx == cx && by == cy) t = 1.0, s = 0.0;
        else if (bx == dx && by == dy) t = 1.0, s = 1.0;
        if (!(t >= 0.0 && t <= 1.0 && s >= 0.0 && s <= 1.0)) return 0;
        out[0] = point_at(t, s);
        return 1;
    }
    if (cross(wx, wy, rx, ry) != 0.0) return 0;  // parallel, apart
    const double length2 = rx * rx + ry * ry;
    if (length2 == 0.0) {
        // The first segment is a point: it meets the second where it lies on it.
        const double q2 = qx * qx + qy * qy;
        if (q2 == 0.0) {
            if (ax != cx || ay != cy) return 0;
            out[0] = Meeting{0.0, 0.0, ax, ay};
            return 1;
        }
        const double s = -(wx * qx + wy * qy) / q2;
        if (!(s >= 0.0 && s <= 1.0)) return 0;
        out[0] = Meeting{0.0, s, ax, ay};
        return 1;
    }
    const double tc = (wx * rx + wy * ry) / length2;
    const double td = ((dx - ax) * rx + (dy - ay) * ry) / length2;
    const double low = std::max(0.0, std::min(tc, td)), high = std::min(1.0, std::max(tc, td));
    if (!(low <= high)) return 0;
    auto s_of = [&](double t) { return tc == td ? 0.0 : (t - tc) / (td - tc); };
    auto exact = [&](double t) {
        Meeting meeting = point_at(t, s_of(t));
        if (t == tc) meeting.x = cx, meeting.y = cy, meeting.s = 0.0;
        else if (t == td) meeting.x = dx, meeting.y = dy, meeting.s = 1.0;
        return meeting;
    };
    out[0] = exact(low);
    if (high == low) return 1;
    out[1] = exact(high);
    return 2;
}

std::optional<double> ray_meets(double ox, double oy, double ux, double uy, double cx, double cy, double dx,
                                double dy) {
    const double qx = dx - cx, qy = dy - cy;
    const double denominator = cross(ux, uy, qx, qy);
    const double wx = cx - ox, wy = cy - oy;
    if (denominator != 0.0) {
        const double t = cross(wx, wy, qx, qy) / denominator;
        const double s = cross(wx, wy, ux, uy) / denominator;
        if (t > 0.0 && s >= 0.0 && s <= 1.0 && std::isfinite(t)) return t;
        return std::nullopt;
    }
    if (cross(wx, wy, ux, uy) != 0.0) return std::nullopt;
    // Along the ray's line: the nearer end of the segment ahead of the origin, or the origin itself
    // when it lies inside the segment (nothing to add then).
    const double u2 = ux * ux + uy * uy;
    if (u2 == 0.0) return std::nullopt;
    const double tc = (wx * ux + wy * uy) / u2, td = ((dx - ox) * ux + (dy - oy) * uy) / u2;
    const double low = std::min(tc, td), high = std::max(tc, td);
    if (high <= 0.0 || low <= 0.0) return std::nullopt;
    return low;
}

SegmentIndex::SegmentIndex(const std::vector<LinearPart>& paths) {
    for (size_t p = 0; p < paths.size(); ++p) {
        const LinearPart& path = paths[p];
        for (size_t j = 0; j + 1 < path.size(); ++j) {
            const Entry entry{std::min(path.xs[j], path.xs[j + 1]), std::max(path.xs[j], path.xs[j + 1]),
                              std::min(path.ys[j], path.ys[j + 1]), std::max(path.ys[j], path.ys[j + 1]), p, j};
            widest_ = std::max(widest_, entry.xmax - entry.xmin);
            entries_.push_back(entry);
        }
    }
    std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) { return a.xmin < b.xmin; });
}

GeosGeometry made_valid(const GEOSGeometry* geometry) {
    GEOSMakeValidParams* params = GEOSMakeValidParams_create_r(geos());
    if (params == nullptr) fail_geos("make-valid parameters");
    GEOSMakeValidParams_setMethod_r(geos(), params, GEOS_MAKE_VALID_STRUCTURE);
    GEOSMakeValidParams_setKeepCollapsed_r(geos(), params, 0);
    GEOSGeometry* made = GEOSMakeValidWithParams_r(geos(), geometry, params);
    GEOSMakeValidParams_destroy_r(geos(), params);
    return checked(made, "make-valid");
}

bool drop_zero_segments(const PartValue& part, PartValue& cleaned) {
    cleaned = PartValue{};
    cleaned.has_z = part.has_z;
    cleaned.has_m = part.has_m;
    cleaned.closed = part.closed;
    const int64_t count = part.point_count();
    if (count == 0) return false;
    auto push = [&](int64_t i) {
        cleaned.xs.push_back(part.xs[i]);
        cleaned.ys.push_back(part.ys[i]);
        if (part.has_z) cleaned.zs.push_back(part.zs[i]);
        if (part.has_m) cleaned.ms.push_back(part.ms[i]);
    };
    bool removed = false;
    push(0);
    for (int64_t i = 0; i + 1 < count; ++i) {
        const Curve* curve = part.curve_of(i);
        if (curve == nullptr && same_xy(part.point(i), part.point(i + 1))) {
            removed = true;
            continue;
        }
        if (curve != nullptr) cleaned.curves.push_back(CurveEntry{cleaned.point_count() - 1, *curve});
        push(i + 1);
    }
    if (part.closed && count >= 2) {
        const Curve* closing = part.curve_of(count - 1);
        if (closing != nullptr) {
            cleaned.curves.push_back(CurveEntry{cleaned.point_count() - 1, *closing});
        } else if (cleaned.point_count() > 1 && same_xy(cleaned.point(cleaned.point_count() - 1), cleaned.point(0))) {
            // The ring repeats its start: the last point goes, its incoming segment now closes the ring.
            cleaned.xs.pop_back();
            cleaned.ys.pop_back();
            if (cleaned.has_z) cleaned.zs.pop_back();
            if (cleaned.has_m) cleaned.ms.pop_back();
            const int64_t points = cleaned.point_count();
            std::erase_if(cleaned.curves, [&](const CurveEntry& entry) { return entry.segment >= points; });
            removed = true;
        }
    }
    return removed;
}

bool finite_coordinates(const GeometryValue& geometry) {
    switch (geometry.type) {
        case geometry_type_point:
            return (std::isnan(geometry.point.x) && std::isnan(geometry.point.y)) ||
                   (std::isfinite(geometry.point.x) && std::isfinite(geometry.point.y));
        case geometry_type_envelope: {
            const EnvelopeData& e = geometry.envelope;
            return e.empty() || (std::isfinite(e.xmin) && std::isfinite(e.xmax) && std::isfinite(e.ymin) &&
                                 std::isfinite(e.ymax));
        }
        case geometry_type_multipoint:
            return finite_part(*geometry.points);
        default:
            return std::all_of(geometry.parts.begin(), geometry.parts.end(),
                               [](const auto& part) { return finite_part(*part); });
    }
}

SpatialReferenceRef joint_finite_inputs(const GeometryValue& input, const GeometryValue& tool,
                                        const std::string& operation, const std::string& input_name,
                                        const std::string& tool_name) {
    SpatialReferenceRef spatial_reference = joint_spatial_reference(input, tool);
    if (!finite_coordinates(input) || !finite_coordinates(tool)) {
        refuse(operation + " needs finite coordinates: the " + input_name + " or the " + tool_name +
               " has a NaN or infinite coordinate.");
    }
    return spatial_reference;
}

}  // namespace geokern::engine
