#include "wkt_parser.hpp"

#include <array>
#include <optional>
#include <string>

#include "curve_members.hpp"
#include "curve_path.hpp"
#include "geometry_type.hpp"
#include "wkt_scanner.hpp"

namespace velmor::formats {
namespace {

constexpr const char* invalid_format = "Invalid WKT format";
constexpr const char* missing_open = "Missing open parenthesis for type";
constexpr const char* missing_close = "Missing closing parenthesis for type";
constexpr const char* expected_member_word = "Expected a word in GEOMETRYCOLLECTION";

// A dimension given by keyword; none means each coordinate brings its own.
using FixedLayout = std::optional<Layout>;

std::optional<Layout> dimension_keyword(std::string_view word) {
    if (word.empty()) return Layout{};
    if (same_keyword(word, "Z")) return Layout{true, false};
    if (same_keyword(word, "M")) return Layout{false, true};
    if (same_keyword(word, "ZM")) return Layout{true, true};
    return std::nullopt;
}

struct TypeWord {
    GeometryType type;
    FixedLayout layout;  // from a suffix glued to the type word (POINTZ, LINESTRINGZM)
};

// A type keyword, alone or with its dimension glued on.
std::optional<TypeWord> type_word(std::string_view word) {
    for (std::uint32_t code = first_type_code; code <= last_type_code; ++code) {
        const auto type = static_cast<GeometryType>(code);
        const std::string_view name = type_name(type);
        if (word.size() < name.size() || !same_keyword(word.substr(0, name.size()), name)) continue;
        const std::string_view suffix = word.substr(name.size());
        const auto layout = dimension_keyword(suffix);
        if (!layout) continue;
        return TypeWord{type, suffix.empty() ? FixedLayout{} : layout};
    }
    return std::nullopt;
}

// The type, dimension and emptiness read before a geometry's body.
struct Opening {
    GeometryType type;
    FixedLayout layout;
    bool empty = false;
};

// A word of the input as quoted in a message, cut short so hostile input cannot blow up the message.
std::string excerpt(std::string_view word) {
    constexpr std::size_t limit = 40;
    if (word.size() <= limit) return std::string(word);
    return std::string(word.substr(0, limit)) + "...";
}

class WktParser {
  public:
    WktParser(std::string_view text, GeometryBuilder& builder) : in_(text), out_(builder) {}

    Status parse() {
        if (!in_.word_ahead()) return FormatError::geometry(invalid_format);
        VELMOR_FORMAT_TRY(geometry(FixedLayout{}));
        if (!in_.at_end()) return FormatError::geometry("Unexpected text after the geometry");
        return {};
    }

  private:
    // A whole tagged geometry: type word, optional dimension, then EMPTY or its body.
    Status geometry(FixedLayout inherited) {
        const std::string_view word = in_.word();
        const auto type = type_word(word);
        if (!type) return FormatError::geometry("Unknown geometry type '" + excerpt(word) + "'");
        Opening opening;
        VELMOR_FORMAT_TRY(open_geometry(*type, inherited, opening));
        return body(opening.type, opening.layout, opening.empty);
    }

    // The optional dimension keyword and EMPTY after a type word.
    Status open_geometry(const TypeWord& type, FixedLayout inherited, Opening& opening) {
        opening = Opening{type.type, type.layout ? type.layout : inherited};
        if (!type.layout && in_.word_ahead()) {
            const std::string_view next = in_.word();
            if (same_keyword(next, "EMPTY")) {
                opening.empty = true;
            } else if (const auto keyword = dimension_keyword(next)) {
                opening.layout = keyword;
            } else {
                return FormatError::geometry(missing_open);
            }
        }
        if (!opening.empty) VELMOR_FORMAT_TRY(empty_keyword(opening.empty));
        return {};
    }

