// Combined extents: the envelope of all inputs' extents (x and y with curve bulges, z and m ranges), z or
// m aware when any input is. Empty inputs add nothing; with nothing left the envelope is empty. Spatial
// references join as for two-input operations.
#include <vector>

#include "engine/engine_collections.hpp"
#include "engine/engine_inputs.hpp"
#include "report.hpp"

using namespace geokern;
using namespace geokern::engine;

namespace {

struct Combined {
    Bounds xy;
    Range z, m;
    bool has_z = false, has_m = false;
    GeometryValue reference;  // carries the joint spatial reference

    void add(const GeometryValue& geometry) {
        reference.spatial_reference = joint_spatial_reference(reference, geometry);
        has_z = has_z || geometry.has_z;
        has_m = has_m || geometry.has_m;
        const EnvelopeData extent = extent_of(geometry);
        if (extent.empty()) return;
        xy.add(extent.xmin, extent.ymin);
        xy.add(extent.xmax, extent.ymax);
        if (geometry.has_z) {
            z.add(extent.zmin);
            z.add(extent.zmax);
        }
        if (geometry.has_m) {
            m.add(extent.mmin);
            m.add(extent.mmax);
        }
    }

    GK_GeometryHandle result() const {
        EnvelopeData data;
        if (!xy.empty()) data = EnvelopeData{xy.xmin, xy.ymin, xy.xmax, xy.ymax, z.min, z.max, m.min, m.max};
        return new_geometry(envelope_value(data, has_z, has_m, reference.spatial_reference));
    }
};

}  // namespace

GK_GeometryHandle GK_GeometryEngine_combineExtents(GK_GeometryHandle geometry1, GK_GeometryHandle geometry2, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        Combined combined;
        combined.add(value_of(geometry1));
        combined.add(value_of(geometry2));
        return combined.result();
    });
}

GK_GeometryHandle GK_GeometryEngine_combineExtentsCollection(GK_VectorHandle geometries, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        Combined combined;
        for (const auto& geometry : geometries_of(geometries)) combined.add(*geometry);
        return combined.result();
    });
}
