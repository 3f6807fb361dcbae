#include "json/segment_reader.hpp"

#include <string>

#include "failure.hpp"
#include "json/json_values.hpp"

namespace geokern {
namespace {

Vertex read_xy(const rapidjson::Value& point, const JsonLocation& where) {
    require_array(point, where, "a point [x, y]");
    if (point.Size() < 2) refuse_json(where, "a point needs two numbers, got " + std::to_string(point.Size()));
    return Vertex{read_number(point[0], where.element(0)), read_number(point[1], where.element(1))};
}

void require_items(const rapidjson::Value& items, rapidjson::SizeType count, const char* form,
                   const JsonLocation& where) {
    if (items.Size() < count) {
        refuse_json(where, std::string("expected ") + form + ", got " + std::to_string(items.Size()) + " items");
    }
}

Curve circular_around_center(const rapidjson::Value& items, const Vertex& start, const Vertex& end,
                             const JsonLocation& where) {
    const Vertex center = read_xy(items[1], where.element(1));
    const bool minor = read_flag(items[2], where.element(2));
    const bool clockwise = read_flag(items[3], where.element(3));
    return circular_arc_with_center(start, end, center, minor, !clockwise);
}

Curve elliptic(const rapidjson::Value& items, const Vertex& start, const Vertex& end, const JsonLocation& where) {
    read_xy(items[1], where.element(1));  // checked; the arc's centre follows from its ends and shape
    const bool minor = read_flag(items[2], where.element(2));
    const bool clockwise = read_flag(items[3], where.element(3));
    const double rotation = read_number(items[4], where.element(4));
    const double axis = read_number(items[5], where.element(5));
    const double ratio = read_number(items[6], where.element(6));
    return arc_from_endpoints(start, end, rotation, minor, !clockwise, axis, ratio);
}

std::optional<Curve> shape(const rapidjson::Value& items, char kind, const Vertex& start, const Vertex& end,
                           const JsonLocation& where) {
    switch (kind) {
        case 'c': {
            require_items(items, 2, "[end, interior]", where);
            std::optional<EllipticArc> arc = circular_arc_through(start, end, read_xy(items[1], where.element(1)));
            if (!arc) return std::nullopt;
            return Curve{*arc};
        }
        case 'a':
            if (items.Size() == 4) return circular_around_center(items, start, end, where);
            if (items.Size() == 7) return elliptic(items, start, end, where);
            refuse_json(where, "expected [end, centre, minor, clockwise] or [end, centre, minor, clockwise, "
                               "rotation, axis, ratio], got " + std::to_string(items.Size()) + " items");
        default: {
            require_items(items, 3, "[end, control1, control2]", where);
            const Vertex c1 = read_xy(items[1], where.element(1));
            const Vertex c2 = read_xy(items[2], where.element(2));
            return Curve{CubicBezier{c1.x, c1.y, c2.x, c2.y}};
        }
    }
}

}  // namespace

SegmentItems segment_items(const rapidjson::Value& segment, const JsonLocation& where) {
    for (const char* key : {"c", "a", "b"}) {
        const rapidjson::Value* items = find_member(segment, key);
        if (items == nullptr) continue;
        require_array(*items, where.member(key), "an array");
        if (items->Empty()) refuse_json(where.member(key), "a segment needs its end vertex");
        return SegmentItems{key[0], items};
    }
    refuse_json(where, "a segment object needs a \"c\", \"a\" or \"b\" member");
}

std::optional<Curve> read_segment_shape(const rapidjson::Value& items, char kind, const Vertex& start,
                                        const Vertex& end, const JsonLocation& where) {
    try {
        return shape(items, kind, start, end, where);
    } catch (const JsonRefusal&) {
        throw;
    } catch (const Failure& failure) {
        // The geometry's own checks (an end point off the circle, a bad axis) name no place in the text.
        refuse_json(where, failure.additional_message);
    }
}

}  // namespace geokern