    // A member of a curve container: a bare "(...)" or EMPTY of the rule's bare type, or a named type
    // the rule allows, with its own dimension keyword if it has one.
    Status open_member(FixedLayout layout, const MemberRule& rule, Opening& opening) {
        if (in_.peek() == '(') {
            opening = Opening{rule.bare, layout};
            return {};
        }
        if (!in_.word_ahead()) return FormatError::geometry(missing_open);
        const std::string_view word = in_.word();
        if (same_keyword(word, "EMPTY")) {
            opening = Opening{rule.bare, layout, true};
            return {};
        }
        const auto type = type_word(word);
        if (!type || !rule.allows(type->type)) {
            return FormatError::geometry("Unexpected '" + excerpt(word) + "' in a " + type_name(rule.container));
        }
        return open_geometry(*type, layout, opening);
    }

    // Reads EMPTY when it follows; anything else must then open a parenthesis.
    Status empty_keyword(bool& empty) {
        if (!in_.word_ahead()) {
            empty = false;
            return {};
        }
        if (!same_keyword(in_.word(), "EMPTY")) return FormatError::geometry(missing_open);
        empty = true;
        return {};
    }

    Status body(GeometryType type, FixedLayout layout, bool empty) {
        switch (type) {
            case GeometryType::Point:
                if (empty) return out_.empty_point();
                return point(layout);
            case GeometryType::LineString:
                return line_string(layout, true, empty);
            case GeometryType::Polygon:
                return polygon(layout, true, empty);
            case GeometryType::MultiPoint:
                VELMOR_FORMAT_TRY(out_.multipoint_begin());
                if (!empty) VELMOR_FORMAT_TRY(list([&] { return multipoint_member(layout); }));
                return out_.multipoint_end();
            case GeometryType::MultiLineString:
                VELMOR_FORMAT_TRY(out_.multilinestring_begin());
                if (!empty)
                    VELMOR_FORMAT_TRY(list([&] { return member_text(layout, &WktParser::line_string); }));
                return out_.multilinestring_end();
            case GeometryType::MultiPolygon:
                VELMOR_FORMAT_TRY(out_.multipolygon_begin());
                if (!empty) VELMOR_FORMAT_TRY(list([&] { return member_text(layout, &WktParser::polygon); }));
                return out_.multipolygon_end();
            case GeometryType::GeometryCollection:
                return collection(layout, empty);
            case GeometryType::MultiCurve:
                VELMOR_FORMAT_TRY(out_.multicurve_begin());
                if (!empty) VELMOR_FORMAT_TRY(list([&] { return curve_member(layout, curve_members); }));
                return out_.multicurve_end();
            case GeometryType::MultiSurface:
                VELMOR_FORMAT_TRY(out_.multisurface_begin());
                if (!empty) VELMOR_FORMAT_TRY(list([&] { return curve_member(layout, surface_members); }));
                return out_.multisurface_end();
            default:
                return curved(Opening{type, layout, empty}, true, not_a_ring);
        }
    }

    // A circular string, compound curve or curve polygon, or a straight ring or member inside one of
    // the curve containers.
    Status curved(const Opening& opening, bool tagged, std::size_t ring) {
        switch (opening.type) {
            case GeometryType::LineString:
                if (ring == not_a_ring) return line_string(opening.layout, tagged, opening.empty);
                return straight_ring(opening, ring);
            case GeometryType::Polygon:
                return polygon(opening.layout, tagged, opening.empty);
            case GeometryType::CircularString:
                return circular_string(opening, tagged, ring);
            case GeometryType::CompoundCurve:
                return compound_curve(opening, tagged, ring);
            case GeometryType::CurvePolygon:
                return curve_polygon(opening, tagged);
            default:
                return FormatError::geometry(invalid_format);
        }
    }

    Status curve_member(FixedLayout layout, const MemberRule& rule) {
        Opening opening;
        VELMOR_FORMAT_TRY(open_member(layout, rule, opening));
        return curved(opening, false, not_a_ring);
    }

    // The points of one piece of a curve, reported through the path.
    Status path_points(const Opening& opening, CurvePath& path) {
        if (opening.empty) return {};
        return list([&] { return path_point(opening.layout, path); });
    }

