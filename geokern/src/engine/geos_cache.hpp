#pragma once

#include <memory>

#include "engine/geos_context.hpp"
#include "geometry/geometry_value.hpp"

namespace geokern::engine {

// A geometry's GEOS form for relation tests, made at its own chord deviation (a polyline without length
// as the points it is), with its extent and, once asked for, its prepared form (GEOS's indexed form for
// repeated relation tests).
struct GeosForm {
    GeosGeometry geometry;
    EnvelopeData extent;
    int64_t vertex_count = 0;
    mutable GeosPrepared prepared;

    const GEOSPreparedGeometry* prepare() const;
};

// The GEOS form of a geometry value. Geometry values never change, so each thread keeps the forms of
// the last few values it converted: a collection function that tests many geometries against one
// fixed geometry converts (and prepares) the fixed one once. GEOS's prepared geometries build their
// index lazily and may not be shared between threads, hence one cache per thread.
std::shared_ptr<const GeosForm> geos_form(const GeometryValue& value);

}  // namespace geokern::engine
