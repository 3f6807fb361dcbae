#include "ovrajson_builder.hpp"

#include <string>

#include "builder_failure.hpp"
#include "containers.hpp"
#include "curve_ring.hpp"
#include "core/internal_failure.hpp"
#include "position.hpp"
#include "ring_orientation.hpp"

namespace velmor::py::utils {

using formats::FormatError;
using formats::Status;

namespace {

std::string flags_text(bool has_z, bool has_m) {
    return std::string("(") + (has_z ? "true" : "false") + ", " + (has_m ? "true" : "false") + ")";
}

}  // namespace

Status OvraJsonBuilder::coordinate(const formats::Coordinate& c) {
    if (collecting_point_) return point_dict(c);
    VELMOR_FORMAT_TRY(check_layout(c.layout));
    VELMOR_BUILD_ASSIGN(const Ref position, position_tuple(c));
    VELMOR_BUILD(stack_.append_to_top(position.get()));
    return {};
}

// An arc becomes {"c": [end, interior]}; the interior point is planar, as the segment model keeps it.
Status OvraJsonBuilder::arc(const formats::Coordinate& interior, const formats::Coordinate& end) {
    VELMOR_FORMAT_TRY(check_layout(interior.layout));
    VELMOR_FORMAT_TRY(check_layout(end.layout));
    VELMOR_BUILD_ASSIGN(const Ref end_position, position_tuple(end));
    VELMOR_BUILD_ASSIGN(const Ref interior_position, position_tuple(formats::Coordinate{interior.x, interior.y}));
    VELMOR_BUILD_ASSIGN(const Ref points, new_list());
    VELMOR_BUILD(append(points.get(), end_position.get()));
    VELMOR_BUILD(append(points.get(), interior_position.get()));
    VELMOR_BUILD_ASSIGN(const Ref segment, new_dict());
    VELMOR_BUILD(set_item(segment, keys_.circular_arc, points.get()));
    VELMOR_BUILD(stack_.append_to_top(segment.get()));
    part_has_arcs_ = true;
    geometry_has_arcs_ = true;
    return {};
}

Status OvraJsonBuilder::point_dict(const formats::Coordinate& c) {
    VELMOR_BUILD_ASSIGN(Ref point, new_dict());
    const std::pair<PyObject*, double> values[] = {
        {keys_.x, c.x}, {keys_.y, c.y}, {keys_.z, c.z}, {keys_.m, c.m}};
    const bool present[] = {true, true, c.layout.has_z, c.layout.has_m};
    for (std::size_t i = 0; i < 4; ++i) {
        if (!present[i]) continue;
        VELMOR_BUILD_ASSIGN(const Ref number, new_float(values[i].second));
        VELMOR_BUILD(set_item(point, values[i].first, number.get()));
    }
    stack_.push(std::move(point));
    return {};
}

// The first coordinate fixes hasZ and hasM; every later one must match it.
Status OvraJsonBuilder::check_layout(const formats::Layout& layout) {
    if (!has_z_ && !has_m_) {
        has_z_ = layout.has_z;
        has_m_ = layout.has_m;
        return {};
    }
    if (has_z_ == layout.has_z && has_m_ == layout.has_m) return {};
    return FormatError::geometry(
        "Coordinate dimension mismatch: all coordinates in a geometry must either all have or all lack Z and "
        "M "
        "values. Previously coordinates: (has_z, has_m) = " +
        flags_text(has_z_.value_or(false), has_m_.value_or(false)) +
        ", current: (has_z, has_m) = " + flags_text(layout.has_z, layout.has_m));
}

Status OvraJsonBuilder::empty_point() {
    VELMOR_BUILD_ASSIGN(Ref point, new_dict());
    VELMOR_BUILD(set_item(point, keys_.x, Py_None));
    return finish(std::move(point));
}

Status OvraJsonBuilder::point_begin() {
    collecting_point_ = true;
    return {};
}

Status OvraJsonBuilder::point_end() {
    collecting_point_ = false;
    return finish(stack_.pop());
}

Status OvraJsonBuilder::linestring_begin(bool) {
    part_has_arcs_ = false;
    return open_list();
}

Status OvraJsonBuilder::linestring_end(bool tagged) {
    if (ring_state_ != RingState::NotInPolygon) {
        const Ref ring = stack_.pop();
        VELMOR_FORMAT_TRY(orient(ring.get()));
        VELMOR_BUILD(stack_.append_to_top(ring.get()));
        ring_state_ = RingState::LaterRing;
        return {};
    }
    if (!tagged) {
        const Ref path = stack_.pop();
        VELMOR_BUILD(stack_.append_to_top(path.get()));
        return {};
    }
    // A line string by itself is a polyline of one path.
    const Ref path = stack_.pop();
    VELMOR_BUILD_ASSIGN(Ref paths, new_list());
    VELMOR_BUILD(append(paths.get(), path.get()));
    stack_.push(std::move(paths));
    return finish_parts(keys_.paths);
}

Status OvraJsonBuilder::polygon_begin(bool tagged) {
    ring_state_ = RingState::FirstRing;
    if (tagged) return open_list();
    return {};
}

Status OvraJsonBuilder::polygon_end(bool tagged) {
    ring_state_ = RingState::NotInPolygon;
    // The rings of a member polygon are already in the multipolygon's list.
    if (!tagged) return {};
    return finish_parts(keys_.rings);
}

Status OvraJsonBuilder::multipoint_begin() {
    return open_list();
}
Status OvraJsonBuilder::multipoint_end() {
    return finish_parts(keys_.points);
}
Status OvraJsonBuilder::multilinestring_begin() {
    return open_list();
}
Status OvraJsonBuilder::multilinestring_end() {
    return finish_parts(keys_.paths);
}
Status OvraJsonBuilder::multipolygon_begin() {
    return open_list();
}
Status OvraJsonBuilder::multipolygon_end() {
    return finish_parts(keys_.rings);
}

// OvraJSON has no geometry collection; the conversion refuses it as not implemented.
Status OvraJsonBuilder::geometry_collection_begin() {
    core::internal_failure("not implemented");
}
Status OvraJsonBuilder::geometry_collection_end() {
    core::internal_failure("not implemented");
}

Status OvraJsonBuilder::open_list() {
    VELMOR_BUILD_ASSIGN(Ref list, new_list());
    stack_.push(std::move(list));
    return {};
}

// Outer rings run clockwise, holes counter-clockwise; a ring the other way round is reversed in place.
Status OvraJsonBuilder::orient(PyObject* ring) const {
    if (part_has_arcs_) {
        VELMOR_BUILD_ASSIGN(const bool clockwise, curve_ring_is_clockwise(ring, keys_.circular_arc));
        if (clockwise != (ring_state_ == RingState::FirstRing)) {
            VELMOR_BUILD(reverse_curve_ring(ring, keys_.circular_arc));
        }
        return {};
    }
    VELMOR_BUILD_ASSIGN(const SequenceView view, SequenceView::of(ring));
    VELMOR_BUILD_ASSIGN(const bool clockwise, ring_is_clockwise(view));
    if (clockwise != (ring_state_ == RingState::FirstRing) && PyList_Reverse(ring) < 0) {
        return builder_failure(python_error());
    }
    return {};
}

Status OvraJsonBuilder::finish_parts(PyObject* parts_key) {
    const Ref parts = stack_.pop();
    if (geometry_has_arcs_ && parts_key == keys_.paths) parts_key = keys_.curve_paths;
    if (geometry_has_arcs_ && parts_key == keys_.rings) parts_key = keys_.curve_rings;
    if (!has_m_) return FormatError::geometry("has_m not initialized");
    if (!has_z_) return FormatError::geometry("has_z not initialized");
    PyObject* has_m = *has_m_ ? Py_True : Py_False;
    PyObject* has_z = *has_z_ ? Py_True : Py_False;
    VELMOR_BUILD_ASSIGN(Ref geometry, new_dict());
    if (parts_key == keys_.points) {
        VELMOR_BUILD(set_item(geometry, keys_.has_m, has_m));
        VELMOR_BUILD(set_item(geometry, keys_.has_z, has_z));
        VELMOR_BUILD(set_item(geometry, parts_key, parts.get()));
    } else {
        VELMOR_BUILD(set_item(geometry, parts_key, parts.get()));
        VELMOR_BUILD(set_item(geometry, keys_.has_m, has_m));
        VELMOR_BUILD(set_item(geometry, keys_.has_z, has_z));
    }
    return finish(std::move(geometry));
}

// Adds "spatialReference"; the finished geometry must be alone, as nothing can contain it.
Status OvraJsonBuilder::finish(Ref geometry) {
    VELMOR_BUILD_ASSIGN(const Ref wkid, new_int(srid_));
    VELMOR_BUILD_ASSIGN(const Ref reference, new_dict());
    VELMOR_BUILD(set_item(reference, keys_.wkid, wkid.get()));
    VELMOR_BUILD(set_item(geometry, keys_.spatial_reference, reference.get()));
    if (!stack_.empty()) {
        core::internal_failure(
            "not implemented: this should be reached only when inside geometry collection");
    }
    stack_.push(std::move(geometry));
    return {};
}

}  // namespace velmor::py::utils
