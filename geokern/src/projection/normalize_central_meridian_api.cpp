#include "projection/central_meridian.hpp"
#include "report.hpp"

using namespace geokern;

GK_GeometryHandle GK_GeometryEngine_normalizeCentralMeridian(GK_GeometryHandle geometry, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] { return new_geometry(normalized_central_meridian(value_of(geometry))); });
}
