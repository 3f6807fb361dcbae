#include "json/geometry_reader.hpp"

#include <rapidjson/document.h>

#include <string>

#include "json/json_document.hpp"
#include "json/json_values.hpp"
#include "json/part_reader.hpp"
#include "json/spatial_reference_json.hpp"

namespace geokern {
namespace {

const JsonLocation root;

bool read_dimension_flag(const rapidjson::Value& object, const char* key) {
    const rapidjson::Value* flag = find_member(object, key);
    return flag != nullptr && !flag->IsNull() && read_flag(*flag, root.member(key));
}

JsonDims read_dims(const rapidjson::Value& object) {
    return JsonDims{read_dimension_flag(object, "hasZ"), read_dimension_flag(object, "hasM")};
}

SpatialReferenceRef read_spatial_reference_member(const rapidjson::Value& object, const SpatialReferenceRef& given) {
    if (given != nullptr) return given;
    const rapidjson::Value* member = find_member(object, "spatialReference");
    if (member == nullptr || member->IsNull()) return nullptr;
    return std::const_pointer_cast<SpatialReferenceValue>(
        read_spatial_reference(*member, root.member("spatialReference")));
}

const rapidjson::Value& required_member(const rapidjson::Value& object, const char* key) {
    const rapidjson::Value* member = find_member(object, key);
    if (member == nullptr) refuse_json(root, std::string("missing member \"") + key + "\"");
    return *member;
}

double optional_number(const rapidjson::Value& object, const char* key, bool& present) {
    const rapidjson::Value* member = find_member(object, key);
    if (member == nullptr) return nan_value;
    present = true;
    return read_number(*member, root.member(key));
}

GeometryValue read_point(const rapidjson::Value& object, const SpatialReferenceRef& given) {
    Vertex point;
    point.x = read_number(required_member(object, "x"), root.member("x"));
    // An empty point may leave out y: {"x": null}, {"x": "NaN"}.
    const rapidjson::Value* y = find_member(object, "y");
    if (y == nullptr && !std::isnan(point.x)) refuse_json(root, "missing member \"y\"");
    point.y = y != nullptr ? read_number(*y, root.member("y")) : nan_value;
    JsonDims dims = read_dims(object);
    point.z = optional_number(object, "z", dims.has_z);
    point.m = optional_number(object, "m", dims.has_m);
    // An empty point's text carries no coordinates (it is written all NaN), so none are kept from it.
    if (std::isnan(point.x)) point = Vertex{};
    return point_value(point, dims.has_z, dims.has_m, read_spatial_reference_member(object, given));
}

GeometryValue read_envelope(const rapidjson::Value& object, const SpatialReferenceRef& given) {
    EnvelopeData data;
    data.xmin = read_number(required_member(object, "xmin"), root.member("xmin"));
    data.ymin = read_number(required_member(object, "ymin"), root.member("ymin"));
    data.xmax = read_number(required_member(object, "xmax"), root.member("xmax"));
    data.ymax = read_number(required_member(object, "ymax"), root.member("ymax"));
    JsonDims dims = read_dims(object);
    data.zmin = optional_number(object, "zmin", dims.has_z);
    data.zmax = optional_number(object, "zmax", dims.has_z);
    data.mmin = optional_number(object, "mmin", dims.has_m);
    data.mmax = optional_number(object, "mmax", dims.has_m);
    // As for a point: an empty envelope is written all NaN, so it keeps no z or m range either.
    if (std::isnan(data.xmin) || std::isnan(data.ymin) || std::isnan(data.xmax) || std::isnan(data.ymax)) {
        data = EnvelopeData{};
    }
    return envelope_value(data, dims.has_z, dims.has_m, read_spatial_reference_member(object, given));
}

GeometryValue read_multipoint(const rapidjson::Value& object, const SpatialReferenceRef& given) {
    GeometryValue value;
    value.type = geometry_type_multipoint;
    const JsonDims dims = read_dims(object);
    value.has_z = dims.has_z;
    value.has_m = dims.has_m;
    value.points = std::make_shared<const PartValue>(
        read_linear_part(*find_member(object, "points"), dims, root.member("points")));
    value.spatial_reference = read_spatial_reference_member(object, given);
    return value;
}

// A ring encloses an area with three vertices, or with two when the second is reached by a curve.
void check_ring(const PartValue& ring, const JsonLocation& where) {
    const int64_t points = ring.point_count();
    if (points >= 3 || (points == 2 && ring.has_curves())) return;
    refuse_json(where, "a ring needs at least three vertices, or two joined by a curve, got " + std::to_string(points));
}

struct PartKeys {
    const char* curved;
    const char* straight;
};

// Parts with curves first, then straight ones, each list in its order: the order in which they are
// written, so that a geometry read back equals the one written.
template <class ReadPart>
void read_parts(const rapidjson::Value& object, const char* key, JsonDims dims, bool closed, ReadPart&& read_part,
                GeometryValue& value) {
    const rapidjson::Value* parts = find_array(object, key, root);
    if (parts == nullptr) return;
    const JsonLocation where = root.member(key);
    for (rapidjson::SizeType i = 0; i < parts->Size(); ++i) {
        PartValue part = read_part((*parts)[i], dims, where.element(i));
        if (closed) {
            check_ring(part, where.element(i));
            close_ring(part);
        }
        value.parts.push_back(std::make_shared<const PartValue>(std::move(part)));
    }
}

GeometryValue read_multipart(const rapidjson::Value& object, GK_GeometryType type, PartKeys keys,
                             const SpatialReferenceRef& given) {
    GeometryValue value;
    value.type = type;
    const JsonDims dims = read_dims(object);
    value.has_z = dims.has_z;
    value.has_m = dims.has_m;
    const bool closed = type == geometry_type_polygon;
    read_parts(object, keys.curved, dims, closed, read_curve_part, value);
    read_parts(object, keys.straight, dims, closed, read_linear_part, value);
    value.spatial_reference = read_spatial_reference_member(object, given);
    return value;
}

GeometryValue read_geometry_object(const rapidjson::Value& object, const SpatialReferenceRef& given) {
    require_object(object, root, "a geometry object");
    for (const char* key : {"rings", "curveRings"}) {
        if (object.HasMember(key)) return read_multipart(object, geometry_type_polygon, {"curveRings", "rings"}, given);
    }
    for (const char* key : {"paths", "curvePaths"}) {
        if (object.HasMember(key)) return read_multipart(object, geometry_type_polyline, {"curvePaths", "paths"}, given);
    }
    if (find_array(object, "points", root) != nullptr) return read_multipoint(object, given);
    if (object.HasMember("x")) return read_point(object, given);
    if (object.HasMember("xmin")) return read_envelope(object, given);
    refuse_json(root, "not a geometry: none of the members \"rings\", \"curveRings\", \"paths\", \"curvePaths\", "
                      "\"points\", \"x\", \"xmin\"");
}

}  // namespace

GeometryValue read_geometry_json(std::string_view text, const SpatialReferenceRef& spatial_reference) {
    const JsonDocument document(text);
    return read_geometry_object(document.root(), spatial_reference);
}

}  // namespace geokern
