// cut: a polyline or polygon cut by a polyline into pieces on the cutter's left and right.
//
// The result holds every piece on the left of the cutter (in the order of the input's parts and,
// within a path, along it), then every piece on its right, then, as one more geometry, the parts the
// cutter did not cut (they keep their curves) together with any piece that runs along the cutter.
// Nothing cut (no part split in two or more pieces): an empty array. Points and multipoints are never
// cut. Cut pieces are straight (curves as chords); their vertices keep or interpolate z and m.
//
// A path is split where it meets the cutter, except at its own end points. Each piece takes the side
// on which it leaves the cut point at its start (the first piece: at its end), judged against the cutter
// segment there (at a cutter vertex, against the corner the two segments make); a piece that runs along
// the cutter is judged by its first vertex off it. Neighbouring pieces on the same side (a path that
// only touches the cutter) are joined again.
//
// A polygon part (an outer ring with its holes) is split into the faces that its boundary and the
// cutter enclose inside it; a face is on the left when the cutter runs along its boundary with the
// face on its left (by length, when the cutter borders it both ways).
#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/engine_collections.hpp"
#include "engine/engine_inputs.hpp"
#include "engine/topology_support.hpp"
#include "failure.hpp"
#include "report.hpp"

using namespace geokern;
using namespace geokern::engine;

