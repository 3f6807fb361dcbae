#pragma once

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/Rhumb.hpp>

#include <cstddef>
#include <memory>

#include "spatial/proj_context.hpp"
#include "spatial/spatial_reference_value.hpp"

namespace geokern {

// The frame of a geometry's spatial reference: the ellipsoid of the geographic system under it and, for a
// projected system, the conversion of its coordinates to and from longitude/latitude in degrees. A frame never
// changes once made and may be used from any thread.
class GeodeticFrame {
public:
    // Fails with a runtime error that says so when `reference` is null or its system is not on an ellipsoid.
    // Frames are made once per system and shared.
    static std::shared_ptr<const GeodeticFrame> of(const SpatialReferenceValue* reference);

    GeodeticFrame(double semi_major_axis, double flattening, double degrees_per_unit, SharedPj to_geographic);

    const GeographicLib::Geodesic& geodesic() const { return geodesic_; }
    const GeographicLib::Rhumb& rhumb() const { return rhumb_; }
    double semi_major_axis() const { return geodesic_.EquatorialRadius(); }
    double flattening() const { return geodesic_.Flattening(); }
    bool projected() const { return conversion_ != nullptr; }
    // Whether the system's x/y already are longitude/latitude in degrees.
    bool identity() const { return conversion_ == nullptr && degrees_per_unit_ == 1.0; }

    // x/y of the system -> longitude/latitude degrees (identity for a geographic system in degrees), and back.
    // A point that cannot be converted is a runtime error, never inf/NaN in a result.
    void to_geographic(double& x, double& y) const;
    void from_geographic(double& longitude, double& latitude) const;
    // The same for `count` points at once, under one lock of the projection library.
    void to_geographic(double* xs, double* ys, std::size_t count) const;
    void from_geographic(double* longitudes, double* latitudes, std::size_t count) const;

private:
    void convert(double* xs, double* ys, std::size_t count, bool forward) const;

    GeographicLib::Geodesic geodesic_;
    GeographicLib::Rhumb rhumb_;
    double degrees_per_unit_;  // of a geographic system's angular unit
    SharedPj conversion_;      // projected x/y -> longitude/latitude, in that axis order; null when geographic
};

using GeodeticFramePointer = std::shared_ptr<const GeodeticFrame>;

}  // namespace geokern
