#include "projection/geometry_projection.hpp"

#include "engine/engine_inputs.hpp"
#include "engine/linearize.hpp"
#include "projection/coordinate_operation.hpp"

namespace geokern {

namespace {

// Points along each side of an envelope's outline.
constexpr int outline_points_per_side = 64;

void project_part(const OperationChain& chain, PartValue& part) {
    transform_columns(chain, part.xs.data(), part.ys.data(), part.has_z ? part.zs.data() : nullptr, part.xs.size());
}

PartValue straight_part(const PartValue& part, double deviation) {
    if (!part.has_curves()) return part;
    engine::LinearPart chords = engine::linearize(part, deviation);
    size_t count = chords.size();
    if (part.closed && count > 1) --count;  // the ring's first point is not repeated
    PartValue result;
    result.has_z = part.has_z;
    result.has_m = part.has_m;
    result.closed = part.closed;
    result.xs.assign(chords.xs.begin(), chords.xs.begin() + static_cast<std::ptrdiff_t>(count));
    result.ys.assign(chords.ys.begin(), chords.ys.begin() + static_cast<std::ptrdiff_t>(count));
    if (part.has_z) result.zs.assign(chords.zs.begin(), chords.zs.begin() + static_cast<std::ptrdiff_t>(count));
    if (part.has_m) result.ms.assign(chords.ms.begin(), chords.ms.begin() + static_cast<std::ptrdiff_t>(count));
    return result;
}

EnvelopeData projected_envelope(const OperationChain& chain, const EnvelopeData& envelope) {
    std::vector<double> xs, ys;
    const double corners[5][2] = {{envelope.xmin, envelope.ymin}, {envelope.xmin, envelope.ymax},
                                  {envelope.xmax, envelope.ymax}, {envelope.xmax, envelope.ymin},
                                  {envelope.xmin, envelope.ymin}};
    for (int side = 0; side < 4; ++side) {
        for (int k = 0; k < outline_points_per_side; ++k) {
            const double t = static_cast<double>(k) / outline_points_per_side;
            xs.push_back(corners[side][0] + (corners[side + 1][0] - corners[side][0]) * t);
            ys.push_back(corners[side][1] + (corners[side + 1][1] - corners[side][1]) * t);
        }
    }
    transform_columns(chain, xs.data(), ys.data(), nullptr, xs.size());
    EnvelopeData result = envelope;
    result.xmin = result.xmax = xs.front();
    result.ymin = result.ymax = ys.front();
    for (size_t i = 1; i < xs.size(); ++i) {
        result.xmin = std::min(result.xmin, xs[i]);
        result.xmax = std::max(result.xmax, xs[i]);
        result.ymin = std::min(result.ymin, ys[i]);
        result.ymax = std::max(result.ymax, ys[i]);
    }
    return result;
}

GeometryValue projected(const OperationChain& chain, const GeometryValue& geometry) {
    GeometryValue result = geometry;
    switch (geometry.type) {
        case geometry_type_point:
            transform_columns(chain, &result.point.x, &result.point.y, geometry.has_z ? &result.point.z : nullptr, 1);
            return result;
        case geometry_type_envelope:
            result.envelope = projected_envelope(chain, geometry.envelope);
            return result;
        case geometry_type_multipoint: {
            PartValue points = *geometry.points;
            project_part(chain, points);
            result.points = std::make_shared<const PartValue>(std::move(points));
            return result;
        }
        default: {
            const double deviation = engine::chord_deviation(geometry);
            for (auto& part : result.parts) {
                PartValue moved = straight_part(*part, deviation);
                project_part(chain, moved);
                part = std::make_shared<const PartValue>(std::move(moved));
            }
            return result;
        }
    }
}

}  // namespace

GeometryValue project_geometry(const GeometryValue& geometry, const SpatialReferenceRef& target,
                               const TransformationPointer& transformation) {
    if (!target) engine::refuse("no output spatial reference was given.");
    if (!geometry.spatial_reference) {
        engine::refuse("the geometry has no spatial reference, so it cannot be projected.");
    }
    GeometryValue result;
    if (is_empty(geometry) || same_spatial_reference(geometry.spatial_reference, target)) {
        result = geometry;
    } else {
        result = projected(operation_between(geometry.spatial_reference, target, transformation), geometry);
    }
    result.spatial_reference = target;
    return result;
}

}  // namespace geokern
