#include "engine/geos_building.hpp"

namespace geokern::engine {

GeosSequence geos_sequence(const LinearPart& part) {
    GEOSCoordSequence* sequence = GEOSCoordSeq_copyFromArrays_r(geos(), part.xs.data(), part.ys.data(), nullptr,
                                                                nullptr, static_cast<unsigned>(part.size()));
    if (sequence == nullptr) fail_geos("building a coordinate sequence");
    return GeosSequence(sequence);
}

GeosGeometry geos_line(const LinearPart& line) {
    return checked(GEOSGeom_createLineString_r(geos(), geos_sequence(line).release()), "building a line");
}

GeosGeometry geos_polygon(const std::vector<LinearPart>& rings, const RingGroup& group) {
    GeosGeometry outer =
        checked(GEOSGeom_createLinearRing_r(geos(), geos_sequence(rings[group.outer]).release()), "building a ring");
    std::vector<GeosGeometry> inner;
    for (size_t h : group.holes) {
        inner.push_back(checked(GEOSGeom_createLinearRing_r(geos(), geos_sequence(rings[h]).release()), "building a ring"));
    }
    std::vector<GEOSGeometry*> raw;
    for (auto& ring : inner) raw.push_back(ring.get());
    GEOSGeometry* made = GEOSGeom_createPolygon_r(geos(), outer.get(), raw.data(), static_cast<unsigned>(raw.size()));
    if (made == nullptr) fail_geos("building a polygon");
    outer.release();
    for (auto& ring : inner) ring.release();
    return GeosGeometry(made);
}

GeosGeometry geos_collection(int type, std::vector<GeosGeometry> members) {
    std::vector<GEOSGeometry*> raw;
    raw.reserve(members.size());
    for (auto& member : members) raw.push_back(member.get());
    GEOSGeometry* made = GEOSGeom_createCollection_r(geos(), type, raw.data(), static_cast<unsigned>(raw.size()));
    if (made == nullptr) fail_geos("building a collection");
    for (auto& member : members) member.release();  // GEOS owns them now
    return GeosGeometry(made);
}

}  // namespace geokern::engine
