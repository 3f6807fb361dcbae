#pragma once

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

#include "core/multipoint.hpp"
#include "core/point_value.hpp"
#include "core/polygon.hpp"
#include "core/polyline.hpp"
#include "formats/geometry_builder.hpp"
#include "formats/native/read_part.hpp"

namespace velmor::formats {

// A geometry of the native model, as WKT or WKB reads into it.
using NativeGeometry = std::variant<core::PointValue, core::Polyline, core::Polygon, core::Multipoint>;

// Builds a native geometry straight from the reader's events, with the meaning the OvraJSON form gives
// them: a point is a point; a multipoint a multipoint; line strings, circular strings, compound curves
// and their multi forms a polyline (EMPTY paths left out); polygons, curve polygons and their multi
// forms one polygon whose rings are all the rings read, each outer ring turned clockwise and each hole
// counter-clockwise. A
// geometry with any circular arc keeps all its parts as curve parts. The first coordinate fixes the
// dimensionality and every later one must share it; an EMPTY geometry has no coordinate and is XY.
// An EWKB SRID becomes the spatial reference's wkid. A geometry collection has no class of its own here
// and is refused.
class NativeGeometryBuilder final : public GeometryBuilder {
  public:
    // The geometry read; only after a walk that ended without error.
    NativeGeometry take() { return std::move(*result_); }
    // Ready for the next input. The vertex buffers of the parts read keep their room, so a builder
    // kept for many small inputs reads them without allocating.
    void reset();

    Status srid(std::int32_t value) override;
    Status coordinate(const Coordinate& coordinate) override;
    Status empty_point() override;
    Status point_begin() override { return begin(Kind::Point); }
    Status point_end() override { return end(); }
    Status linestring_begin(bool) override;
    Status linestring_end(bool) override;
    Status polygon_begin(bool) override;
    Status polygon_end(bool) override;
    Status multipoint_begin() override;
    Status multipoint_end() override { return end(); }
    Status multilinestring_begin() override { return begin(Kind::Polyline); }
    Status multilinestring_end() override { return end(); }
    Status multipolygon_begin() override { return begin(Kind::Polygon); }
    Status multipolygon_end() override { return end(); }
    Status geometry_collection_begin() override;
    Status geometry_collection_end() override { return end(); }

    Status arc(const Coordinate& interior, const Coordinate& end) override;
    Status circularstring_begin(bool tagged) override { return linestring_begin(tagged); }
    Status circularstring_end(bool tagged) override { return linestring_end(tagged); }
    Status compoundcurve_begin(bool tagged) override { return linestring_begin(tagged); }
    Status compoundcurve_end(bool tagged) override { return linestring_end(tagged); }
    Status compound_piece(GeometryType) override { return {}; }
    Status curvepolygon_begin(bool tagged) override { return polygon_begin(tagged); }
    Status curvepolygon_end(bool tagged) override { return polygon_end(tagged); }
    Status multicurve_begin() override { return begin(Kind::Polyline); }
    Status multicurve_end() override { return end(); }
    Status multisurface_begin() override { return begin(Kind::Polygon); }
    Status multisurface_end() override { return end(); }

  private:
    enum class Kind { Point, Multipoint, Polyline, Polygon };

    // The outermost begin decides the class; nested ones only deepen.
    Status begin(Kind kind);
    Status end();
    // Every coordinate passes here: the common case, the layout already seen, stays inline.
    Status check_layout(const Layout& layout) {
        if (layout_ && *layout_ == layout) return {};
        return first_or_other_layout(layout);
    }
    Status first_or_other_layout(const Layout& layout);
    Status finish();
    core::Dims dims() const;
    std::optional<core::SpatialReference> spatial_reference() const;
    template <class Geometry>
    Status finish_multipart();

    std::optional<Kind> kind_;
    int depth_ = 0;
    std::optional<Layout> layout_;
    std::optional<std::uint32_t> wkid_;
    core::PointValue point_;
    void open_part();

    // The parts of this geometry are the first used_; the others are kept for their room.
    std::vector<ReadPart> parts_;
    std::size_t used_ = 0;
    bool has_arcs_ = false;
    // Inside a polygon: whether the next ring is its first, the outer one.
    bool next_ring_outer_ = false;
    bool in_polygon_ = false;
    std::optional<NativeGeometry> result_;
};

}  // namespace velmor::formats
