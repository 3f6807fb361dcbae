#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "event_tree.hpp"

namespace velmor::formats::fuzz {

// Writes a recorded tree back as WKT, so that reading the text again must give the same tree.
class WktWriter {
  public:
    static std::string write(const Node& node) {
        std::string out;
        geometry(node, out);
        return out;
    }

  private:
    static const char* name(Node::Kind kind) {
        constexpr const char* names[] = {
            "POINT",          "POINT",         "LINESTRING",   "POLYGON",    "MULTIPOINT",
            "MULTILINESTRING", "MULTIPOLYGON", "GEOMETRYCOLLECTION", "CIRCULARSTRING", "COMPOUNDCURVE",
            "CURVEPOLYGON",   "MULTICURVE",    "MULTISURFACE"};
        return names[static_cast<int>(kind)];
    }

    // The layout a geometry's text gives its coordinates: a dimension keyword, or none, where each
    // coordinate's count of values says (3 values read as Z, 4 as ZM).
    using Written = std::optional<Layout>;

    // Members of these are read bare and always take the container's layout; members of the curve
    // containers may carry a dimension keyword of their own.
    static bool members_inherit(Node::Kind kind) {
        return kind == Node::Kind::Polygon || kind == Node::Kind::MultiLineString ||
               kind == Node::Kind::MultiPolygon || kind == Node::Kind::MultiPoint;
    }

    // The layouts of the coordinates that take this geometry's layout from its own header.
    static void inheriting_layouts(const Node& node, std::vector<Layout>& out) {
        for (const auto& c : node.coordinates) out.push_back(c.layout);
        if (!members_inherit(node.kind)) return;
        for (const auto& child : node.children) inheriting_layouts(child, out);
    }

    // The keyword to write, if any, so that the coordinates read back with the layouts they were read
    // with, given what the surrounding text gives them.
    static std::optional<Layout> keyword_for(const Node& node, Written inherited) {
        std::vector<Layout> layouts;
        inheriting_layouts(node, layouts);
        if (layouts.empty()) return std::nullopt;
        const Layout first = layouts.front();
        for (const Layout& layout : layouts) {
            if (layout != first) return std::nullopt;  // only free counts can mix layouts
        }
        if (inherited ? *inherited == first : !(first.has_m && !first.has_z)) return std::nullopt;
        if (!first.has_z && !first.has_m) return std::nullopt;  // no keyword says XY
        return first;
    }

    static void keyword(Layout layout, std::string& out) {
        out += layout.has_z ? (layout.has_m ? " ZM" : " Z") : " M";
    }

    static void geometry(const Node& node, std::string& out, Written inherited = std::nullopt) {
        out += name(node.kind);
        if (node.kind == Node::Kind::EmptyPoint) {
            out += " EMPTY";
            return;
        }
        const auto own = keyword_for(node, inherited);
        if (own) keyword(*own, out);
        out += ' ';
        body(node, out, own ? own : inherited);
    }

    static void body(const Node& node, std::string& out, Written layout) {
        switch (node.kind) {
            case Node::Kind::Point:
                out += '(';
                coordinate(node.coordinates.at(0), out);
                out += ')';
                return;
            case Node::Kind::LineString:
            case Node::Kind::CircularString:
                return coordinates(node, out, false);
            case Node::Kind::MultiPoint:
                return coordinates(node, out, true);
            case Node::Kind::Collection:
                if (node.children.empty()) {
                    out += "EMPTY";
                    return;
                }
                out += '(';
                for (std::size_t i = 0; i < node.children.size(); ++i) {
                    if (i != 0) out += ", ";
                    geometry(node.children[i], out, layout);
                }
                out += ')';
                return;
            default:  // polygon, multi line string, multipolygon and the curve containers
                if (node.children.empty()) {
                    out += "EMPTY";
                    return;
                }
                out += '(';
                for (std::size_t i = 0; i < node.children.size(); ++i) {
                    if (i != 0) out += ", ";
                    member(node.children[i], out, layout, members_inherit(node.kind));
                }
                out += ')';
        }
    }

    // An untagged member: bare when it is a line string or polygon that takes the container's layout,
    // else named, with its own dimension keyword where it needs one.
    static void member(const Node& node, std::string& out, Written inherited, bool inherits) {
        const auto own = inherits ? std::nullopt : keyword_for(node, inherited);
        if (own || (node.kind != Node::Kind::LineString && node.kind != Node::Kind::Polygon)) {
            out += name(node.kind);
            if (own) keyword(*own, out);
            out += ' ';
        }
        body(node, out, own ? own : inherited);
    }

