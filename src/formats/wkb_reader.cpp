#include "wkb_reader.hpp"

#include <cmath>
#include <string>

#include "curve_members.hpp"
#include "curve_path.hpp"
#include "geometry_type.hpp"
#include "wkb_cursor.hpp"

namespace velmor::formats {
namespace {

constexpr std::uint32_t ewkb_z = 0x80000000U;
constexpr std::uint32_t ewkb_m = 0x40000000U;
constexpr std::uint32_t ewkb_srid = 0x20000000U;
constexpr std::uint32_t ewkb_flags = ewkb_z | ewkb_m | ewkb_srid;

// The smallest encoding of one member, so that a count can be checked before it is trusted.
constexpr std::uint64_t header_bytes = 5;
constexpr std::uint64_t count_bytes = 4;
constexpr std::uint64_t min_point_bytes = header_bytes + 16;
constexpr std::uint64_t min_member_bytes = header_bytes + count_bytes;

struct Header {
    bool little = true;
    GeometryType type = GeometryType::Point;
    Layout layout;
};

class WkbReader {
  public:
    WkbReader(std::span<const std::uint8_t> bytes, GeometryBuilder& builder) : in_(bytes), out_(builder) {}

    Status read() {
        Header header;
        VELMOR_FORMAT_TRY(read_header(header, true));
        VELMOR_FORMAT_TRY(geometry(header));
        if (in_.remaining() != 0) {
            return FormatError::wkb(std::to_string(in_.remaining()) +
                                    " bytes left after the geometry at byte " + std::to_string(in_.offset()));
        }
        return {};
    }

  private:
    Status read_header(Header& header, bool top_level) {
        const std::size_t start = in_.offset();
        std::uint8_t order = 0;
        VELMOR_FORMAT_TRY(in_.byte(order, "byte order"));
        if (order > 1) {
            return FormatError::wkb("byte order " + std::to_string(order) + " at byte " +
                                    std::to_string(start) + " is neither 0 nor 1");
        }
        header.little = order == 1;
        std::uint32_t word = 0;
        VELMOR_FORMAT_TRY(in_.u32(word, header.little, "geometry type"));
        std::uint32_t code = word;
        if ((word & ewkb_flags) != 0) {
            header.layout = Layout{(word & ewkb_z) != 0, (word & ewkb_m) != 0};
            code = word & ~ewkb_flags;
        } else {
            const std::uint32_t dimension = word / 1000;
            header.layout = Layout{dimension == 1 || dimension == 3, dimension == 2 || dimension == 3};
            code = dimension <= 3 ? word % 1000 : 0;
        }
        if (code < first_type_code || code > last_type_code) {
            return FormatError::wkb("unsupported geometry type " + std::to_string(word) + " at byte " +
                                    std::to_string(start + 1));
        }
        header.type = static_cast<GeometryType>(code);
        if ((word & ewkb_srid) != 0) {
            std::uint32_t srid = 0;
            VELMOR_FORMAT_TRY(in_.u32(srid, header.little, "SRID"));
            // Only the outermost SRID names the geometry's reference; nested ones are redundant.
            if (top_level) VELMOR_FORMAT_TRY(out_.srid(static_cast<std::int32_t>(srid)));
        }
        return {};
    }

    Status geometry(const Header& header) {
        switch (header.type) {
            case GeometryType::Point:
                return point(header);
            case GeometryType::LineString:
                return line_string(header, true);
            case GeometryType::Polygon:
                return polygon(header, true);
            case GeometryType::MultiPoint:
                VELMOR_FORMAT_TRY(out_.multipoint_begin());
                VELMOR_FORMAT_TRY(members(header, GeometryType::MultiPoint));
                return out_.multipoint_end();
            case GeometryType::MultiLineString:
                VELMOR_FORMAT_TRY(out_.multilinestring_begin());
                VELMOR_FORMAT_TRY(members(header, GeometryType::MultiLineString));
                return out_.multilinestring_end();
            case GeometryType::MultiPolygon:
                VELMOR_FORMAT_TRY(out_.multipolygon_begin());
                VELMOR_FORMAT_TRY(members(header, GeometryType::MultiPolygon));
                return out_.multipolygon_end();
            case GeometryType::GeometryCollection:
                return collection(header);
            case GeometryType::MultiCurve:
                VELMOR_FORMAT_TRY(out_.multicurve_begin());
                VELMOR_FORMAT_TRY(curve_container(header, curve_members));
                return out_.multicurve_end();
            case GeometryType::MultiSurface:
                VELMOR_FORMAT_TRY(out_.multisurface_begin());
                VELMOR_FORMAT_TRY(curve_container(header, surface_members));
                return out_.multisurface_end();
            default:
                return curved(header, true, not_a_ring);
        }
    }

