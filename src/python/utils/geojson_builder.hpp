#pragma once

#include <vector>

#include "dict_builder.hpp"

namespace velmor::py::utils {

// Builds a GeoJSON geometry dictionary from the event stream: positions as tuples, everything else
// as lists in input order, and every geometry dictionary (top level and collection members) with
// "meta" {"srid": srid} and a named "crs" "EPSG:<srid>". GeoJSON has no curves: a circular arc is
// replaced by the vertices of densify_arc.
class GeoJsonBuilder final : public DictBuilder {
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
    formats::Status append_position(const formats::Coordinate& c);
    formats::Status open_list();
    // Pops the list of a finished geometry; a tagged one becomes a dictionary, an untagged member goes
    // into the list below it.
    formats::Status close_list(PyObject* type, bool tagged);
    formats::Status finish(PyObject* type, PyObject* members_key, PyObject* members);
    Result<void> add_crs(const Ref& geometry) const;

    formats::Coordinate current_;  // the last vertex of the line being read: where the next arc starts
    std::vector<formats::Coordinate> densified_;  // reused from arc to arc
};

}  // namespace velmor::py::utils
