#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

#include "core/coord.hpp"
#include "error.hpp"
#include "owned.hpp"

namespace velmor::runtime {

// Assembly of runtime polylines, polygons and multipoints in mutable containers handed to a builder.
// Every runtime error here is an internal failure, except fetching a part of a collection by index and
// the final downcast, which are returned. Operations that create a container or builder first set the
// runtime environment up. A missing spatial reference is passed as null.

MutablePart new_mutable_part(const SpatialReference* spatial_reference);
void add_point(const MutablePart& part, const Point& point);
void add_point_xy(const MutablePart& part, double x, double y);
void add_point_xyz(const MutablePart& part, double x, double y, double z);
void add_segment(const MutablePart& part, GK_SegmentHandle segment);
// A vertex with m goes in as a point made from all its coordinates; otherwise x, y and z or x and y.
void add_vertex(const MutablePart& part, const core::Coord& vertex);

MutablePartCollection new_part_collection(const SpatialReference* spatial_reference);
void add_part(const MutablePartCollection& parts, const MutablePart& part);
int64_t size(const MutablePartCollection& parts);
RuntimeResult<MutablePart> part_at(const MutablePartCollection& parts, int64_t index);
// Appends every part of `second`, in order, to `first`.
RuntimeResult<void> append_parts(const MutablePartCollection& first, const MutablePartCollection& second);

MutablePointCollection new_point_collection(const SpatialReference* spatial_reference);
void add_point(const MutablePointCollection& points, const Point& point);
// A vertex with m goes in as a point made from all its coordinates; otherwise x, y and z or x and y.
void add_vertex(const MutablePointCollection& points, const core::Coord& vertex);

PolylineBuilder new_polyline_builder(const SpatialReference* spatial_reference);
PolygonBuilder new_polygon_builder(const SpatialReference* spatial_reference);
MultipointBuilder new_multipoint_builder(const SpatialReference* spatial_reference);
void set_parts(GK_GeometryBuilderHandle builder, const MutablePartCollection& parts);
void set_points(const MultipointBuilder& builder, const MutablePointCollection& points);
// Builds the geometry and releases the builder.
GeometryOwned finish(GK_GeometryBuilderHandle builder);

// One group of parts: `count` parts, part i filled by write(i, part), which returns the first runtime
// failure it meets.
struct PartGroup {
    std::size_t count;
    std::function<RuntimeResult<void>(std::size_t index, const MutablePart& part)> write;
};

// A polyline or polygon of the parts of every group, the groups in order (a native geometry keeps its
// curved and its straight parts in two groups). The result is downcast to the requested kind.
RuntimeResult<Polyline> assemble_polyline(const SpatialReference* spatial_reference,
                                          std::span<const PartGroup> groups);
RuntimeResult<Polygon> assemble_polygon(const SpatialReference* spatial_reference,
                                        std::span<const PartGroup> groups);
// A polyline or polygon of the parts of every collection, the collections in order: the first one
// receives the parts of the others (the callers' collections are handed over, not copied back).
RuntimeResult<Polyline> assemble_polyline_from_collections(
    const SpatialReference* spatial_reference, std::span<const MutablePartCollection> collections);
RuntimeResult<Polygon> assemble_polygon_from_collections(
    const SpatialReference* spatial_reference, std::span<const MutablePartCollection> collections);
// A multipoint of `count` points, point i at coord(i).
RuntimeResult<Multipoint> assemble_multipoint(const SpatialReference* spatial_reference, std::size_t count,
                                              const std::function<core::Coord(std::size_t)>& coord);

}  // namespace velmor::runtime