    Status path_point(FixedLayout layout, CurvePath& path) {
        Coordinate c;
        VELMOR_FORMAT_TRY(read_coordinate(layout, c));
        return path.point(c);
    }

    Status single_piece(const Opening& opening, CurvePath& path, std::size_t ring) {
        VELMOR_FORMAT_TRY(path.piece(opening.type, false));
        if (!opening.empty || ring != not_a_ring) {
            VELMOR_FORMAT_TRY(path_points(opening, path));
            VELMOR_FORMAT_TRY(path.end_piece());
        }
        if (ring != not_a_ring) return path.closed(ring);
        return {};
    }

    Status straight_ring(const Opening& opening, std::size_t ring) {
        VELMOR_FORMAT_TRY(out_.linestring_begin(false));
        CurvePath path(out_, FormatError::geometry);
        VELMOR_FORMAT_TRY(single_piece(opening, path, ring));
        return out_.linestring_end(false);
    }

    Status circular_string(const Opening& opening, bool tagged, std::size_t ring) {
        VELMOR_FORMAT_TRY(out_.circularstring_begin(tagged));
        CurvePath path(out_, FormatError::geometry);
        VELMOR_FORMAT_TRY(single_piece(opening, path, ring));
        return out_.circularstring_end(tagged);
    }

    Status compound_curve(const Opening& opening, bool tagged, std::size_t ring) {
        VELMOR_FORMAT_TRY(out_.compoundcurve_begin(tagged));
        CurvePath path(out_, FormatError::geometry);
        if (!opening.empty) VELMOR_FORMAT_TRY(list([&] { return compound_piece(opening.layout, path); }));
        if (ring != not_a_ring) VELMOR_FORMAT_TRY(path.closed(ring));
        return out_.compoundcurve_end(tagged);
    }

    Status compound_piece(FixedLayout layout, CurvePath& path) {
        Opening piece;
        VELMOR_FORMAT_TRY(open_member(layout, compound_pieces, piece));
        VELMOR_FORMAT_TRY(path.piece(piece.type, true));
        VELMOR_FORMAT_TRY(path_points(piece, path));
        return path.end_piece();
    }

    Status curve_polygon(const Opening& opening, bool tagged) {
        VELMOR_FORMAT_TRY(out_.curvepolygon_begin(tagged));
        std::size_t rings = 0;
        if (!opening.empty) VELMOR_FORMAT_TRY(list([&] { return curve_ring(opening.layout, ++rings); }));
        return out_.curvepolygon_end(tagged);
    }

    Status curve_ring(FixedLayout layout, std::size_t ring) {
        Opening member;
        VELMOR_FORMAT_TRY(open_member(layout, curve_rings, member));
        return curved(member, false, ring);
    }

    // "(" item {"," item} ")"
    template <class Item>
    Status list(Item&& item) {
        if (!in_.consume('(')) return FormatError::geometry(missing_open);
        do {
            VELMOR_FORMAT_TRY(item());
        } while (in_.consume(','));
        if (!in_.consume(')')) return FormatError::geometry(missing_close);
        return {};
    }

    Status point(FixedLayout layout) {
        VELMOR_FORMAT_TRY(out_.point_begin());
        if (!in_.consume('(')) return FormatError::geometry(missing_open);
        VELMOR_FORMAT_TRY(coordinate(layout));
        if (!in_.consume(')')) return FormatError::geometry(missing_close);
        return out_.point_end();
    }

    Status line_string(FixedLayout layout, bool tagged, bool empty) {
        VELMOR_FORMAT_TRY(out_.linestring_begin(tagged));
        if (!empty) VELMOR_FORMAT_TRY(list([&] { return coordinate(layout); }));
        return out_.linestring_end(tagged);
    }

    Status polygon(FixedLayout layout, bool tagged, bool empty) {
        VELMOR_FORMAT_TRY(out_.polygon_begin(tagged));
        if (!empty) VELMOR_FORMAT_TRY(list([&] { return member_text(layout, &WktParser::line_string); }));
        return out_.polygon_end(tagged);
    }

