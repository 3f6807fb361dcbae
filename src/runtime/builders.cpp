#include "builders.hpp"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "environment.hpp"
#include "error_capture.hpp"
#include "geometry.hpp"
#include "owned_result.hpp"

namespace velmor::runtime {

MutablePart new_mutable_part(const SpatialReference* spatial_reference) {
    ensure_environment();
    return MutablePart::take(
        invoke_or_fail(VELMOR_GK(MutablePart_createWithSpatialReference), handle_of(spatial_reference)));
}

void add_point(const MutablePart& part, const Point& point) {
    invoke_or_fail(VELMOR_GK(MutablePart_addPoint), part.get(), point.get());
}

void add_point_xy(const MutablePart& part, double x, double y) {
    invoke_or_fail(VELMOR_GK(MutablePart_addPointXY), part.get(), x, y);
}

void add_point_xyz(const MutablePart& part, double x, double y, double z) {
    invoke_or_fail(VELMOR_GK(MutablePart_addPointXYZ), part.get(), x, y, z);
}

void add_segment(const MutablePart& part, GK_SegmentHandle segment) {
    invoke_or_fail(VELMOR_GK(MutablePart_addSegment), part.get(), segment);
}

namespace {

// The three ways a vertex goes into a part or a point collection, with the names of the functions.
template <class Target>
struct VertexEntries;

#define VELMOR_VERTEX_ENTRIES(Target, family)                                                          \
    template <>                                                                                       \
    struct VertexEntries<Target> {                                                                    \
        static constexpr auto point = &FunctionTable::family##_addPoint;                              \
        static constexpr auto xyz = &FunctionTable::family##_addPointXYZ;                             \
        static constexpr auto xy = &FunctionTable::family##_addPointXY;                               \
        static constexpr std::string_view point_name = "GK_" #family "_addPoint";                     \
        static constexpr std::string_view xyz_name = "GK_" #family "_addPointXYZ";                    \
        static constexpr std::string_view xy_name = "GK_" #family "_addPointXY";                      \
    }
VELMOR_VERTEX_ENTRIES(MutablePart, MutablePart);
VELMOR_VERTEX_ENTRIES(MutablePointCollection, MutablePointCollection);
#undef VELMOR_VERTEX_ENTRIES

// A vertex with m goes in as a point made from all its coordinates; otherwise by its x, y (and z)
// alone, without a point handle.
template <class Target>
void add_vertex_to(const Target& target, const core::Coord& vertex) {
    using Entries = VertexEntries<Target>;
    const FunctionTable& gk = functions();
    if (vertex.m()) {
        const Point point = create_point(vertex);
        invoke_or_fail(Entries::point_name, gk.*Entries::point, target.get(), point.get());
    } else if (const auto z = vertex.z()) {
        invoke_or_fail(Entries::xyz_name, gk.*Entries::xyz, target.get(), vertex.x(), vertex.y(), *z);
    } else {
        invoke_or_fail(Entries::xy_name, gk.*Entries::xy, target.get(), vertex.x(), vertex.y());
    }
}

}  // namespace

void add_vertex(const MutablePart& part, const core::Coord& vertex) {
    add_vertex_to(part, vertex);
}

void add_vertex(const MutablePointCollection& points, const core::Coord& vertex) {
    add_vertex_to(points, vertex);
}

MutablePartCollection new_part_collection(const SpatialReference* spatial_reference) {
    ensure_environment();
    return MutablePartCollection::take(invoke_or_fail(
        VELMOR_GK(MutablePartCollection_createWithSpatialReference), handle_of(spatial_reference)));
}

void add_part(const MutablePartCollection& parts, const MutablePart& part) {
    invoke_or_fail(VELMOR_GK(MutablePartCollection_addPart), parts.get(), part.get());
}

int64_t size(const MutablePartCollection& parts) {
    return invoke_or_fail(VELMOR_GK(MutablePartCollection_getSize), parts.get());
}

RuntimeResult<MutablePart> part_at(const MutablePartCollection& parts, int64_t index) {
    return owned_or_error<MutablePart>(invoke(functions().MutablePartCollection_getPart, parts.get(), index));
}

RuntimeResult<void> append_parts(const MutablePartCollection& first, const MutablePartCollection& second) {
    const int64_t count = size(second);
    for (int64_t i = 0; i < count; ++i) {
        auto part = part_at(second, i);
        if (!part) return std::unexpected(std::move(part.error()));
        add_part(first, *part);
    }
    return {};
}

MutablePointCollection new_point_collection(const SpatialReference* spatial_reference) {
    ensure_environment();
    return MutablePointCollection::take(invoke_or_fail(
        VELMOR_GK(MutablePointCollection_createWithSpatialReference), handle_of(spatial_reference)));
}

void add_point(const MutablePointCollection& points, const Point& point) {
    invoke_or_fail(VELMOR_GK(MutablePointCollection_addPoint), points.get(), point.get());
}

PolylineBuilder new_polyline_builder(const SpatialReference* spatial_reference) {
    ensure_environment();
    return PolylineBuilder::take(
        invoke_or_fail(VELMOR_GK(PolylineBuilder_createFromSpatialReference), handle_of(spatial_reference)));
}

PolygonBuilder new_polygon_builder(const SpatialReference* spatial_reference) {
    ensure_environment();
    return PolygonBuilder::take(
        invoke_or_fail(VELMOR_GK(PolygonBuilder_createFromSpatialReference), handle_of(spatial_reference)));
}

MultipointBuilder new_multipoint_builder(const SpatialReference* spatial_reference) {
    ensure_environment();
    return MultipointBuilder::take(invoke_or_fail(VELMOR_GK(MultipointBuilder_createFromSpatialReference),
                                                  handle_of(spatial_reference)));
}

void set_parts(GK_GeometryBuilderHandle builder, const MutablePartCollection& parts) {
    invoke_or_fail(VELMOR_GK(MultipartBuilder_setParts), builder, parts.get());
}

void set_points(const MultipointBuilder& builder, const MutablePointCollection& points) {
    invoke_or_fail(VELMOR_GK(MultipointBuilder_setPoints), builder.get(), points.get());
}

GeometryOwned finish(GK_GeometryBuilderHandle builder) {
    return GeometryOwned::take(invoke_or_fail(VELMOR_GK(GeometryBuilder_toGeometry), builder));
}

namespace {

RuntimeResult<MutablePartCollection> collect(const SpatialReference* spatial_reference,
                                             const PartGroup& group) {
    MutablePartCollection parts = new_part_collection(spatial_reference);
    for (std::size_t i = 0; i < group.count; ++i) {
        MutablePart part = new_mutable_part(spatial_reference);
        if (auto written = group.write(i, part); !written) return std::unexpected(std::move(written.error()));
        add_part(parts, part);
    }
    return parts;
}

template <class Kind, class Builder>
RuntimeResult<Kind> assemble_collections(Builder builder, const SpatialReference* spatial_reference,
                                         std::span<const MutablePartCollection> collections) {
    // The first collection receives the parts of every later one.
    std::optional<MutablePartCollection> created;
    if (collections.empty()) created.emplace(new_part_collection(spatial_reference));
    const MutablePartCollection& all = created ? *created : collections.front();
    const auto later = collections.subspan(std::min<std::size_t>(1, collections.size()));
    for (const MutablePartCollection& parts : later) {
        if (auto appended = append_parts(all, parts); !appended)
            return std::unexpected(std::move(appended.error()));
    }
    set_parts(builder.get(), all);
    GeometryOwned geometry = finish(builder.get());
    builder.reset();
    return downcast<Kind>(std::move(geometry));
}

template <class Kind, class Builder>
RuntimeResult<Kind> assemble_groups(Builder builder, const SpatialReference* spatial_reference,
                                    std::span<const PartGroup> groups) {
    std::vector<MutablePartCollection> collections;
    collections.reserve(groups.size());
    for (const PartGroup& group : groups) {
        auto parts = collect(spatial_reference, group);
        if (!parts) return std::unexpected(std::move(parts.error()));
        collections.push_back(std::move(*parts));
    }
    return assemble_collections<Kind>(std::move(builder), spatial_reference, collections);
}

}  // namespace

RuntimeResult<Polyline> assemble_polyline(const SpatialReference* spatial_reference,
                                          std::span<const PartGroup> groups) {
    return assemble_groups<Polyline>(new_polyline_builder(spatial_reference), spatial_reference, groups);
}

RuntimeResult<Polygon> assemble_polygon(const SpatialReference* spatial_reference,
                                        std::span<const PartGroup> groups) {
    return assemble_groups<Polygon>(new_polygon_builder(spatial_reference), spatial_reference, groups);
}

RuntimeResult<Polyline> assemble_polyline_from_collections(
    const SpatialReference* spatial_reference, std::span<const MutablePartCollection> collections) {
    return assemble_collections<Polyline>(new_polyline_builder(spatial_reference), spatial_reference,
                                          collections);
}

RuntimeResult<Polygon> assemble_polygon_from_collections(
    const SpatialReference* spatial_reference, std::span<const MutablePartCollection> collections) {
    return assemble_collections<Polygon>(new_polygon_builder(spatial_reference), spatial_reference,
                                         collections);
}

RuntimeResult<Multipoint> assemble_multipoint(const SpatialReference* spatial_reference, std::size_t count,
                                              const std::function<core::Coord(std::size_t)>& coord) {
    MultipointBuilder builder = new_multipoint_builder(spatial_reference);
    MutablePointCollection points = new_point_collection(spatial_reference);
    for (std::size_t i = 0; i < count; ++i) add_vertex(points, coord(i));
    set_points(builder, points);
    GeometryOwned geometry = finish(builder.get());
    builder.reset();
    return downcast<Multipoint>(std::move(geometry));
}

}  // namespace velmor::runtime
