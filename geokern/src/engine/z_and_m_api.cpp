// Setting and removing z and m: every vertex of every type (envelopes set both bounds), curves kept.
#include <utility>

#include "report.hpp"
#include "geometry/geometry_value.hpp"

using namespace geokern;

namespace {

// What to do with one attribute: keep it, set it everywhere, or drop it.
struct Edit {
    enum Kind { keep, set, drop } kind = keep;
    double value = nan_value;
};

void edit_column(std::vector<double>& column, bool& aware, const Edit& edit, size_t size) {
    if (edit.kind == Edit::set) {
        column.assign(size, edit.value);
        aware = true;
    } else if (edit.kind == Edit::drop) {
        column.clear();
        aware = false;
    }
}

std::shared_ptr<const PartValue> edit_part(const PartValue& part, const Edit& z, const Edit& m) {
    PartValue edited = part;
    edit_column(edited.zs, edited.has_z, z, edited.xs.size());
    edit_column(edited.ms, edited.has_m, m, edited.xs.size());
    return std::make_shared<const PartValue>(std::move(edited));
}

void edit_range(double& low, double& high, bool& aware, const Edit& edit) {
    if (edit.kind == Edit::set) {
        low = high = edit.value;
        aware = true;
    } else if (edit.kind == Edit::drop) {
        low = high = nan_value;
        aware = false;
    }
}

GeometryValue edited(const GeometryValue& geometry, const Edit& z, const Edit& m) {
    GeometryValue result = geometry;
    switch (geometry.type) {
        case geometry_type_point:
            // An empty point has no vertex to carry a value, only the awareness.
            if (z.kind != Edit::keep) result.point.z = is_empty(geometry) ? nan_value : z.value;
            if (m.kind != Edit::keep) result.point.m = is_empty(geometry) ? nan_value : m.value;
            result.has_z = z.kind == Edit::keep ? geometry.has_z : z.kind == Edit::set;
            result.has_m = m.kind == Edit::keep ? geometry.has_m : m.kind == Edit::set;
            break;
        case geometry_type_envelope:
            // An empty envelope has no vertex to carry a value, only the awareness.
            edit_range(result.envelope.zmin, result.envelope.zmax, result.has_z, z);
            edit_range(result.envelope.mmin, result.envelope.mmax, result.has_m, m);
            if (result.envelope.empty()) {
                result.envelope = EnvelopeData{};
            }
            break;
        case geometry_type_multipoint:
            result.points = edit_part(*geometry.points, z, m);
            result.has_z = result.points->has_z;
            result.has_m = result.points->has_m;
            break;
        default:
            for (auto& part : result.parts) part = edit_part(*part, z, m);
            if (z.kind != Edit::keep) result.has_z = z.kind == Edit::set;
            if (m.kind != Edit::keep) result.has_m = m.kind == Edit::set;
    }
    return result;
}

GK_GeometryHandle edit(GK_GeometryHandle geometry, Edit z, Edit m, const GK_ErrorHandler* handler) {
    return guarded<GK_GeometryHandle>(handler, [&] { return new_geometry(edited(value_of(geometry), z, m)); });
}

}  // namespace

GK_GeometryHandle GK_GeometryEngine_setZ(GK_GeometryHandle geometry, double z, GK_EH) {
    return edit(geometry, {Edit::set, z}, {}, handler);
}

GK_GeometryHandle GK_GeometryEngine_setM(GK_GeometryHandle geometry, double m, GK_EH) {
    return edit(geometry, {}, {Edit::set, m}, handler);
}

GK_GeometryHandle GK_GeometryEngine_setZAndM(GK_GeometryHandle geometry, double z, double m, GK_EH) {
    return edit(geometry, {Edit::set, z}, {Edit::set, m}, handler);
}

GK_GeometryHandle GK_GeometryEngine_removeZ(GK_GeometryHandle geometry, GK_EH) {
    return edit(geometry, {Edit::drop}, {}, handler);
}

GK_GeometryHandle GK_GeometryEngine_removeM(GK_GeometryHandle geometry, GK_EH) {
    return edit(geometry, {}, {Edit::drop}, handler);
}

GK_GeometryHandle GK_GeometryEngine_removeZAndM(GK_GeometryHandle geometry, GK_EH) {
    return edit(geometry, {Edit::drop}, {Edit::drop}, handler);
}
