#include "json/geometry_writer.hpp"

#include <numbers>
#include <variant>

#include "json/json_number.hpp"
#include "json/spatial_reference_json.hpp"

namespace geokern {
namespace {

class JsonWriter {
  public:
    std::string take() { return std::move(out_); }

    void member(const char* key) {
        if (!first_member_) out_ += ',';
        first_member_ = false;
        out_ += '"';
        out_ += key;
        out_ += "\":";
    }
    void open_object() {
        out_ += '{';
        first_member_ = true;
    }
    void close_object() { out_ += '}'; }
    void number(double value) { append_json_number(out_, value); }
    void number_member(const char* key, double value) {
        member(key);
        number(value);
    }

    void flag(bool value) { out_ += value ? "true" : "false"; }
    void raw(const char* text) { out_ += text; }

    void xy(double x, double y) {
        out_ += '[';
        number(x);
        out_ += ',';
        number(y);
        out_ += ']';
    }

    void vertex(const PartValue& part, int64_t index) {
        const auto i = static_cast<size_t>(index);
        out_ += '[';
        number(part.xs[i]);
        out_ += ',';
        number(part.ys[i]);
        if (part.has_z) {
            out_ += ',';
            number(part.zs[i]);
        }
        if (part.has_m) {
            out_ += ',';
            number(part.ms[i]);
        }
        out_ += ']';
    }

    void arc(const PartValue& part, int64_t index, const EllipticArc& shape) {
        out_ += "{\"a\":[";
        vertex(part, index);
        out_ += ',';
        xy(shape.cx, shape.cy);
        out_ += ',';
        flag(std::fabs(shape.central_angle) < std::numbers::pi);
        out_ += ',';
        flag(!shape.is_counter_clockwise());
        if (!shape.is_circular()) {
            for (double value : {shape.rotation, shape.semi_major, shape.ratio}) {
                out_ += ',';
                number(value);
            }
        }
        out_ += "]}";
    }

    void bezier(const PartValue& part, int64_t index, const CubicBezier& shape) {
        out_ += "{\"b\":[";
        vertex(part, index);
        out_ += ',';
        xy(shape.c1x, shape.c1y);
        out_ += ',';
        xy(shape.c2x, shape.c2y);
        out_ += "]}";
    }

    // Vertex `index` reached by segment `segment` (-1: none).
    void item(const PartValue& part, int64_t index, int64_t segment) {
        const Curve* shape = segment >= 0 && part.has_curves() ? part.curve_of(segment) : nullptr;
        if (shape == nullptr) {
            vertex(part, index);
        } else if (const auto* elliptic = std::get_if<EllipticArc>(shape)) {
            arc(part, index, *elliptic);
        } else {
            bezier(part, index, std::get<CubicBezier>(*shape));
        }
    }

    void part(const PartValue& part) {
        out_ += '[';
        const int64_t points = part.point_count();
        for (int64_t i = 0; i < points; ++i) {
            if (i > 0) out_ += ',';
            item(part, i, i - 1);
        }
        if (part.closed && closes_explicitly(part)) {
            out_ += ',';
            item(part, 0, points - 1);
        }
        out_ += ']';
    }

    void spatial_reference(const SpatialReferenceRef& reference) {
        if (reference == nullptr) return;
        member("spatialReference");
        write_spatial_reference(*reference, out_);
    }

  private:
    // Mirrors reopen_ring: the first vertex is repeated unless the ring is a two-point loop closed by
    // a curve ([a, arc to a]); the reader drops one repeated closing vertex and refuses a straight
    // two-point ring, so [a, a] is written [a, a, a] and [a, b, c, a] as [a, b, c, a, a].
    static bool closes_explicitly(const PartValue& ring) {
        const int64_t points = ring.point_count();
        if (points < 2) return false;
        if (points > 2 || ring.curve_of(points - 1) != nullptr || !ring.has_curves()) return true;
        return !same_stored_xy(ring.point(0), ring.point(1));
    }

    std::string out_;
    bool first_member_ = true;
};

void write_flags(JsonWriter& writer, const GeometryValue& geometry) {
    if (geometry.has_z) {
        writer.member("hasZ");
        writer.raw("true");
    }
    if (geometry.has_m) {
        writer.member("hasM");
        writer.raw("true");
    }
}

void write_point(JsonWriter& writer, const GeometryValue& geometry) {
    writer.spatial_reference(geometry.spatial_reference);
    const Vertex& point = geometry.point;
    const bool empty = std::isnan(point.x);
    auto coordinate = [&](const char* key, double value) { writer.number_member(key, empty ? nan_value : value); };
    coordinate("x", point.x);
    coordinate("y", point.y);
    if (geometry.has_z) coordinate("z", point.z);
    if (geometry.has_m) coordinate("m", point.m);
}

void write_envelope(JsonWriter& writer, const GeometryValue& geometry) {
    writer.spatial_reference(geometry.spatial_reference);
    const EnvelopeData& e = geometry.envelope;
    const bool empty = e.empty();
    auto bound = [&](const char* key, double value) { writer.number_member(key, empty ? nan_value : value); };
    bound("xmin", e.xmin);
    bound("ymin", e.ymin);
    bound("xmax", e.xmax);
    bound("ymax", e.ymax);
    if (geometry.has_z) {
        bound("zmin", e.zmin);
        bound("zmax", e.zmax);
    }
    if (geometry.has_m) {
        bound("mmin", e.mmin);
        bound("mmax", e.mmax);
    }
}

void write_multipoint(JsonWriter& writer, const GeometryValue& geometry) {
    write_flags(writer, geometry);
    writer.spatial_reference(geometry.spatial_reference);
    writer.member("points");
    writer.part(*geometry.points);
}

void write_part_list(JsonWriter& writer, const GeometryValue& geometry, bool curved) {
    writer.raw("[");
    bool first = true;
    for (const auto& part : geometry.parts) {
        if (part->has_curves() != curved) continue;
        if (!first) writer.raw(",");
        first = false;
        writer.part(*part);
    }
    writer.raw("]");
}

void write_multipart(JsonWriter& writer, const GeometryValue& geometry) {
    const bool polygon = geometry.type == geometry_type_polygon;
    write_flags(writer, geometry);
    writer.spatial_reference(geometry.spatial_reference);
    if (has_curves(geometry)) {
        writer.member(polygon ? "curveRings" : "curvePaths");
        write_part_list(writer, geometry, true);
    }
    writer.member(polygon ? "rings" : "paths");
    write_part_list(writer, geometry, false);
}

}  // namespace

std::string write_geometry_json(const GeometryValue& geometry) {
    JsonWriter writer;
    writer.open_object();
    switch (geometry.type) {
        case geometry_type_point:
            write_point(writer, geometry);
            break;
        case geometry_type_envelope:
            write_envelope(writer, geometry);
            break;
        case geometry_type_multipoint:
            write_multipoint(writer, geometry);
            break;
        default:
            write_multipart(writer, geometry);
    }
    writer.close_object();
    return writer.take();
}

}  // namespace geokern
