#pragma once

#include <memory>
#include <optional>
#include <utility>

#include "engine/geos_context.hpp"
#include "engine/geos_conversion.hpp"
#include "engine/relate_edges.hpp"
#include "geometry/geometry_value.hpp"

namespace geokern::engine {

// A geometry's GEOS form for relation tests, made at its own chord deviation (a polyline without length
// as the points it is), with its extent and, once asked for, its prepared form (GEOS's indexed form for
// repeated relation tests). A polygon keeps the rings it gives GEOS, and its GEOS geometry is only made
// when a test needs it: many tests between areas are answered from the rings alone.
class GeosForm {
  public:
    explicit GeosForm(const GeometryValue& value);

    const EnvelopeData& extent() const { return extent_; }
    int64_t vertex_count() const { return vertex_count_; }
    // The rings of a polygon or of an envelope with area (none when it is empty); null for every other
    // geometry.
    const PolygonRings* areas() const { return areas_ ? &*areas_ : nullptr; }

    const GEOSGeometry* geometry() const;
    const GEOSPreparedGeometry* prepare() const;
    // The straight edges of an area or a polyline for the relation layer, made on first use; null for
    // points and multipoints, and for an empty geometry.
    const RelateEdges* edges() const;
    // Whether a test asked for this form before (from now on it has): a form tested again is worth
    // its prepared form.
    bool asked_before() const { return std::exchange(asked_, true); }

  private:
    EnvelopeData extent_;
    int64_t vertex_count_ = 0;
    std::optional<PolygonRings> areas_;
    // A polyline's parts and deviation, until its paths are made.
    std::vector<std::shared_ptr<const PartValue>> path_parts_;
    double deviation_ = 0.0;
    mutable std::optional<std::vector<LinearPart>> paths_;
    mutable std::optional<RelateEdges> edges_;
    mutable GeosGeometry geometry_;
    mutable GeosPrepared prepared_;
    mutable bool asked_ = false;
};

// The GEOS form of a geometry value. Geometry values never change, so each thread keeps the forms of
// the last few values it converted: a collection function that tests many geometries against one
// fixed geometry converts (and prepares) the fixed one once. GEOS's prepared geometries build their
// index lazily and may not be shared between threads, hence one cache per thread.
std::shared_ptr<const GeosForm> geos_form(const GeometryValue& value);

}  // namespace geokern::engine
