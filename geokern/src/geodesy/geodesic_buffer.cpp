#include "geodesy/geodesic_buffer.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/engine_inputs.hpp"
#include "engine/geos_building.hpp"
#include "engine/geos_conversion.hpp"
#include "engine/linearize.hpp"
#include "engine/number_text.hpp"
#include "geodesy/buffer_pieces.hpp"
#include "geodesy/geodetic_frame.hpp"
#include "geodesy/geodetic_inputs.hpp"

namespace geokern::geodesy {

using engine::GeosGeometry;
using engine::LinearPart;

namespace {

// Farther than this from the middle the azimuthal frame would need to hold more than a hemisphere.
constexpr double frame_reach = 9.5e6;

// An input as paths of geographic positions: points, polyline paths or polygon rings; curves become
// chords, repeated positions one.
struct GeodeticInput {
    int dimension = 0;
    std::vector<LonLatPath> paths;
};

void add_position(LonLatPath& path, const FramePoint& point) {
    const LonLat position{point.longitude, point.latitude};
    if (path.empty() || path.back().lon != position.lon || path.back().lat != position.lat) path.push_back(position);
}

// Points and multipoints as one-position paths (a multipoint's NaN points left out), the rest as the
// paths and rings that geodetic measures walk along; coordinates are checked there.
GeodeticInput geodetic_input(const GeometryValue& geometry, const GeodeticFrame& frame) {
    GeodeticInput input;
    input.dimension = dimension_of(geometry);
    std::vector<std::vector<FramePoint>> parts;
    if (input.dimension == 0) {
        LinearPart points;
        const bool single = geometry.type == geometry_type_point;
        const size_t count = single ? 1 : static_cast<size_t>(geometry.points->point_count());
        for (size_t i = 0; i < count; ++i) {
            const Vertex v = single ? geometry.point : geometry.points->point(static_cast<int64_t>(i));
            if (!std::isnan(v.x) && !std::isnan(v.y)) points.xs.push_back(v.x), points.ys.push_back(v.y);
        }
        for (const FramePoint& point : frame_points(frame, points)) parts.push_back({point});
    } else {
        parts = measured_parts(frame, geometry);
    }
    for (const auto& part : parts) {
        LonLatPath path;
        for (const FramePoint& point : part) add_position(path, point);
        // rings end on their first position again
        if (input.dimension == 2 && path.size() > 1 && path.front().lon == path.back().lon &&
            path.front().lat == path.back().lat)
            path.pop_back();
        if (!path.empty()) input.paths.push_back(std::move(path));
    }
    return input;
}

// The middle of the input's extent. Its edges are the shorter curves between their ends, so longitudes
// are followed continuously along each path (an edge from 170 to -170 crosses the antimeridian), and
// each path starts within half a turn of the first.
LonLat middle_of(const GeodeticInput& input) {
    double west = INFINITY, east = -INFINITY, south = INFINITY, north = -INFINITY;
    const double first = input.paths.front().front().lon;
    for (const LonLatPath& path : input.paths) {
        double previous = first;
        for (LonLat p : path) {
            p.lon += 360.0 * std::round((previous - p.lon) / 360.0);
            previous = p.lon;
            west = std::min(west, p.lon), east = std::max(east, p.lon);
            south = std::min(south, p.lat), north = std::max(north, p.lat);
        }
    }
    return {(west + east) / 2.0, (south + north) / 2.0};
}

// The polygon drawn by the rings of a polygon input: rings combined by the even-odd rule, which gives
// outer rings and holes their roles whatever their orientation.
GeosGeometry drawn_body(const std::vector<LinearPart>& rings) {
    GeosGeometry body;
    for (const LinearPart& ring : rings) {
        if (ring.size() < 4) continue;
        GeosGeometry polygon = engine::geos_polygon({ring}, engine::RingGroup{0, {}});
        polygon = engine::checked(GEOSMakeValid_r(engine::geos(), polygon.get()), "polygon ring");
        body = body ? engine::checked(GEOSSymDifference_r(engine::geos(), body.get(), polygon.get()), "polygon rings")
                    : std::move(polygon);
    }
    return body;
}

// A ring of the frame back on the ellipsoid, in the system's coordinates. Its edges are straight in the
// frame; in the system they are straight in its own coordinates, so where the two part by more than
// `tolerance` metres, points of the frame's edge are added until they agree.
class RingMapper {
  public:
    RingMapper(const AzimuthalFrame& azimuthal, const GeodeticFrame& frame, double tolerance)
        : azimuthal_(azimuthal), frame_(frame), tolerance_(tolerance) {}

