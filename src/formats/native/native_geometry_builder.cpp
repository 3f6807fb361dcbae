#include "formats/native/native_geometry_builder.hpp"

#include <span>
#include <string>

namespace velmor::formats {
namespace {

std::string layout_name(const Layout& layout) {
    return std::string("XY") + (layout.has_z ? "Z" : "") + (layout.has_m ? "M" : "");
}

// Each part goes in through the checks of the class (a ring needs enough vertices), one by one, which
// spares the list that the build from whole lists would take.
core::Result<void> push(core::Polyline& polyline, core::SharedPart part) { return polyline.push_path(std::move(part)); }
core::Result<void> push(core::Polyline& polyline, core::SharedCurvePart part) {
    return polyline.push_curve_path(std::move(part));
}
core::Result<void> push(core::Polygon& polygon, core::SharedPart part) { return polygon.push_ring(std::move(part)); }
core::Result<void> push(core::Polygon& polygon, core::SharedCurvePart part) {
    return polygon.push_curve_ring(std::move(part));
}

}  // namespace

void NativeGeometryBuilder::reset() {
    kind_.reset();
    depth_ = 0;
    layout_.reset();
    wkid_.reset();
    point_ = {};
    used_ = 0;
    has_arcs_ = false;
    next_ring_outer_ = false;
    in_polygon_ = false;
    result_.reset();
}

void NativeGeometryBuilder::open_part() {
    if (used_ == parts_.size()) parts_.emplace_back();
    parts_[used_++].clear();
}

Status NativeGeometryBuilder::srid(std::int32_t value) {
    if (value < 0) return FormatError::geometry("the SRID " + std::to_string(value) + " is negative");
    wkid_ = static_cast<std::uint32_t>(value);
    return {};
}

Status NativeGeometryBuilder::first_or_other_layout(const Layout& layout) {
    if (!layout_) layout_ = layout;
    if (*layout_ == layout) return {};
    return FormatError::geometry("a coordinate with " + layout_name(layout) + " follows coordinates with " +
                                 layout_name(*layout_) + ": one geometry has one dimensionality");
}

Status NativeGeometryBuilder::coordinate(const Coordinate& c) {
    VELMOR_FORMAT_TRY(check_layout(c.layout));
    if (*kind_ == Kind::Point) {
        point_.x = c.x;
        point_.y = c.y;
        if (c.layout.has_z) point_.z = c.z;
        if (c.layout.has_m) point_.m = c.m;
        return {};
    }
    parts_[used_ - 1].push(c);
    return {};
}

Status NativeGeometryBuilder::arc(const Coordinate& interior, const Coordinate& end_point) {
    VELMOR_FORMAT_TRY(check_layout(end_point.layout));
    parts_[used_ - 1].push_arc(interior, end_point);
    has_arcs_ = true;
    return {};
}

// An empty point as a geometry by itself; inside a multipoint the readers refuse it.
Status NativeGeometryBuilder::empty_point() {
    VELMOR_FORMAT_TRY(begin(Kind::Point));
    return end();
}

Status NativeGeometryBuilder::begin(Kind kind) {
    if (depth_++ == 0) kind_ = kind;
    return {};
}

Status NativeGeometryBuilder::end() {
    if (--depth_ > 0) return {};
    return finish();
}

Status NativeGeometryBuilder::linestring_begin(bool) {
    VELMOR_FORMAT_TRY(begin(Kind::Polyline));
    open_part();
    return {};
}

// An EMPTY path holds nothing and is left out; an empty ring is refused as every short ring is.
Status NativeGeometryBuilder::linestring_end(bool) {
    if (!in_polygon_ && parts_[used_ - 1].size() == 0) --used_;
    if (in_polygon_) {
        VELMOR_FORMAT_TRY(parts_[used_ - 1].orient_ring(next_ring_outer_));
        next_ring_outer_ = false;
    }
    return end();
}

Status NativeGeometryBuilder::polygon_begin(bool) {
    in_polygon_ = true;
    next_ring_outer_ = true;
    return begin(Kind::Polygon);
}

Status NativeGeometryBuilder::polygon_end(bool) {
    in_polygon_ = false;
    return end();
}

Status NativeGeometryBuilder::multipoint_begin() {
    VELMOR_FORMAT_TRY(begin(Kind::Multipoint));
    open_part();
    return {};
}

Status NativeGeometryBuilder::geometry_collection_begin() {
    return FormatError::geometry(
        "a geometry collection has no geometry class of its own; read its members one by one");
}

core::Dims NativeGeometryBuilder::dims() const {
    if (!layout_) return core::Dims::XY;
    return core::dims_from_flags(layout_->has_z, layout_->has_m);
}

std::optional<core::SpatialReference> NativeGeometryBuilder::spatial_reference() const {
    if (!wkid_) return std::nullopt;
    core::SpatialReference reference;
    reference.wkid = wkid_;
    return reference;
}

template <class Geometry>
Status NativeGeometryBuilder::finish_multipart() {
    Geometry geometry(dims());
    for (const ReadPart& part : std::span(parts_).first(used_)) {
        auto pushed = has_arcs_ ? push(geometry, core::SharedCurvePart(part.to_curve_part(dims())))
                                : push(geometry, core::SharedPart(part.to_part(dims())));
        if (!pushed) return FormatError::geometry(pushed.error().display());
    }
    geometry.set_spatial_reference(spatial_reference());
    result_.emplace(std::move(geometry));
    return {};
}

Status NativeGeometryBuilder::finish() {
    switch (*kind_) {
        case Kind::Point:
            point_.spatial_reference = spatial_reference();
            result_.emplace(std::move(point_));
            return {};
        case Kind::Multipoint:
            result_.emplace(core::Multipoint(core::SharedPart(parts_[0].to_part(dims())), spatial_reference()));
            return {};
        case Kind::Polyline:
            return finish_multipart<core::Polyline>();
        case Kind::Polygon:
            return finish_multipart<core::Polygon>();
    }
    return {};
}

}  // namespace velmor::formats
