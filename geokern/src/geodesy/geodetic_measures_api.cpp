// Geodetic area and length: every edge is a curve of the chosen type on the ellipsoid of the geometry's
// geographic system. The area is that of the region the polygon bounds, whichever way its rings run, as
// the planar area is.
#include "engine/measures.hpp"
#include "geodesy/geodetic_inputs.hpp"
#include "geodesy/ring_area.hpp"
#include "report.hpp"

using namespace geokern;
using namespace geokern::geodesy;

namespace {

double length_of(const GeodeticCurve& curve, const std::vector<FramePoint>& points) {
    double sum = 0.0;
    for (size_t i = 0; i + 1 < points.size(); ++i) sum += curve.length(points[i], points[i + 1]);
    return sum;
}

}  // namespace

double GK_GeometryEngine_areaGeodetic(GK_GeometryHandle geometry, GK_UnitHandle area_unit,
                                      GK_GeodeticCurveType curve_type, GK_EH) {
    return guarded<double>(handler, [&] {
        const GeometryValue& value = value_of(geometry);
        const CurveKind kind = curve_kind_argument(curve_type);
        const UnitPointer unit = unit_or_default(area_unit, unit_type_area);
        const auto curve = curve_for(value, curve_type);
        if (value.type != geometry_type_polygon && value.type != geometry_type_envelope) return 0.0;
        double sum = 0.0;
        for (const auto& ring : measured_parts(curve->frame(), value)) sum += ring_area(*curve, kind, ring);
        return in_unit(engine::region_measure(sum), *unit);
    });
}

double GK_GeometryEngine_lengthGeodetic(GK_GeometryHandle geometry, GK_UnitHandle length_unit,
                                        GK_GeodeticCurveType curve_type, GK_EH) {
    return guarded<double>(handler, [&] {
        const GeometryValue& value = value_of(geometry);
        const UnitPointer unit = unit_or_default(length_unit, unit_type_linear);
        const auto curve = curve_for(value, curve_type);
        double sum = 0.0;
        for (const auto& part : measured_parts(curve->frame(), value)) sum += length_of(*curve, part);
        return in_unit(sum, *unit);
    });
}