    LinearPart map(const LinearPart& drawn) const {
        std::vector<LonLat> positions{azimuthal_.reverse(drawn.xs[0], drawn.ys[0])};
        for (size_t i = 1; i < drawn.size(); ++i) {
            const LonLat end = azimuthal_.reverse(drawn.xs[i], drawn.ys[i]);
            refine({drawn.xs[i - 1], drawn.ys[i - 1]}, positions.back(), {drawn.xs[i], drawn.ys[i]}, end, 0, positions);
            positions.push_back(end);
        }
        LinearPart ring;
        double previous = azimuthal_.centre().lon;
        for (LonLat p : positions) {
            // Longitudes stay continuous along the ring, the first within half a turn of the middle.
            p.lon += 360.0 * std::round((previous - p.lon) / 360.0);
            previous = p.lon;
            ring.xs.push_back(p.lon);
            ring.ys.push_back(p.lat);
        }
        if (!frame_.projected()) close_around_pole(drawn, ring);
        for (size_t i = 0; i < ring.size(); ++i) frame_.from_geographic(ring.xs[i], ring.ys[i]);
        return ring;
    }

  private:
    struct Plane {
        double x, y;
    };

    // The middle of the straight edge between two positions in the system's coordinates.
    LonLat system_midpoint(LonLat a, LonLat b) const {
        b.lon += 360.0 * std::round((a.lon - b.lon) / 360.0);
        if (!frame_.projected()) return {(a.lon + b.lon) / 2.0, (a.lat + b.lat) / 2.0};
        frame_.from_geographic(a.lon, a.lat);
        frame_.from_geographic(b.lon, b.lat);
        LonLat middle{(a.lon + b.lon) / 2.0, (a.lat + b.lat) / 2.0};
        frame_.to_geographic(middle.lon, middle.lat);
        return middle;
    }

    void refine(Plane from, const LonLat& a, Plane to, const LonLat& b, int depth, std::vector<LonLat>& out) const {
        constexpr int deepest = 16;
        if (depth == deepest) return;
        const Plane half{(from.x + to.x) / 2.0, (from.y + to.y) / 2.0};
        const LonLat middle = azimuthal_.reverse(half.x, half.y);
        const LonLat straight = system_midpoint(a, b);
        double gap = 0.0;
        frame_.geodesic().Inverse(middle.lat, middle.lon, straight.lat, straight.lon, gap);
        if (gap <= tolerance_) return;
        refine(from, a, half, middle, depth + 1, out);
        out.push_back(middle);
        refine(half, middle, to, b, depth + 1, out);
    }

  private:
    // A ring around a pole ends a full turn of longitude from where it starts; it reaches the pole along
    // the meridian of its end and comes back along that of its start.
    void close_around_pole(const LinearPart& drawn, LinearPart& ring) const {
        const double winding = ring.xs.back() - ring.xs.front();
        if (std::fabs(winding) < 180.0) return;
        const double pole = azimuthal_.ring_holds(drawn, {0.0, 90.0}) ? 90.0 : -90.0;
        // The ring starts at the meridian opposite the middle of the input, so that the turn of
        // longitudes it spans is centred on that middle.
        const double seam = azimuthal_.centre().lon + 180.0;
        ring.xs.pop_back(), ring.ys.pop_back();
        size_t first = 0;
        for (size_t i = 1; i < ring.size(); ++i) {
            if (std::fabs(std::remainder(ring.xs[i] - seam, 360.0)) < std::fabs(std::remainder(ring.xs[first] - seam, 360.0)))
                first = i;
        }
        std::rotate(ring.xs.begin(), ring.xs.begin() + first, ring.xs.end());
        std::rotate(ring.ys.begin(), ring.ys.begin() + first, ring.ys.end());
        double previous = winding > 0 ? seam - 360.0 : seam;
        for (double& lon : ring.xs) {
            lon += 360.0 * std::round((previous - lon) / 360.0);
            previous = lon;
        }
        const double start = ring.xs.front(), end = start + winding;
        ring.xs.insert(ring.xs.end(), {end, end, start, start});
        ring.ys.insert(ring.ys.end(), {ring.ys.front(), pole, pole, ring.ys.front()});
    }

