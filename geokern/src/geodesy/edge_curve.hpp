#pragma once

#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/Rhumb.hpp>

#include "geodesy/lon_lat.hpp"
#include "interface.hpp"

namespace geokern::geodesy {

inline constexpr GK_GeodeticCurveType curve_geodesic = 0;
inline constexpr GK_GeodeticCurveType curve_loxodrome = 1;
inline constexpr GK_GeodeticCurveType curve_great_elliptic = 2;

// The curve that joins two vertices of an input, as the positions between them at which geodesic
// chords follow it within the tolerance that `chord_spacing` gives for a latitude. A geodesic edge has
// none. Loxodromes follow GeographicLib's rhumb lines; a great elliptic edge lies in the plane through
// the ellipsoid's centre and both ends. Normal sections and shape preserving edges are refused.
class EdgeCurve {
  public:
    // `deviation` in metres: how far a chord may stray from the curve.
    EdgeCurve(const GeographicLib::Geodesic& geodesic, GK_GeodeticCurveType type, double deviation);

    bool geodesic() const { return type_ == curve_geodesic; }
    std::vector<LonLat> interior(const LonLat& a, const LonLat& b) const;

  private:
    std::vector<LonLat> rhumb_interior(const LonLat& a, const LonLat& b) const;
    std::vector<LonLat> great_elliptic_interior(const LonLat& a, const LonLat& b) const;
    // How many chords keep within the deviation along `length` metres of a curve bending as at `latitude`.
    int chord_count(double length, double latitude) const;

    const GeographicLib::Geodesic& geodesic_;
    GeographicLib::Rhumb rhumb_;
    GeographicLib::Geocentric geocentric_;
    GK_GeodeticCurveType type_;
    double deviation_;
};

// A geodetic curve type code this library buffers along; others are refused with a message.
GK_GeodeticCurveType checked_buffer_curve(GK_GeodeticCurveType type);

}  // namespace geokern::geodesy