    // An untagged member of a multi geometry or a ring: EMPTY or its parenthesized text.
    Status member_text(FixedLayout layout, Status (WktParser::*member)(FixedLayout, bool, bool)) {
        bool empty = false;
        VELMOR_FORMAT_TRY(empty_keyword(empty));
        return (this->*member)(layout, false, empty);
    }

    // Both forms: MULTIPOINT ((1 2), (3 4)) and MULTIPOINT (1 2, 3 4), even mixed.
    Status multipoint_member(FixedLayout layout) {
        if (in_.consume('(')) {
            VELMOR_FORMAT_TRY(coordinate(layout));
            if (!in_.consume(')')) return FormatError::geometry(missing_close);
            return {};
        }
        if (!in_.number_ahead() && in_.word_ahead()) {
            if (same_keyword(in_.word(), "EMPTY")) {
                return FormatError::geometry("An empty point inside a MULTIPOINT is not supported");
            }
            return FormatError::geometry("Expected a number for the X coordinate");
        }
        return coordinate(layout);
    }

    Status collection(FixedLayout layout, bool empty) {
        if (++depth_ > max_collection_depth) {
            return FormatError::geometry("GEOMETRYCOLLECTION nested more than " +
                                         std::to_string(max_collection_depth) + " levels deep");
        }
        VELMOR_FORMAT_TRY(out_.geometry_collection_begin());
        if (!empty) {
            VELMOR_FORMAT_TRY(list([&]() -> Status {
                if (!in_.word_ahead()) return FormatError::geometry(expected_member_word);
                return geometry(layout);
            }));
        }
        --depth_;
        return out_.geometry_collection_end();
    }

    Status coordinate(FixedLayout layout) {
        Coordinate c;
        VELMOR_FORMAT_TRY(read_coordinate(layout, c));
        return out_.coordinate(c);
    }

    Status read_coordinate(FixedLayout layout, Coordinate& c) {
        static constexpr std::array<const char*, 4> axis_names = {"X", "Y", "Z", "M"};
        std::array<double, 4> values{};
        const std::size_t wanted = layout ? layout->size() : 2;
        std::size_t count = 0;
        for (; count < wanted; ++count) {
            VELMOR_FORMAT_TRY(number(values[count], axis_names[axis_index(layout, count)]));
        }
        while (!layout && count < 4 && in_.number_ahead()) {
            VELMOR_FORMAT_TRY(number(values[count], axis_names[count == 2 ? 2 : 3]));
            ++count;
        }
        if (in_.number_ahead()) {
            return FormatError::geometry(layout ? "Too many values in a coordinate for the declared dimension"
                                                : "A coordinate has at most 4 values");
        }
        c = Coordinate{values[0], values[1], 0, 0, layout.value_or(Layout{count >= 3, count == 4})};
        if (c.layout.has_z) c.z = values[2];
        if (c.layout.has_m) c.m = values[c.layout.has_z ? 3 : 2];
        return {};
    }

    // Which axis the value at `index` is: x, y, then z or m as the layout declares.
    static std::size_t axis_index(FixedLayout layout, std::size_t index) {
        if (index < 2 || !layout) return index;
        if (index == 2) return layout->has_z ? 2 : 3;
        return 3;
    }

    Status number(double& value, const char* axis) {
        switch (in_.number(value)) {
            case WktScanner::NumberRead::Ok:
                return {};
            case WktScanner::NumberRead::Missing:
                return FormatError::geometry(std::string("Expected a number for the ") + axis +
                                             " coordinate");
            case WktScanner::NumberRead::Invalid:
                break;
        }
        return FormatError::geometry(std::string("Invalid number for the ") + axis + " coordinate");
    }

    WktScanner in_;
    GeometryBuilder& out_;
    int depth_ = 0;
};

}  // namespace

Status parse_wkt(std::string_view text, GeometryBuilder& builder) {
    return WktParser(text, builder).parse();
}

}  // namespace velmor::formats