    const AzimuthalFrame& azimuthal_;
    const GeodeticFrame& frame_;
    double tolerance_;
};

void collect_rings(const GEOSGeometry* geometry, std::vector<LinearPart>& rings, std::vector<bool>& outer) {
    const int type = GEOSGeomTypeId_r(engine::geos(), geometry);
    if (type == GEOS_POLYGON) {
        if (GEOSisEmpty_r(engine::geos(), geometry)) return;
        auto add = [&](const GEOSGeometry* ring, bool is_outer) {
            const GEOSCoordSequence* sequence = GEOSGeom_getCoordSeq_r(engine::geos(), ring);
            unsigned size = 0;
            GEOSCoordSeq_getSize_r(engine::geos(), sequence, &size);
            LinearPart part;
            part.xs.resize(size), part.ys.resize(size);
            GEOSCoordSeq_copyToArrays_r(engine::geos(), sequence, part.xs.data(), part.ys.data(), nullptr, nullptr);
            rings.push_back(std::move(part));
            outer.push_back(is_outer);
        };
        add(GEOSGetExteriorRing_r(engine::geos(), geometry), true);
        const int holes = GEOSGetNumInteriorRings_r(engine::geos(), geometry);
        for (int h = 0; h < holes; ++h) add(GEOSGetInteriorRingN_r(engine::geos(), geometry, h), false);
        return;
    }
    if (type == GEOS_MULTIPOLYGON || type == GEOS_GEOMETRYCOLLECTION) {
        const int count = GEOSGetNumGeometries_r(engine::geos(), geometry);
        for (int i = 0; i < count; ++i) collect_rings(GEOSGetGeometryN_r(engine::geos(), geometry, i), rings, outer);
    }
}

PartValue result_ring(LinearPart ring, bool outer, const GeometryValue& input) {
    ring.xs.pop_back(), ring.ys.pop_back();  // a polygon's ring does not repeat its start
    const bool counter_clockwise = engine::signed_area2(ring.xs, ring.ys) > 0;
    if (counter_clockwise == outer) {
        std::reverse(ring.xs.begin(), ring.xs.end());
        std::reverse(ring.ys.begin(), ring.ys.end());
    }
    PartValue part;
    part.closed = true;
    part.has_z = input.has_z, part.has_m = input.has_m;
    part.xs = std::move(ring.xs), part.ys = std::move(ring.ys);
    if (part.has_z) part.zs.assign(part.xs.size(), nan_value);
    if (part.has_m) part.ms.assign(part.xs.size(), nan_value);
    return part;
}

// Where pieces meet at a slant GEOS may leave a sliver between them; a hole narrower on average than a
// quarter of the deviation is one (a true hole that narrow lies within the deviation anyway).
bool sliver(const LinearPart& ring, double deviation) {
    double perimeter = 0.0;
    for (size_t i = 1; i < ring.size(); ++i) perimeter += std::hypot(ring.xs[i] - ring.xs[i - 1], ring.ys[i] - ring.ys[i - 1]);
    return std::fabs(engine::signed_area2(ring.xs, ring.ys)) / perimeter < deviation / 4.0;
}

GeometryValue mapped_polygon(const GEOSGeometry* merged, const RingMapper& mapper, const GeometryValue& input,
                             double deviation) {
    GeometryValue polygon = empty_geometry(geometry_type_polygon, input.has_z, input.has_m, input.spatial_reference);
    std::vector<LinearPart> rings;
    std::vector<bool> outer;
    collect_rings(merged, rings, outer);
    for (size_t i = 0; i < rings.size(); ++i) {
        if (rings[i].size() < 4 || (!outer[i] && sliver(rings[i], deviation))) continue;
        polygon.parts.push_back(std::make_shared<const PartValue>(result_ring(mapper.map(rings[i]), outer[i], input)));
    }
    return polygon;
}

GeosGeometry merged_buffer(const GeodeticInput& input, BufferPieces& pieces, double distance) {
    if (input.dimension < 2) {
        for (const LonLatPath& path : input.paths) {
            if (path.size() == 1) pieces.add_point(path[0]);
            else pieces.add_path(path, false);
        }
        return pieces.merged();
    }
    std::vector<LinearPart> drawn;
    for (const LonLatPath& ring : input.paths) drawn.push_back(pieces.add_path(ring, true));
    GeosGeometry body = drawn_body(drawn);
    GeosGeometry around = pieces.merged();
    if (!body) return distance > 0 ? std::move(around) : nullptr;
    if (distance > 0) return engine::checked(GEOSUnion_r(engine::geos(), body.get(), around.get()), "buffer");
    return engine::checked(GEOSDifference_r(engine::geos(), body.get(), around.get()), "buffer");
}

}  // namespace

// A distance beyond the frame's reach is refused before any outline is drawn: drawn, such an outline
// runs round the ellipsoid, and where it comes back near the middle it would pass as a small polygon.
void check_geodesic_buffer_numbers(double distance, double deviation, double metres_per_unit) {
    if (!std::isfinite(distance)) {
        engine::refuse("the buffer distance must be a finite number: got " + engine::number_text(distance) + ".");
    }
    if (!(std::fabs(distance) * metres_per_unit <= frame_reach)) {
        const std::string metres =
            metres_per_unit == 1.0 ? " m" : " (" + engine::number_text(distance * metres_per_unit) + " m)";
        engine::refuse("the buffer distance " + engine::number_text(distance) + metres + " is beyond " +
                       engine::number_text(frame_reach) +
                       " m: a geodesic buffer is computed within that distance of the middle of the geometry, less "
                       "than a hemisphere.");
    }
    if (!std::isfinite(deviation) || deviation < 0.0) {
        engine::refuse("the max deviation must be a finite number of 0 or more: got " + engine::number_text(deviation) +
                       ".");
    }
}

GeometryValue geodesic_buffer(const GeometryValue& geometry, double distance, double deviation,
                              GK_GeodeticCurveType curve_type) {
    check_geodesic_buffer_numbers(distance, deviation, 1.0);
    const CurveKind kind = curve_kind_argument(curve_type);
    const GeometryValue input = engine::polygon_of_envelope(geometry);
    const auto frame = GeodeticFrame::of(input.spatial_reference.get());
    if (is_empty(input) || (dimension_of(input) < 2 && distance <= 0.0)) {
        return empty_geometry(geometry_type_polygon, input.has_z, input.has_m, input.spatial_reference);
    }
    if (distance == 0.0) return input;
    const GeodeticInput paths = geodetic_input(input, *frame);
    if (paths.paths.empty()) return empty_geometry(geometry_type_polygon, input.has_z, input.has_m, input.spatial_reference);
    // Half the deviation for the outline drawn in the frame, half for its edges straight in the system.
    const double allowed = deviation > 0.0 ? deviation : default_deviation_share * std::fabs(distance);
    const BufferReach reach{std::fabs(distance), allowed / 2.0};
    const AzimuthalFrame azimuthal(frame->geodesic(), middle_of(paths), frame_reach);
    const EdgeCurve curve(frame, kind, reach.deviation / 4.0);
    BufferPieces pieces(frame->geodesic(), azimuthal, curve, reach);
    GeosGeometry merged = merged_buffer(paths, pieces, distance);
    if (!merged) return empty_geometry(geometry_type_polygon, input.has_z, input.has_m, input.spatial_reference);
    return mapped_polygon(merged.get(), RingMapper(azimuthal, *frame, allowed / 2.0), input, allowed);
}

}  // namespace geokern::geodesy