    static void coordinates(const Node& node, std::string& out, bool parenthesized) {
        if (node.coordinates.empty()) {
            out += "EMPTY";
            return;
        }
        out += '(';
        for (std::size_t i = 0; i < node.coordinates.size(); ++i) {
            if (i != 0) out += ", ";
            if (parenthesized) out += '(';
            coordinate(node.coordinates[i], out);
            if (parenthesized) out += ')';
        }
        out += ')';
    }

    static void coordinate(const Coordinate& c, std::string& out) {
        number(c.x, out);
        out += ' ';
        number(c.y, out);
        if (c.layout.has_z) {
            out += ' ';
            number(c.z, out);
        }
        if (c.layout.has_m) {
            out += ' ';
            number(c.m, out);
        }
    }

    static void number(double v, std::string& out) {
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%.17g", v);
        out += buffer;
    }
};

// Writes a recorded tree back as little-endian WKB: ISO headers, or an EWKB header with the SRID at the
// top. Each geometry takes the layout of its first coordinate, as the reader gives every coordinate of
// one WKB geometry the layout of its header.
class WkbWriter {
  public:
    static std::vector<std::uint8_t> write(const Node& node, std::optional<std::int32_t> srid) {
        std::vector<std::uint8_t> out;
        geometry(node, srid, out);
        return out;
    }

  private:
    static std::optional<Layout> first_layout(const Node& node) {
        if (!node.coordinates.empty()) return node.coordinates.front().layout;
        for (const auto& child : node.children) {
            if (child.tagged || child.kind == Node::Kind::Collection) continue;
            if (auto layout = first_layout(child)) return layout;
        }
        return std::nullopt;
    }

    template <class T>
    static void put(T value, std::vector<std::uint8_t>& out) {
        std::uint8_t bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        out.insert(out.end(), bytes, bytes + sizeof(T));
    }

    static void header(std::uint32_t code, Layout layout, std::optional<std::int32_t> srid,
                       std::vector<std::uint8_t>& out) {
        out.push_back(1);
        if (srid) {
            put<std::uint32_t>(
                code | 0x20000000U | (layout.has_z ? 0x80000000U : 0) | (layout.has_m ? 0x40000000U : 0),
                out);
            put<std::int32_t>(*srid, out);
            return;
        }
        put<std::uint32_t>(code + (layout.has_z ? 1000 : 0) + (layout.has_m ? 2000 : 0), out);
    }

    static void coordinate(const Coordinate& c, std::vector<std::uint8_t>& out) {
        put(c.x, out);
        put(c.y, out);
        if (c.layout.has_z) put(c.z, out);
        if (c.layout.has_m) put(c.m, out);
    }

    static void points(const Node& node, std::vector<std::uint8_t>& out) {
        put<std::uint32_t>(static_cast<std::uint32_t>(node.coordinates.size()), out);
        for (const auto& c : node.coordinates) coordinate(c, out);
    }

    // Containers whose members are whole geometries with their own headers.
    static std::uint32_t container_code(Node::Kind kind) {
        switch (kind) {
            case Node::Kind::MultiLineString:
                return 5;
            case Node::Kind::MultiPolygon:
                return 6;
            case Node::Kind::CompoundCurve:
                return 9;
            case Node::Kind::CurvePolygon:
                return 10;
            case Node::Kind::MultiCurve:
                return 11;
            case Node::Kind::MultiSurface:
                return 12;
            default:
                return 7;
        }
    }

    static void geometry(const Node& node, std::optional<std::int32_t> srid, std::vector<std::uint8_t>& out) {
        const Layout layout = first_layout(node).value_or(Layout{});
        switch (node.kind) {
            case Node::Kind::EmptyPoint: {
                header(1, {}, srid, out);
                const double nan = __builtin_nan("");
                put(nan, out);
                put(nan, out);
                return;
            }
            case Node::Kind::Point:
                header(1, layout, srid, out);
                return coordinate(node.coordinates.at(0), out);
            case Node::Kind::LineString:
            case Node::Kind::CircularString:
                header(node.kind == Node::Kind::LineString ? 2 : 8, layout, srid, out);
                return points(node, out);
            case Node::Kind::Polygon:
                header(3, layout, srid, out);
                put<std::uint32_t>(static_cast<std::uint32_t>(node.children.size()), out);
                for (const auto& ring : node.children) points(ring, out);
                return;
            case Node::Kind::MultiPoint:
                header(4, layout, srid, out);
                put<std::uint32_t>(static_cast<std::uint32_t>(node.coordinates.size()), out);
                for (const auto& c : node.coordinates) {
                    header(1, c.layout, std::nullopt, out);
                    coordinate(c, out);
                }
                return;
            default:
                header(container_code(node.kind), layout, srid, out);
                put<std::uint32_t>(static_cast<std::uint32_t>(node.children.size()), out);
                for (const auto& child : node.children) geometry(child, std::nullopt, out);
        }
    }
};

}  // namespace velmor::formats::fuzz