    // A circular string, compound curve or curve polygon, or a straight member or ring inside one of
    // the curve containers.
    Status curved(const Header& header, bool tagged, std::size_t ring) {
        switch (header.type) {
            case GeometryType::LineString:
                if (ring == not_a_ring) return line_string(header, tagged);
                return straight_ring(header, ring);
            case GeometryType::Polygon:
                return polygon(header, tagged);
            case GeometryType::CircularString:
                return circular_string(header, tagged, ring);
            case GeometryType::CompoundCurve:
                return compound_curve(header, tagged, ring);
            case GeometryType::CurvePolygon:
                return curve_polygon(header, tagged);
            default:
                return FormatError::wkb(std::string("unexpected ") + type_name(header.type));
        }
    }

    // The header of the next member of a curve container, refused unless the rule allows its type.
    Status member_header(const MemberRule& rule, Header& member) {
        const std::size_t start = in_.offset();
        VELMOR_FORMAT_TRY(read_header(member, false));
        if (rule.allows(member.type)) return {};
        return FormatError::wkb(std::string("member at byte ") + std::to_string(start) + " of a " +
                                type_name(rule.container) + " is a " + type_name(member.type));
    }

    // The members of a multicurve or multisurface, or the rings of a curve polygon (`rings`).
    Status curve_container(const Header& header, const MemberRule& rule, bool rings = false) {
        std::uint32_t n = 0;
        VELMOR_FORMAT_TRY(count(header, min_member_bytes, "members", n));
        for (std::uint32_t i = 0; i < n; ++i) {
            Header member;
            VELMOR_FORMAT_TRY(member_header(rule, member));
            VELMOR_FORMAT_TRY(curved(member, false, rings ? i + 1 : not_a_ring));
        }
        return {};
    }

    // The points of one piece of a curve, reported through the path; `n` is how many there were.
    Status path_points(const Header& header, CurvePath& path, std::uint32_t& n) {
        VELMOR_FORMAT_TRY(count(header, 8 * header.layout.size(), "points", n));
        Coordinate c;
        for (std::uint32_t i = 0; i < n; ++i) {
            VELMOR_FORMAT_TRY(coordinate(header, c));
            VELMOR_FORMAT_TRY(path.point(c));
        }
        return {};
    }

    // A circular string or straight ring: one piece, which only an empty curve outside a ring may lack.
    Status single_piece(const Header& header, CurvePath& path, std::size_t ring) {
        VELMOR_FORMAT_TRY(path.piece(header.type, false));
        std::uint32_t n = 0;
        VELMOR_FORMAT_TRY(path_points(header, path, n));
        if (n != 0 || ring != not_a_ring) VELMOR_FORMAT_TRY(path.end_piece());
        if (ring != not_a_ring) return path.closed(ring);
        return {};
    }

    Status straight_ring(const Header& header, std::size_t ring) {
        VELMOR_FORMAT_TRY(out_.linestring_begin(false));
        CurvePath path(out_, FormatError::wkb);
        VELMOR_FORMAT_TRY(single_piece(header, path, ring));
        return out_.linestring_end(false);
    }

    Status circular_string(const Header& header, bool tagged, std::size_t ring) {
        VELMOR_FORMAT_TRY(out_.circularstring_begin(tagged));
        CurvePath path(out_, FormatError::wkb);
        VELMOR_FORMAT_TRY(single_piece(header, path, ring));
        return out_.circularstring_end(tagged);
    }

    Status compound_curve(const Header& header, bool tagged, std::size_t ring) {
        VELMOR_FORMAT_TRY(out_.compoundcurve_begin(tagged));
        CurvePath path(out_, FormatError::wkb);
        std::uint32_t pieces = 0;
        VELMOR_FORMAT_TRY(count(header, min_member_bytes, "pieces", pieces));
        for (std::uint32_t i = 0; i < pieces; ++i) {
            Header piece;
            VELMOR_FORMAT_TRY(member_header(compound_pieces, piece));
            VELMOR_FORMAT_TRY(path.piece(piece.type, true));
            std::uint32_t n = 0;
            VELMOR_FORMAT_TRY(path_points(piece, path, n));
            VELMOR_FORMAT_TRY(path.end_piece());
        }
        if (ring != not_a_ring) VELMOR_FORMAT_TRY(path.closed(ring));
        return out_.compoundcurve_end(tagged);
    }

    Status curve_polygon(const Header& header, bool tagged) {
        VELMOR_FORMAT_TRY(out_.curvepolygon_begin(tagged));
        VELMOR_FORMAT_TRY(curve_container(header, curve_rings, true));
        return out_.curvepolygon_end(tagged);
    }

    // A count field, refused when the bytes left cannot hold that many items of at least `item_bytes`.
    Status count(const Header& header, std::uint64_t item_bytes, const char* items, std::uint32_t& n) {
        const std::size_t start = in_.offset();
        VELMOR_FORMAT_TRY(in_.u32(n, header.little, "count"));
        const std::uint64_t needed = static_cast<std::uint64_t>(n) * item_bytes;
        if (needed > in_.remaining()) {
            return FormatError::wkb(std::to_string(n) + " " + items + " counted at byte " +
                                    std::to_string(start) + " need at least " + std::to_string(needed) +
                                    " bytes, " + std::to_string(in_.remaining()) + " left");
        }
        return {};
    }

