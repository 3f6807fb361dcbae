#pragma once

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>
#include <vector>

#include "engine/geos_context.hpp"
#include "engine/linearize.hpp"
#include "geodesy/azimuthal_frame.hpp"
#include "geodesy/edge_curve.hpp"
#include "geodesy/lon_lat.hpp"

namespace geokern::geodesy {

// How closely a buffer follows its true outline, and how far out it reaches, in metres.
struct BufferReach {
    double distance = 0.0;   // > 0
    double deviation = 0.0;  // > 0
};

// The pieces whose union is the set of positions within a distance of an input, drawn in an azimuthal
// frame: a geodesic circle around every vertex, and along every edge a band bounded by the geodesics
// perpendicular to it, `distance` long on either side. Where an edge follows another curve, it is taken
// as geodesic chords, with the corner between two chords filled by a fan of the circle.
//
// Every outline vertex lies at the distance from the input (offsets and circle points are computed on
// the ellipsoid); between vertices, circle steps and the spacing along bands keep the chords within the
// deviation of the true outline.
class BufferPieces {
  public:
    BufferPieces(const GeographicLib::Geodesic& geodesic, const AzimuthalFrame& frame, const EdgeCurve& curve,
                 BufferReach reach);

    void add_point(const LonLat& point);
    // Returns the path as drawn in the frame, following its edges closely (a ring ends on its start).
    engine::LinearPart add_path(const LonLatPath& path, bool closed);

    // The union of all pieces so far, which it takes over.
    engine::GeosGeometry merged();

  private:
    struct Station {
        LonLat position;
        double azimuth;
    };
    using Joint = Station;
    void add_edge(const LonLat& a, const LonLat& b, engine::LinearPart& drawn);
    void add_band(const GeographicLib::GeodesicLine& line, const Joint& start, const Joint& end,
                  engine::LinearPart& drawn);
    void add_disc(const LonLat& centre);
    void add_fan(const LonLat& corner, double azimuth_in, double azimuth_out);
    LonLat offset(const Station& station, double side) const;
    void draw(const LonLat& position, engine::LinearPart& drawn);
    void add_ring(engine::LinearPart ring);
    // Counts `added` more points (a whole number) against the limit, and gives it back as an int.
    int count_points(double added);

    const GeographicLib::Geodesic& geodesic_;
    const AzimuthalFrame& frame_;
    const EdgeCurve& curve_;
    BufferReach reach_;
    double arc_step_;       // degrees between circle points
    double station_step_;   // metres between band stations
    size_t point_count_ = 0;
    std::vector<engine::GeosGeometry> pieces_;
};

}  // namespace geokern::geodesy
