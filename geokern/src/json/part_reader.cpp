#include "json/part_reader.hpp"

#include <string>

#include "json/json_values.hpp"
#include "json/segment_reader.hpp"

namespace geokern {

PartValue empty_part(JsonDims dims, rapidjson::SizeType points) {
    PartValue part;
    part.has_z = dims.has_z;
    part.has_m = dims.has_m;
    part.xs.reserve(points);
    part.ys.reserve(points);
    if (dims.has_z) part.zs.reserve(points);
    if (dims.has_m) part.ms.reserve(points);
    return part;
}

void append_vertex(const rapidjson::Value& vertex, PartValue& part, const JsonLocation& where) {
    if (!vertex.IsArray()) refuse_json(where, std::string("expected a vertex array, got ") + json_type_name(vertex));
    const rapidjson::SizeType size = vertex.Size();
    if (size < 2) refuse_json(where, "a vertex needs at least two numbers, got " + std::to_string(size));
    part.xs.push_back(read_number(vertex[0], where.element(0)));
    part.ys.push_back(read_number(vertex[1], where.element(1)));
    rapidjson::SizeType next = 2;
    auto optional_item = [&] {
        const rapidjson::SizeType item = next++;
        return item < size ? read_number(vertex[item], where.element(item)) : nan_value;
    };
    if (part.has_z) part.zs.push_back(optional_item());
    if (part.has_m) part.ms.push_back(optional_item());
}

PartValue read_linear_part(const rapidjson::Value& vertices, JsonDims dims, const JsonLocation& where) {
    require_array(vertices, where, "an array of vertices");
    PartValue part = empty_part(dims, vertices.Size());
    for (rapidjson::SizeType i = 0; i < vertices.Size(); ++i) append_vertex(vertices[i], part, where.element(i));
    return part;
}

namespace {

void append_segment(const rapidjson::Value& segment, PartValue& part, const JsonLocation& where) {
    const SegmentItems items = segment_items(segment, where);
    const JsonLocation items_where = where.member(items.kind == 'c' ? "c" : items.kind == 'a' ? "a" : "b");
    const Vertex start = part.point(part.point_count() - 1);
    append_vertex((*items.items)[0], part, items_where.element(0));
    const int64_t segment_index = part.point_count() - 2;
    std::optional<Curve> shape =
        read_segment_shape(*items.items, items.kind, start, part.point(segment_index + 1), items_where);
    if (shape) part.curves.push_back(CurveEntry{segment_index, std::move(*shape)});
}

}  // namespace

PartValue read_curve_part(const rapidjson::Value& items, JsonDims dims, const JsonLocation& where) {
    require_array(items, where, "an array of vertices and segments");
    PartValue part = empty_part(dims, items.Size());
    for (rapidjson::SizeType i = 0; i < items.Size(); ++i) {
        const rapidjson::Value& item = items[i];
        if (item.IsObject()) {
            if (i == 0) refuse_json(where.element(0), "a part must start with a vertex, not a curve");
            append_segment(item, part, where.element(i));
        } else {
            append_vertex(item, part, where.element(i));
        }
    }
    return part;
}

}  // namespace geokern