    Status coordinate(const Header& header, Coordinate& c) {
        c.layout = header.layout;
        VELMOR_FORMAT_TRY(in_.f64(c.x, header.little));
        VELMOR_FORMAT_TRY(in_.f64(c.y, header.little));
        if (c.layout.has_z) VELMOR_FORMAT_TRY(in_.f64(c.z, header.little));
        if (c.layout.has_m) VELMOR_FORMAT_TRY(in_.f64(c.m, header.little));
        return {};
    }

    static bool all_nan(const Coordinate& c) {
        return std::isnan(c.x) && std::isnan(c.y) && (!c.layout.has_z || std::isnan(c.z)) &&
               (!c.layout.has_m || std::isnan(c.m));
    }

    Status point(const Header& header) {
        Coordinate c;
        VELMOR_FORMAT_TRY(coordinate(header, c));
        if (all_nan(c)) return out_.empty_point();
        VELMOR_FORMAT_TRY(out_.point_begin());
        VELMOR_FORMAT_TRY(out_.coordinate(c));
        return out_.point_end();
    }

    Status points(const Header& header) {
        std::uint32_t n = 0;
        VELMOR_FORMAT_TRY(count(header, 8 * header.layout.size(), "points", n));
        Coordinate c;
        for (std::uint32_t i = 0; i < n; ++i) {
            VELMOR_FORMAT_TRY(coordinate(header, c));
            VELMOR_FORMAT_TRY(out_.coordinate(c));
        }
        return {};
    }

    Status line_string(const Header& header, bool tagged) {
        VELMOR_FORMAT_TRY(out_.linestring_begin(tagged));
        VELMOR_FORMAT_TRY(points(header));
        return out_.linestring_end(tagged);
    }

    Status polygon(const Header& header, bool tagged) {
        VELMOR_FORMAT_TRY(out_.polygon_begin(tagged));
        std::uint32_t rings = 0;
        VELMOR_FORMAT_TRY(count(header, count_bytes, "rings", rings));
        for (std::uint32_t i = 0; i < rings; ++i) {
            VELMOR_FORMAT_TRY(out_.linestring_begin(false));
            VELMOR_FORMAT_TRY(points(header));
            VELMOR_FORMAT_TRY(out_.linestring_end(false));
        }
        return out_.polygon_end(tagged);
    }

    // The members of a multi geometry: each has its own header, of the one type the container allows.
    Status members(const Header& header, GeometryType container) {
        const bool points_inside = container == GeometryType::MultiPoint;
        std::uint32_t n = 0;
        VELMOR_FORMAT_TRY(count(header, points_inside ? min_point_bytes : min_member_bytes, "members", n));
        const GeometryType allowed = static_cast<GeometryType>(static_cast<std::uint32_t>(container) - 3);
        for (std::uint32_t i = 0; i < n; ++i) {
            const std::size_t start = in_.offset();
            Header member;
            VELMOR_FORMAT_TRY(read_header(member, false));
            if (member.type != allowed) {
                return FormatError::wkb(std::string("member at byte ") + std::to_string(start) + " of a " +
                                        type_name(container) + " is a " + type_name(member.type));
            }
            VELMOR_FORMAT_TRY(member_geometry(member, start));
        }
        return {};
    }

    Status member_geometry(const Header& member, std::size_t start) {
        switch (member.type) {
            case GeometryType::Point: {
                Coordinate c;
                VELMOR_FORMAT_TRY(coordinate(member, c));
                if (all_nan(c)) {
                    return FormatError::wkb("empty point at byte " + std::to_string(start) +
                                            " inside a MULTIPOINT is not supported");
                }
                return out_.coordinate(c);
            }
            case GeometryType::LineString:
                return line_string(member, false);
            default:
                return polygon(member, false);
        }
    }

    Status collection(const Header& header) {
        if (++depth_ > max_collection_depth) {
            return FormatError::wkb("GEOMETRYCOLLECTION nested more than " +
                                    std::to_string(max_collection_depth) + " levels deep");
        }
        VELMOR_FORMAT_TRY(out_.geometry_collection_begin());
        std::uint32_t n = 0;
        VELMOR_FORMAT_TRY(count(header, min_member_bytes, "members", n));
        for (std::uint32_t i = 0; i < n; ++i) {
            Header member;
            VELMOR_FORMAT_TRY(read_header(member, false));
            VELMOR_FORMAT_TRY(geometry(member));
        }
        --depth_;
        return out_.geometry_collection_end();
    }

    WkbCursor in_;
    GeometryBuilder& out_;
    int depth_ = 0;
};

}  // namespace

Status read_wkb(std::span<const std::uint8_t> bytes, GeometryBuilder& builder) {
    return WkbReader(bytes, builder).read();
}

}  // namespace velmor::formats
