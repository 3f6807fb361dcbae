#pragma once

#include <optional>

#include "dict_builder.hpp"

namespace velmor::py::utils {

// Builds an OvraJSON geometry dictionary from the event stream: points as "x"/"y"/"z"/"m", line
// strings and multi line strings as "paths", polygons and multipolygons as one flat "rings" list
// (first ring of each polygon clockwise, later rings counter-clockwise), multipoints as "points",
// each with "hasM"/"hasZ" from the first coordinate and "spatialReference" {"wkid": srid}. All
// coordinates of a geometry must share one layout. OvraJSON has no geometry collection.
// A geometry with circular arcs puts all its parts into "curvePaths" or "curveRings" instead, each arc
// a segment {"c": [end, interior]} and straight segments plain positions; a curved ring that runs the
// wrong way is reversed segment by segment.
class OvraJsonBuilder final : public DictBuilder {
  public:
    using DictBuilder::DictBuilder;

    formats::Status coordinate(const formats::Coordinate& c) override;
    formats::Status empty_point() override;
    formats::Status point_begin() override;
    formats::Status point_end() override;
    formats::Status linestring_begin(bool tagged) override;
    formats::Status linestring_end(bool tagged) override;
    formats::Status polygon_begin(bool tagged) override;
    formats::Status polygon_end(bool tagged) override;
    formats::Status multipoint_begin() override;
    formats::Status multipoint_end() override;
    formats::Status multilinestring_begin() override;
    formats::Status multilinestring_end() override;
    formats::Status multipolygon_begin() override;
    formats::Status multipolygon_end() override;
    formats::Status geometry_collection_begin() override;
    formats::Status geometry_collection_end() override;
    formats::Status arc(const formats::Coordinate& interior, const formats::Coordinate& end) override;

  private:
    enum class RingState { NotInPolygon, FirstRing, LaterRing };

    formats::Status point_dict(const formats::Coordinate& c);
    formats::Status check_layout(const formats::Layout& layout);
    formats::Status open_list();
    formats::Status orient(PyObject* ring) const;
    // Pops the parts list and finishes {parts_key: list, "hasM", "hasZ"} (or "hasM", "hasZ", "points").
    formats::Status finish_parts(PyObject* parts_key);
    formats::Status finish(Ref geometry);

    std::optional<bool> has_z_;
    std::optional<bool> has_m_;
    RingState ring_state_ = RingState::NotInPolygon;
    bool part_has_arcs_ = false;
    bool geometry_has_arcs_ = false;
};

}  // namespace velmor::py::utils
