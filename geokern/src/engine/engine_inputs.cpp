#include "engine/engine_inputs.hpp"

#include "failure.hpp"
#include "spatial/spatial_reference_value.hpp"

namespace geokern::engine {

void refuse(const std::string& why) { fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.", why); }

std::string describe_spatial_reference(const SpatialReferenceRef& spatial_reference) {
    if (spatial_reference == nullptr) return "no spatial reference";
    if (spatial_reference->wkid != 0) {
        std::string text = "wkid " + std::to_string(spatial_reference->wkid);
        if (spatial_reference->vertical_wkid != 0) text += " with vertical wkid " + std::to_string(spatial_reference->vertical_wkid);
        return text;
    }
    const std::string& wkt = spatial_reference->wkt.empty() ? spatial_reference->wkt2 : spatial_reference->wkt;
    return "a system without identifier (" + wkt.substr(0, 60) + (wkt.size() > 60 ? "...)" : ")");
}

SpatialReferenceRef joint_spatial_reference(const GeometryValue& a, const GeometryValue& b) {
    if (a.spatial_reference == nullptr) return b.spatial_reference;
    if (b.spatial_reference == nullptr) return a.spatial_reference;
    if (!same_spatial_reference(a.spatial_reference, b.spatial_reference)) {
        refuse("the geometries have different spatial references: " + describe_spatial_reference(a.spatial_reference) +
               " and " + describe_spatial_reference(b.spatial_reference) + ".");
    }
    return a.spatial_reference;
}

bool extents_meet(const GeometryValue& a, const GeometryValue& b) {
    const EnvelopeData ea = extent_of(a), eb = extent_of(b);
    if (ea.empty() || eb.empty()) return false;
    return ea.xmin <= eb.xmax && eb.xmin <= ea.xmax && ea.ymin <= eb.ymax && eb.ymin <= ea.ymax;
}

}  // namespace geokern::engine
