#pragma once

#include <geos_c.h>

#include <memory>

namespace geokern::engine {

// This thread's GEOS context, made on first use and finished when the thread ends. GEOS's reentrant
// functions keep their messages in the context, so one per thread lets every thread run the engine.
GEOSContextHandle_t geos();

// Fails with GEOS's last message for this thread, naming the operation that failed.
[[noreturn]] void fail_geos(const char* operation);

struct GeosGeometryDeleter {
    void operator()(GEOSGeometry* geometry) const { GEOSGeom_destroy_r(geos(), geometry); }
};
using GeosGeometry = std::unique_ptr<GEOSGeometry, GeosGeometryDeleter>;

struct GeosPreparedDeleter {
    void operator()(const GEOSPreparedGeometry* prepared) const { GEOSPreparedGeom_destroy_r(geos(), prepared); }
};
using GeosPrepared = std::unique_ptr<const GEOSPreparedGeometry, GeosPreparedDeleter>;

struct GeosSequenceDeleter {
    void operator()(GEOSCoordSequence* sequence) const { GEOSCoordSeq_destroy_r(geos(), sequence); }
};
using GeosSequence = std::unique_ptr<GEOSCoordSequence, GeosSequenceDeleter>;

// A GEOS result taken into ownership; null (GEOS failed) fails with GEOS's message.
GeosGeometry checked(GEOSGeometry* geometry, const char* operation);
// A GEOS predicate result: 0 or 1, and 2 for a failure.
bool checked(char result, const char* operation);

}  // namespace geokern::engine