namespace {

enum class Side { left, right, along };

double cross(double ax, double ay, double bx, double by) { return ax * by - ay * bx; }

struct CutPoint {
    size_t segment;  // of the path
    double t;
    double x, y;
    size_t cutter_path, cutter_segment;
    double s;
};

struct Sides {
    std::vector<GeometryValue> left, right;
    GeometryValue rest;
    bool cut = false;
};

// The side of direction (wx, wy) leaving a point of the cutter; along: on the cutter's line.
Side side_at(const LinearPart& cutter, const CutPoint& at, double wx, double wy) {
    const size_t last = cutter.size() - 1;
    size_t vertex = last + 1;  // none
    if (at.s == 0.0 && at.cutter_segment > 0) vertex = at.cutter_segment;
    if (at.s == 1.0 && at.cutter_segment + 1 < last) vertex = at.cutter_segment + 1;
    if (vertex > last) {
        const double dx = cutter.xs[at.cutter_segment + 1] - cutter.xs[at.cutter_segment];
        const double dy = cutter.ys[at.cutter_segment + 1] - cutter.ys[at.cutter_segment];
        const double c = cross(dx, dy, wx, wy);
        return c > 0.0 ? Side::left : c < 0.0 ? Side::right : Side::along;
    }
    // At a corner of the cutter the left is the sector turning counter-clockwise from the outgoing
    // segment to the reversed incoming one.
    const double inx = cutter.xs[vertex] - cutter.xs[vertex - 1], iny = cutter.ys[vertex] - cutter.ys[vertex - 1];
    const double outx = cutter.xs[vertex + 1] - cutter.xs[vertex], outy = cutter.ys[vertex + 1] - cutter.ys[vertex];
    auto turn = [&](double vx, double vy) {
        double angle = std::atan2(cross(outx, outy, vx, vy), outx * vx + outy * vy);
        if (angle < 0.0) angle += 2.0 * std::numbers::pi;
        return angle;
    };
    const double back = turn(-inx, -iny), toward = turn(wx, wy);
    if (toward == 0.0 || toward == back) return Side::along;
    return toward < back ? Side::left : Side::right;
}

struct Piece {
    LinearPart points;
    Side side = Side::along;
};

GeometryValue shaped(const GeometryValue& like, GK_GeometryType type, const SpatialReferenceRef& spatial_reference) {
    GeometryValue value;
    value.type = type;
    value.has_z = like.has_z;
    value.has_m = like.has_m;
    value.spatial_reference = spatial_reference;
    return value;
}

// The pieces of one path, or nothing when the cutter does not cut it.
std::vector<Piece> cut_path(const LinearPart& line, const std::vector<LinearPart>& cutters, const SegmentIndex& index) {
    std::vector<CutPoint> cuts;
    const size_t segments = line.size() - 1;
    for (size_t i = 0; i < segments; ++i) {
        const double x1 = line.xs[i], y1 = line.ys[i], x2 = line.xs[i + 1], y2 = line.ys[i + 1];
        index.visit(std::min(x1, x2), std::max(x1, x2), std::min(y1, y2), std::max(y1, y2), [&](size_t c, size_t j) {
            const LinearPart& cutter = cutters[c];
            const double cx = cutter.xs[j], cy = cutter.ys[j], dx = cutter.xs[j + 1], dy = cutter.ys[j + 1];
            Meeting meetings[2];
            const int count = segments_meet(x1, y1, x2, y2, cx, cy, dx, dy, meetings);
            for (int k = 0; k < count; ++k) {
                const Meeting& m = meetings[k];
                if ((i == 0 && m.t == 0.0) || (i + 1 == segments && m.t == 1.0)) continue;
                cuts.push_back(CutPoint{i, m.t, m.x, m.y, c, j, m.s});
            }
        });
    }
    if (cuts.empty()) return {};
    std::stable_sort(cuts.begin(), cuts.end(), [](const CutPoint& a, const CutPoint& b) {
        return a.segment != b.segment ? a.segment < b.segment : a.t < b.t;
    });
    // One cut per point: a vertex on the cutter is met by both segments around it.
    std::vector<CutPoint> distinct;
    for (const CutPoint& cut : cuts) {
        if (!distinct.empty() && distinct.back().x == cut.x && distinct.back().y == cut.y) continue;
        distinct.push_back(cut);
    }
    auto vertex_at = [&](const CutPoint& cut) {
        const Vertex a = line.point(cut.segment), b = line.point(cut.segment + 1);
        return Vertex{cut.x, cut.y, a.z + (b.z - a.z) * cut.t, a.m + (b.m - a.m) * cut.t};
    };
    std::vector<Piece> pieces;
    Piece current;
    current.points.add(line.point(0), 0);
    for (size_t i = 0, next = 0; i < segments; ++i) {
        while (next < distinct.size() && distinct[next].segment == i) {
            const Vertex at = vertex_at(distinct[next]);
            const Vertex last = current.points.point(current.points.size() - 1);
            if (!same_xy(at, last)) current.points.add(at, 0);
            pieces.push_back(std::move(current));
            current = Piece{};
            current.points.add(at, 0);
            ++next;
        }
        const Vertex end = line.point(i + 1);
        if (!same_xy(end, current.points.point(current.points.size() - 1))) current.points.add(end, 0);
    }
    pieces.push_back(std::move(current));
    // Each piece's side where it leaves its cut.
    for (size_t k = 0; k < pieces.size(); ++k) {
        Piece& piece = pieces[k];
        const bool from_start = k > 0;
        const CutPoint& cut = distinct[from_start ? k - 1 : 0];
        const size_t n = piece.points.size();
        for (size_t step = 1; step < n && piece.side == Side::along; ++step) {
            const size_t at = from_start ? step : n - 1 - step;
            piece.side = side_at(cutters[cut.cutter_path], cut, piece.points.xs[at] - cut.x,
                                 piece.points.ys[at] - cut.y);
        }
    }
    // Pieces of no length (a cut on a cut) go; neighbours on one side join again.
    std::vector<Piece> joined;
    for (Piece& piece : pieces) {
        if (piece.points.size() < 2) continue;
        if (!joined.empty() && joined.back().side == piece.side) {
            LinearPart& into = joined.back().points;
            for (size_t i = 1; i < piece.points.size(); ++i) into.add(piece.points.point(i), 0);
        } else {
            joined.push_back(std::move(piece));
        }
    }
    if (joined.size() < 2) return {};
    return joined;
}

Sides cut_polyline(const GeometryValue& polyline, const std::vector<LinearPart>& cutters, double deviation,
                   const SpatialReferenceRef& spatial_reference) {
    Sides sides;
    sides.rest = shaped(polyline, geometry_type_polyline, spatial_reference);
    const SegmentIndex index(cutters);
    for (const auto& part : polyline.parts) {
        if (part->point_count() < 2) {
            sides.rest.parts.push_back(part);
            continue;
        }
        const LinearPart line = linearize(*part, deviation);
        std::vector<Piece> pieces = cut_path(line, cutters, index);
        if (pieces.empty()) {
            sides.rest.parts.push_back(part);
            continue;
        }
        sides.cut = true;
        for (const Piece& piece : pieces) {
            auto made = std::make_shared<const PartValue>(part_of(piece.points, polyline.has_z, polyline.has_m));
            if (piece.side == Side::along) {
                sides.rest.parts.push_back(std::move(made));
                continue;
            }
            GeometryValue single = shaped(polyline, geometry_type_polyline, spatial_reference);
            single.parts.push_back(std::move(made));
            (piece.side == Side::left ? sides.left : sides.right).push_back(std::move(single));
        }
    }
    return sides;
}

// Which side of the cutter a face lies on: the length of its boundary that the cutter runs along with
// the face on its left, against the length with the face on its right.
Side face_side(const GEOSGeometry* face, const std::vector<LinearPart>& cutters, const SegmentIndex& index,
               double tolerance) {
    double left = 0.0, right = 0.0;
    auto visit = [&](const GEOSGeometry* ring, bool outer) {
        const GEOSCoordSequence* sequence = GEOSGeom_getCoordSeq_r(geos(), ring);
        unsigned size = 0;
        if (sequence == nullptr || GEOSCoordSeq_getSize_r(geos(), sequence, &size) == 0) fail_geos("reading a face");
        std::vector<double> xs(size), ys(size);
        if (size > 0 && GEOSCoordSeq_copyToArrays_r(geos(), sequence, xs.data(), ys.data(), nullptr, nullptr) == 0)
            fail_geos("reading a face");
        // Walk each ring with the face on its left: outer rings counter-clockwise, holes clockwise.
        const bool counter_clockwise = signed_area2(xs, ys) > 0.0;
        const double sense = counter_clockwise == outer ? 1.0 : -1.0;
        for (size_t i = 0; i + 1 < xs.size(); ++i) {
            const double px = xs[i], py = ys[i], qx = xs[i + 1], qy = ys[i + 1];
            const double mx = 0.5 * (px + qx), my = 0.5 * (py + qy);
            const double length = std::hypot(qx - px, qy - py);
            bool counted = false;
            index.visit(std::min(px, qx) - tolerance, std::max(px, qx) + tolerance, std::min(py, qy) - tolerance,
                        std::max(py, qy) + tolerance, [&](size_t c, size_t j) {
                if (counted) return;
                const LinearPart& cutter = cutters[c];
                const double ax = cutter.xs[j], ay = cutter.ys[j];
                const double ux = cutter.xs[j + 1] - ax, uy = cutter.ys[j + 1] - ay;
                const double span = std::hypot(ux, uy);
                if (span == 0.0) return;
                if (std::abs(cross(ux, uy, px - ax, py - ay)) > tolerance * span ||
                    std::abs(cross(ux, uy, qx - ax, qy - ay)) > tolerance * span)
                    return;
                const double along = ((mx - ax) * ux + (my - ay) * uy) / (span * span);
                if (along < 0.0 || along > 1.0) return;
                const double agree = sense * ((qx - px) * ux + (qy - py) * uy);
                (agree > 0.0 ? left : right) += length;
                counted = true;
            });
        }
    };
    visit(GEOSGetExteriorRing_r(geos(), face), true);
    const int holes = GEOSGetNumInteriorRings_r(geos(), face);
    for (int i = 0; i < holes; ++i) visit(GEOSGetInteriorRingN_r(geos(), face, i), false);
    if (left == 0.0 && right == 0.0) return Side::along;
    return left >= right ? Side::left : Side::right;
}

Sides cut_polygon(const GeometryValue& polygon, const GeometryValue& cutter_value,
                  const std::vector<LinearPart>& cutters, double deviation,
                  const SpatialReferenceRef& spatial_reference) {
    Sides sides;
    sides.rest = shaped(polygon, geometry_type_polygon, spatial_reference);
    std::vector<LinearPart> rings;
    std::vector<size_t> origin;
    for (size_t i = 0; i < polygon.parts.size(); ++i) {
        LinearPart ring = linearize(*polygon.parts[i], deviation);
        if (ring.size() < 4) continue;
        rings.push_back(std::move(ring));
        origin.push_back(i);
    }
    RingGroups grouped = group_rings(rings);
    for (size_t h : grouped.lonely) grouped.groups.push_back(RingGroup{h, {}});

    std::vector<GeosGeometry> lines;
    for (const LinearPart& cutter : cutters) lines.push_back(geos_line(cutter));
    const GeosGeometry cutter_lines = geos_collection(GEOS_MULTILINESTRING, std::move(lines));
    const EnvelopeData extent = extent_of(polygon);
    const EnvelopeData cutter_extent = extent_of(cutter_value);
    const double scale = std::max({extent.xmax - extent.xmin, extent.ymax - extent.ymin,
                                   cutter_extent.xmax - cutter_extent.xmin, cutter_extent.ymax - cutter_extent.ymin,
                                   std::abs(extent.xmin), std::abs(extent.ymin), std::abs(extent.xmax),
                                   std::abs(extent.ymax)});
    const double tolerance = 1e-9 * scale;
    const SegmentIndex index(cutters);

    VertexAttributes attributes;
    attributes.add(polygon, deviation);
    attributes.add(cutter_value, deviation);
    const ResultShape shape{geometry_type_polygon, polygon.has_z, polygon.has_m, spatial_reference, &attributes};

    for (const RingGroup& group : grouped.groups) {
        auto keep_whole = [&] {
            sides.rest.parts.push_back(polygon.parts[origin[group.outer]]);
            for (size_t h : group.holes) sides.rest.parts.push_back(polygon.parts[origin[h]]);
        };
        GeosGeometry area = geos_polygon(rings, group);
        // Faces are judged inside by GEOS predicates, which need a valid area.
        if (!checked(GEOSisValid_r(geos(), area.get()), "cut")) area = made_valid(area.get());
        if (!checked(GEOSIntersects_r(geos(), area.get(), cutter_lines.get()), "cut")) {
            keep_whole();
            continue;
        }
        GeosGeometry boundary = checked(GEOSBoundary_r(geos(), area.get()), "cut");
        GeosGeometry noded = checked(GEOSUnion_r(geos(), boundary.get(), cutter_lines.get()), "cut");
        const GEOSGeometry* input[] = {noded.get()};
        GeosGeometry faces = checked(GEOSPolygonize_r(geos(), input, 1), "cut");
        std::vector<const GEOSGeometry*> inside;
        const int count = GEOSGetNumGeometries_r(geos(), faces.get());
        for (int i = 0; i < count; ++i) {
            const GEOSGeometry* face = GEOSGetGeometryN_r(geos(), faces.get(), i);
            GeosGeometry probe = checked(GEOSPointOnSurface_r(geos(), face), "cut");
            if (checked(GEOSContains_r(geos(), area.get(), probe.get()), "cut")) inside.push_back(face);
        }
        if (inside.size() < 2) {
            keep_whole();
            continue;
        }
        sides.cut = true;
        for (const GEOSGeometry* face : inside) {
            GeometryValue piece = from_geos(face, shape);
            const Side side = face_side(face, cutters, index, tolerance);
            if (side == Side::along) {
                for (auto& part : piece.parts) sides.rest.parts.push_back(std::move(part));
                continue;
            }
            (side == Side::left ? sides.left : sides.right).push_back(std::move(piece));
        }
    }
    return sides;
}

}  // namespace

