#include "ovrajson_writer.hpp"

#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "json_object_writer.hpp"
#include "lock_messages.hpp"
#include "number_format.hpp"
#include "spatial_reference_value.hpp"

namespace velmor::core {
namespace {

// OvraJSON objects separate members by ", " and keys from values by ": ".
class ObjectWriter : public JsonObjectWriter {
public:
    explicit ObjectWriter(std::string& out) : JsonObjectWriter(out, ", ", ": ") {}
};

void append_pair(std::string& out, double x, double y) {
    out += '[';
    append_number(out, x);
    out += ", ";
    append_number(out, y);
    out += ']';
}

void append_flag(std::string& out, bool flag) {
    out += flag ? '1' : '0';
}

void append_part(std::string& out, const Part& part) {
    out += '[';
    for (std::size_t i = 0; i < part.size(); ++i) {
        if (i != 0) out += ", ";
        part.get(i)->append_text(out);
    }
    out += ']';
}

// The element of one curve-part vertex: the bare vertex for a straight segment, else a one-key
// object holding the vertex (the segment's end) and the segment's own values.
struct CurveElement {
    std::string& out;
    const Coord& vertex;

    void operator()(const Linear&) const { vertex.append_text(out); }
    void operator()(const CircularArc& arc) const {
        open("c");
        append_pair(out, arc.interior_x, arc.interior_y);
        out += "]}";
    }
    void operator()(const BezierCurve& curve) const {
        open("b");
        append_pair(out, curve.control1_x, curve.control1_y);
        out += ", ";
        append_pair(out, curve.control2_x, curve.control2_y);
        out += "]}";
    }
    void operator()(const EllipticArc& arc) const {
        open("a");
        append_pair(out, arc.center_x, arc.center_y);
        out += ", ";
        append_flag(out, arc.minor);
        out += ", ";
        append_flag(out, arc.clockwise);
        // A circular arc (ratio exactly 1) needs neither rotation nor axis.
        if (arc.ratio != 1.0) {
            for (const double value : {arc.rotation, arc.axis, arc.ratio}) {
                out += ", ";
                append_number(out, value);
            }
        }
        out += "]}";
    }

    void open(const char* key) const {
        out += "{\"";
        out += key;
        out += "\": [";
        vertex.append_text(out);
        out += ", ";
    }
};

void append_part(std::string& out, const CurvePart& part) {
    out += '[';
    for (std::size_t i = 0; i < part.size(); ++i) {
        if (i != 0) out += ", ";
        const std::optional<CurveVertex> vertex = part.get(i);
        std::visit(CurveElement{out, vertex->coord}, vertex->curve);
    }
    out += ']';
}

template <class PartT>
void append_container(std::string& out, const PartContainer<PartT>& container) {
    out += '[';
    bool first = true;
    for (const Shared<PartT>& part : container) {
        if (!first) out += ", ";
        first = false;
        append_part(out, *part.lock(lock_messages::kAny));
    }
    out += ']';
}

void append_dims_and_reference(ObjectWriter& object, Dims dims,
                               const std::optional<SpatialReference>& spatial_reference) {
    if (has_z(dims)) object.key("hasZ") += "true";
    if (has_m(dims)) object.key("hasM") += "true";
    if (spatial_reference) append_compact_json(object.key("spatialReference"), *spatial_reference);
}

struct MultipartKeys {
    std::string_view curved;
    std::string_view linear;
    std::string_view curved_lock;
};

std::string write_multipart_geometry(Dims dims, const std::optional<SpatialReference>& spatial_reference,
                                     const SharedMultipart& linear, const SharedCurveMultipart& curved,
                                     const MultipartKeys& keys) {
    std::string out;
    ObjectWriter object(out);
    append_dims_and_reference(object, dims, spatial_reference);
    {
        const auto curved_parts = curved.lock(keys.curved_lock);
        if (!curved_parts->empty()) append_container(object.key(keys.curved), *curved_parts);
    }
    append_container(object.key(keys.linear), *linear.lock(lock_messages::kRings));
    object.close();
    return out;
}

// Empty points and envelopes write every value as null.
void append_value(std::string& out, double value, bool null) {
    if (null) {
        out += "null";
    } else {
        append_number(out, value);
    }
}

void append_value(std::string& out, std::uint32_t value, bool null) {
    out += null ? std::string("null") : std::to_string(value);
}

template <class T>
void append_optional(ObjectWriter& object, std::string_view key, const std::optional<T>& value, bool null) {
    if (value) append_value(object.key(key), *value, null);
}

}  // namespace

std::string write_ovrajson(const Coord& coord) {
    return coord.text();
}

std::string write_ovrajson(const Part& part) {
    std::string out;
    append_part(out, part);
    return out;
}

std::string write_ovrajson(const CurvePart& part) {
    std::string out;
    append_part(out, part);
    return out;
}

std::string write_ovrajson(const Multipart& multipart) {
    std::string out;
    append_container(out, multipart);
    return out;
}

std::string write_ovrajson(const CurveMultipart& multipart) {
    std::string out;
    append_container(out, multipart);
    return out;
}

std::string write_ovrajson(const Polyline& polyline) {
    return write_multipart_geometry(polyline.dims(), polyline.spatial_reference(), polyline.paths(),
                                    polyline.curve_paths(),
                                    {"curvePaths", "paths", lock_messages::kCurvePathsText});
}

std::string write_ovrajson(const Polygon& polygon) {
    return write_multipart_geometry(polygon.dims(), polygon.spatial_reference(), polygon.rings(),
                                    polygon.curve_rings(),
                                    {"curveRings", "rings", lock_messages::kCurveRingsText});
}

std::string write_ovrajson(const Multipoint& multipoint) {
    std::string out;
    ObjectWriter object(out);
    // One lock for the whole object, so dimensionality and points come from the same state.
    const auto points = multipoint.points().lock(lock_messages::kPointsText);
    append_dims_and_reference(object, points->dims(), multipoint.spatial_reference());
    append_part(object.key("points"), *points);
    object.close();
    return out;
}

std::string write_ovrajson(const PointValue& point) {
    const bool null = point.is_empty();
    std::string out;
    ObjectWriter object(out);
    if (point.spatial_reference)
        append_compact_json(object.key("spatialReference"), *point.spatial_reference);
    append_value(object.key("x"), point.x, null);
    append_value(object.key("y"), point.y, null);
    append_optional(object, "z", point.z, null);
    append_optional(object, "m", point.m, null);
    object.close();
    return out;
}

std::string write_ovrajson(const EnvelopeValue& envelope) {
    const bool null = envelope.is_empty();
    std::string out;
    ObjectWriter object(out);
    if (envelope.spatial_reference) {
        append_compact_json(object.key("spatialReference"), *envelope.spatial_reference);
    }
    append_value(object.key("xmin"), envelope.xmin, null);
    append_value(object.key("ymin"), envelope.ymin, null);
    append_value(object.key("xmax"), envelope.xmax, null);
    append_value(object.key("ymax"), envelope.ymax, null);
    append_optional(object, "zmin", envelope.zmin, null);
    append_optional(object, "zmax", envelope.zmax, null);
    append_optional(object, "mmin", envelope.mmin, null);
    append_optional(object, "mmax", envelope.mmax, null);
    append_optional(object, "idmin", envelope.idmin, null);
    append_optional(object, "idmax", envelope.idmax, null);
    object.close();
    return out;
}

}  // namespace velmor::core
