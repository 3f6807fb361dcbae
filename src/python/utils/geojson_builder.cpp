#include "geojson_builder.hpp"

#include <string>

#include "builder_failure.hpp"
#include "containers.hpp"
#include "formats/circular_arc.hpp"
#include "position.hpp"

namespace velmor::py::utils {

using formats::Status;

Status GeoJsonBuilder::coordinate(const formats::Coordinate& c) {
    if (!collecting_point_) return append_position(c);
    VELMOR_BUILD_ASSIGN(Ref position, position_tuple(c));
    stack_.push(std::move(position));
    return {};
}

Status GeoJsonBuilder::append_position(const formats::Coordinate& c) {
    VELMOR_BUILD_ASSIGN(const Ref position, position_tuple(c));
    VELMOR_BUILD(stack_.append_to_top(position.get()));
    current_ = c;
    return {};
}

Status GeoJsonBuilder::arc(const formats::Coordinate& interior, const formats::Coordinate& end) {
    densified_.clear();
    formats::densify_arc(current_, interior, end, densified_);
    for (const formats::Coordinate& c : densified_) VELMOR_FORMAT_TRY(append_position(c));
    return {};
}

Status GeoJsonBuilder::empty_point() {
    VELMOR_BUILD_ASSIGN(const Ref nothing, new_list());
    return finish(keys_.point, keys_.coordinates, nothing.get());
}

Status GeoJsonBuilder::point_begin() {
    collecting_point_ = true;
    return {};
}

Status GeoJsonBuilder::point_end() {
    collecting_point_ = false;
    const Ref position = stack_.pop();
    return finish(keys_.point, keys_.coordinates, position.get());
}

Status GeoJsonBuilder::linestring_begin(bool) {
    return open_list();
}
Status GeoJsonBuilder::linestring_end(bool tagged) {
    return close_list(keys_.line_string, tagged);
}
Status GeoJsonBuilder::polygon_begin(bool) {
    return open_list();
}
Status GeoJsonBuilder::polygon_end(bool tagged) {
    return close_list(keys_.polygon, tagged);
}
Status GeoJsonBuilder::multipoint_begin() {
    return open_list();
}
Status GeoJsonBuilder::multipoint_end() {
    return close_list(keys_.multi_point, true);
}
Status GeoJsonBuilder::multilinestring_begin() {
    return open_list();
}
Status GeoJsonBuilder::multilinestring_end() {
    return close_list(keys_.multi_line_string, true);
}
Status GeoJsonBuilder::multipolygon_begin() {
    return open_list();
}
Status GeoJsonBuilder::multipolygon_end() {
    return close_list(keys_.multi_polygon, true);
}
Status GeoJsonBuilder::geometry_collection_begin() {
    return open_list();
}

Status GeoJsonBuilder::geometry_collection_end() {
    const Ref members = stack_.pop();
    return finish(keys_.geometry_collection, keys_.geometries, members.get());
}

Status GeoJsonBuilder::open_list() {
    VELMOR_BUILD_ASSIGN(Ref list, new_list());
    stack_.push(std::move(list));
    return {};
}

Status GeoJsonBuilder::close_list(PyObject* type, bool tagged) {
    const Ref list = stack_.pop();
    if (tagged) return finish(type, keys_.coordinates, list.get());
    VELMOR_BUILD(stack_.append_to_top(list.get()));
    return {};
}

// A finished geometry dictionary goes into the collection being built, or alone onto the stack.
Status GeoJsonBuilder::finish(PyObject* type, PyObject* members_key, PyObject* members) {
    VELMOR_BUILD_ASSIGN(Ref geometry, new_dict());
    VELMOR_BUILD(set_item(geometry, keys_.type, type));
    VELMOR_BUILD(set_item(geometry, members_key, members));
    VELMOR_BUILD(add_crs(geometry));
    if (stack_.empty()) {
        stack_.push(std::move(geometry));
        return {};
    }
    VELMOR_BUILD(stack_.append_to_top(geometry.get()));
    return {};
}

Result<void> GeoJsonBuilder::add_crs(const Ref& geometry) const {
    VELMOR_TRY_ASSIGN(const Ref srid, new_int(srid_));
    VELMOR_TRY_ASSIGN(const Ref meta, new_dict());
    VELMOR_TRY(set_item(meta, keys_.srid, srid.get()));
    VELMOR_TRY(set_item(geometry, keys_.meta, meta.get()));

    const std::string epsg = "EPSG:" + std::to_string(srid_);
    const Ref name =
        Ref::steal(PyUnicode_FromStringAndSize(epsg.data(), static_cast<Py_ssize_t>(epsg.size())));
    if (!name) return fail(python_error());
    VELMOR_TRY_ASSIGN(const Ref properties, new_dict());
    VELMOR_TRY(set_item(properties, keys_.name, name.get()));
    VELMOR_TRY_ASSIGN(const Ref crs, new_dict());
    VELMOR_TRY(set_item(crs, keys_.type, keys_.name));  // the crs type is the string "name"
    VELMOR_TRY(set_item(crs, keys_.properties, properties.get()));
    VELMOR_TRY(set_item(geometry, keys_.crs, crs.get()));
    return {};
}

}  // namespace velmor::py::utils