GK_ArrayHandle GK_GeometryEngine_cut(GK_GeometryHandle geometry, GK_GeometryHandle cutter, GK_EH) {
    return guarded<GK_ArrayHandle>(handler, [&] {
        const GeometryValue& input = value_of(geometry);
        const GeometryValue& line = value_of(cutter);
        if (line.type != geometry_type_polyline) {
            refuse(std::string("the cutter must be a polyline: got a ") + geometry_type_name(line.type) + ".");
        }
        const SpatialReferenceRef spatial_reference = joint_finite_inputs(input, line, "cut", "geometry", "cutter");
        const int32_t dimension = dimension_of(input);
        if (dimension == 0 || is_empty(input) || is_empty(line) || !extents_meet(input, line)) {
            return geometry_array({});
        }
        const double deviation = chord_deviation(input, line);
        std::vector<LinearPart> cutters;
        for (const auto& part : line.parts) {
            LinearPart path = linearize(*part, deviation);
            if (path.size() >= 2) cutters.push_back(std::move(path));
        }
        Sides sides = dimension == 1
                          ? cut_polyline(input, cutters, deviation, spatial_reference)
                          : cut_polygon(polygon_of_envelope(input), line, cutters, deviation, spatial_reference);
        if (!sides.cut) return geometry_array({});
        std::vector<GeometryValue> result = std::move(sides.left);
        for (GeometryValue& piece : sides.right) result.push_back(std::move(piece));
        if (!sides.rest.parts.empty()) result.push_back(std::move(sides.rest));
        return geometry_array(std::move(result));
    });
}
