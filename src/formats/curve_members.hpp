#pragma once

#include <cstddef>
#include <cstdint>

#include "geometry_type.hpp"

namespace velmor::formats {

constexpr std::uint32_t type_bit(GeometryType type) {
    return 1U << static_cast<std::uint32_t>(type);
}

// What the curve containers hold: the type a bare member has in WKT and the types a member may have.
struct MemberRule {
    GeometryType container;
    GeometryType bare;
    std::uint32_t allowed;  // type_bit of each allowed member type

    constexpr bool allows(GeometryType type) const { return (allowed & type_bit(type)) != 0; }
};

inline constexpr std::uint32_t curve_types = type_bit(GeometryType::LineString) |
                                             type_bit(GeometryType::CircularString) |
                                             type_bit(GeometryType::CompoundCurve);

inline constexpr MemberRule compound_pieces{
    GeometryType::CompoundCurve, GeometryType::LineString,
    type_bit(GeometryType::LineString) | type_bit(GeometryType::CircularString)};
inline constexpr MemberRule curve_rings{GeometryType::CurvePolygon, GeometryType::LineString, curve_types};
inline constexpr MemberRule curve_members{GeometryType::MultiCurve, GeometryType::LineString, curve_types};
inline constexpr MemberRule surface_members{
    GeometryType::MultiSurface, GeometryType::Polygon,
    type_bit(GeometryType::Polygon) | type_bit(GeometryType::CurvePolygon)};

// Rings of a curve polygon are numbered from 1 in messages; 0 marks a curve that is no ring.
inline constexpr std::size_t not_a_ring = 0;

}  // namespace velmor::formats
