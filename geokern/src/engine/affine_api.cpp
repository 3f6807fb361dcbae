// Moving, rotating and scaling: exact affine images that keep true curves (see affine.hpp). Rotation
// angles are degrees counter-clockwise; quarter turns are exact. A null or empty origin is the centre of
// the geometry's extent (curve bulges included). A rotated envelope is no longer one: the result is the
// extent of the rotated rectangle, so that the type is kept. A mirror (one negative factor) reverses
// arcs, and polygon rings are run backwards from their start so that outer rings stay clockwise. A zero
// factor flattens arcs into straight segments (their image is no longer an arc); Bezier curves stay.
// Non-finite distances, angles or factors, and results beyond the range of doubles, are refused.
#include <cmath>
#include <string>

#include "engine/affine.hpp"
#include "engine/engine_inputs.hpp"
#include "engine/number_text.hpp"
#include "report.hpp"

using namespace geokern;
using namespace geokern::engine;

namespace {

void require_finite(double value, const char* what) {
    if (!std::isfinite(value)) refuse(std::string("the ") + what + " must be a finite number: got " + number_text(value) + ".");
}

// The fixed point of a rotation or scale.
Vertex origin_for(const GeometryValue& geometry, GK_GeometryHandle origin) {
    if (origin != nullptr) {
        const GeometryValue& point = point_value_of(origin);
        joint_spatial_reference(geometry, point);
        if (!is_empty(point)) {
            if (!std::isfinite(point.point.x) || !std::isfinite(point.point.y)) refuse("the origin must have finite x and y.");
            return point.point;
        }
    }
    const EnvelopeData extent = extent_of(geometry);
    const Vertex centre{0.5 * extent.xmin + 0.5 * extent.xmax, 0.5 * extent.ymin + 0.5 * extent.ymax};
    if (!extent.empty() && (!std::isfinite(centre.x) || !std::isfinite(centre.y))) {
        refuse("the geometry's extent is not finite, so it has no centre to serve as the origin.");
    }
    return centre;
}

}  // namespace

GK_GeometryHandle GK_GeometryEngine_move(GK_GeometryHandle geometry, double delta_x, double delta_y, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        const GeometryValue& value = value_of(geometry);
        require_finite(delta_x, "x distance");
        require_finite(delta_y, "y distance");
        return new_geometry(map_geometry(value, move_map(delta_x, delta_y)));
    });
}

GK_GeometryHandle GK_GeometryEngine_rotate(GK_GeometryHandle geometry, double angle, GK_GeometryHandle origin, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        const GeometryValue& value = value_of(geometry);
        require_finite(angle, "rotation angle");
        const Vertex centre = origin_for(value, origin);
        if (is_empty(value)) return new_geometry(value);
        return new_geometry(map_geometry(value, rotation_map(angle, centre.x, centre.y)));
    });
}

GK_GeometryHandle GK_GeometryEngine_scale(GK_GeometryHandle geometry, double scale_x, double scale_y,
                                          GK_GeometryHandle origin, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        const GeometryValue& value = value_of(geometry);
        require_finite(scale_x, "x scale factor");
        require_finite(scale_y, "y scale factor");
        const Vertex centre = origin_for(value, origin);
        if (is_empty(value)) return new_geometry(value);
        return new_geometry(map_geometry(value, scale_map(scale_x, scale_y, centre.x, centre.y)));
    });
}
