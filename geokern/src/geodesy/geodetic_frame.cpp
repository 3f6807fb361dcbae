#include "geodesy/geodetic_frame.hpp"

#include <cmath>
#include <map>
#include <mutex>
#include <numbers>
#include <string>

#include "failure.hpp"

namespace geokern {

namespace {

// The rhumb line's series are accurate for |f| up to 0.01; beyond that the exact form is used.
constexpr double rhumb_series_flattening_limit = 0.01;

[[noreturn]] void refuse_frame(const std::string& why) { fail(GK_ERROR_INVALID_STATE, "invalid state.", why); }

std::string system_name(const SpatialReferenceValue& reference) {
    return reference.wkid != 0 ? "wkid " + std::to_string(reference.wkid) : "the spatial reference";
}

struct Ellipsoid {
    double semi_major_axis = 0.0;
    double flattening = 0.0;
};

Ellipsoid ellipsoid_of(PJ_CONTEXT* context, const SpatialReferenceValue& reference) {
    SharedPj ellipsoid = share_pj(proj_get_ellipsoid(context, reference.horizontal.get()));
    Ellipsoid result;
    double semi_minor = 0.0;
    int minor_computed = 0;
    double inverse_flattening = 0.0;
    if (!ellipsoid || proj_ellipsoid_get_parameters(context, ellipsoid.get(), &result.semi_major_axis, &semi_minor,
                                                    &minor_computed, &inverse_flattening) == 0) {
        refuse_frame(system_name(reference) + " is not on an ellipsoid: geodetic measures need one.");
    }
    if (inverse_flattening != 0.0) {
        result.flattening = 1.0 / inverse_flattening;
    } else if (semi_minor > 0.0) {
        result.flattening = (result.semi_major_axis - semi_minor) / result.semi_major_axis;
    }
    if (!(result.semi_major_axis > 0.0) || !std::isfinite(result.semi_major_axis) || !(result.flattening < 1.0)) {
        refuse_frame(system_name(reference) + " has an ellipsoid geodetic measures cannot use.");
    }
    return result;
}

// A projected system's coordinates to longitude/latitude of its geographic system, both in the order x/y.
SharedPj conversion_of(PJ_CONTEXT* context, const SpatialReferenceValue& reference) {
    SharedPj geographic = share_pj(proj_crs_get_geodetic_crs(context, reference.horizontal.get()));
    if (!geographic) refuse_frame(system_name(reference) + " has no geographic coordinate system.");
    SharedPj operation = share_pj(
        proj_create_crs_to_crs_from_pj(context, reference.horizontal.get(), geographic.get(), nullptr, nullptr));
    if (!operation) refuse_frame(system_name(reference) + " cannot be converted to longitude and latitude.");
    SharedPj normalized = share_pj(proj_normalize_for_visualization(context, operation.get()));
    if (!normalized) refuse_frame(system_name(reference) + " cannot be converted to longitude and latitude.");
    return normalized;
}

GeodeticFramePointer make_frame(const SpatialReferenceValue& reference) {
    ProjLock lock;
    PJ_CONTEXT* context = lock.context();
    const Ellipsoid ellipsoid = ellipsoid_of(context, reference);
    if (reference.projected) {
        return std::make_shared<const GeodeticFrame>(ellipsoid.semi_major_axis, ellipsoid.flattening, 1.0,
                                                     conversion_of(context, reference));
    }
    if (!reference.geographic) {
        refuse_frame(system_name(reference) + " is neither geographic nor projected: geodetic measures need one.");
    }
    const double degrees_per_unit = reference.unit->factor.approximate * 180.0 / std::numbers::pi;
    return std::make_shared<const GeodeticFrame>(ellipsoid.semi_major_axis, ellipsoid.flattening, degrees_per_unit,
                                                 nullptr);
}

// Systems with an identifier are known by it; others by their text.
std::string cache_key(const SpatialReferenceValue& reference) {
    if (reference.wkid != 0) return "wkid " + std::to_string(reference.wkid);
    return reference.wkt2.empty() ? reference.wkt : reference.wkt2;
}

struct FrameCache {
    std::mutex mutex;
    std::map<std::string, GeodeticFramePointer> frames;
};

FrameCache& frame_cache() {
    static FrameCache cache;
    return cache;
}

}  // namespace

GeodeticFramePointer GeodeticFrame::of(const SpatialReferenceValue* reference) {
    if (reference == nullptr) {
        refuse_frame("the geometry has no spatial reference: geodetic measures need one on an ellipsoid.");
    }
    const std::string key = cache_key(*reference);
    FrameCache& cache = frame_cache();
    {
        std::lock_guard lock(cache.mutex);
        if (auto found = cache.frames.find(key); found != cache.frames.end()) return found->second;
    }
    GeodeticFramePointer frame = make_frame(*reference);
    std::lock_guard lock(cache.mutex);
    return cache.frames.try_emplace(key, std::move(frame)).first->second;
}

GeodeticFrame::GeodeticFrame(double semi_major_axis, double flattening, double degrees_per_unit,
                             SharedPj to_geographic)
    : geodesic_(semi_major_axis, flattening),
      rhumb_(semi_major_axis, flattening, std::fabs(flattening) > rhumb_series_flattening_limit),
      degrees_per_unit_(degrees_per_unit),
      conversion_(std::move(to_geographic)) {}

void GeodeticFrame::to_geographic(double& x, double& y) const { convert(&x, &y, 1, true); }

void GeodeticFrame::from_geographic(double& longitude, double& latitude) const {
    convert(&longitude, &latitude, 1, false);
}

void GeodeticFrame::to_geographic(double* xs, double* ys, std::size_t count) const { convert(xs, ys, count, true); }

void GeodeticFrame::from_geographic(double* longitudes, double* latitudes, std::size_t count) const {
    convert(longitudes, latitudes, count, false);
}

void GeodeticFrame::convert(double* xs, double* ys, std::size_t count, bool forward) const {
    if (conversion_ == nullptr) {
        if (degrees_per_unit_ == 1.0) return;
        const double factor = forward ? degrees_per_unit_ : 1.0 / degrees_per_unit_;
        for (std::size_t i = 0; i < count; ++i) {
            xs[i] *= factor;
            ys[i] *= factor;
        }
        return;
    }
    if (count == 0) return;
    ProjLock lock;
    proj_errno_reset(conversion_.get());
    proj_trans_generic(conversion_.get(), forward ? PJ_FWD : PJ_INV, xs, sizeof(double), count, ys, sizeof(double),
                       count, nullptr, 0, 0, nullptr, 0, 0);
    for (std::size_t i = 0; i < count; ++i) {
        if (!std::isfinite(xs[i]) || !std::isfinite(ys[i])) {
            fail(GK_ERROR_INVALID_STATE, "invalid state.",
                 forward ? "a point of the geometry has no longitude and latitude in its spatial reference."
                         : "a point on the ellipsoid falls outside the geometry's projection.");
        }
    }
}

}  // namespace geokern
