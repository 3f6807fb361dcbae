// simplify and isSimple: the topologically correct form of a geometry and the test for it (rules in
// engine/simplify.hpp).
#include "engine/simplify.hpp"
#include "failure.hpp"
#include "report.hpp"

using namespace geokern;
using namespace geokern::engine;

GK_GeometryHandle GK_GeometryEngine_simplify(GK_GeometryHandle geometry, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] { return new_geometry(simplified_geometry(value_of(geometry))); });
}

// Must not fail for a valid handle: bad coordinates answer false, and a GEOS failure on strange input
// (which the simplify would report) also answers false.
GK_Bool GK_GeometryEngine_isSimple(GK_GeometryHandle geometry, GK_EH) {
    return guarded<GK_Bool>(handler, [&] {
        const GeometryValue& value = value_of(geometry);
        try {
            return GK_Bool{is_simple_geometry(value)};
        } catch (const Failure&) {
            return GK_Bool{false};
        }
    });
}
