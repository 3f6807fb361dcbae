#include "geometry/geo_interface.hpp"

#include <algorithm>
#include <cmath>
#include <span>
#include <utility>
#include <vector>

#include "core/lock_messages.hpp"
#include "geometry/curve_chords.hpp"

namespace velmor::py {
namespace {

using Vertices = std::vector<core::Coord>;
using geometry_class::checked;

Result<Ref> position(const core::Coord& vertex, bool with_z) {
    if (with_z) return checked(Py_BuildValue("(ddd)", vertex.x(), vertex.y(), vertex.z().value_or(NAN)));
    return checked(Py_BuildValue("(dd)", vertex.x(), vertex.y()));
}

template <class Item, class Convert>
Result<Ref> list_of(std::span<const Item> items, Convert convert) {
    VELMOR_TRY_ASSIGN(Ref list, checked(PyList_New(static_cast<Py_ssize_t>(items.size()))));
    for (std::size_t index = 0; index < items.size(); ++index) {
        VELMOR_TRY_ASSIGN(Ref item, convert(items[index]));
        PyList_SET_ITEM(list.get(), static_cast<Py_ssize_t>(index), item.release());
    }
    return list;
}

Result<Ref> positions(const Vertices& vertices, bool with_z) {
    return list_of<core::Coord>(vertices, [&](const core::Coord& vertex) { return position(vertex, with_z); });
}

Result<Ref> mapping(const char* type, Result<Ref> coordinates) {
    if (!coordinates) return fail(std::move(coordinates.error()));
    return checked(Py_BuildValue("{s:s,s:O}", "type", type, "coordinates", coordinates->get()));
}

Vertices vertices_of(const core::Part& part) {
    Vertices vertices;
    vertices.reserve(part.size());
    for (std::size_t index = 0; index < part.size(); ++index) vertices.push_back(*part.get(index));
    return vertices;
}

// A curve part as straight lines: each curved segment's chord vertices before its end vertex.
Result<Vertices> vertices_of(const core::CurvePart& part) {
    Vertices vertices;
    for (std::size_t index = 0; index < part.size(); ++index) {
        const core::CurveVertex vertex = *part.get(index);
        if (index > 0 && !core::is_linear(vertex.curve)) {
            VELMOR_TRY_ASSIGN(Vertices chords, curve_chord_vertices(vertices.back(), vertex.curve, vertex.coord));
            vertices.insert(vertices.end(), chords.begin(), chords.end());
        }
        vertices.push_back(vertex.coord);
    }
    return vertices;
}

// Every part of a polyline or polygon as straight lines: the straight parts, then the curved ones.
// Each part is read under its own lock, one at a time.
Result<std::vector<Vertices>> lines_of(const core::SharedMultipart& linear, const core::SharedCurveMultipart& curved) {
    std::vector<Vertices> lines;
    std::vector<core::SharedPart> straight_parts;
    std::vector<core::SharedCurvePart> curve_parts;
    {
        const auto container = linear.lock(core::lock_messages::kAny);
        straight_parts.assign(container->begin(), container->end());
    }
    {
        const auto container = curved.lock(core::lock_messages::kAny);
        curve_parts.assign(container->begin(), container->end());
    }
    for (const auto& part : straight_parts) lines.push_back(vertices_of(*part.lock(core::lock_messages::kAny)));
    for (const auto& part : curve_parts) {
        core::CurvePart snapshot = *part.lock(core::lock_messages::kAny);
        VELMOR_TRY_ASSIGN(Vertices vertices, vertices_of(snapshot));
        lines.push_back(std::move(vertices));
    }
    return lines;
}

// Twice the signed area: negative for a clockwise ring (y up), as this system's outer rings run.
double signed_area(const Vertices& ring) {
    double sum = 0.0;
    for (std::size_t index = 0; index < ring.size(); ++index) {
        const core::Coord& a = ring[index];
        const core::Coord& b = ring[(index + 1) % ring.size()];
        sum += a.x() * b.y() - b.x() * a.y();
    }
    return sum;
}

// GeoJSON rings end where they start and run counter-clockwise outside, clockwise inside.
Vertices geojson_ring(Vertices ring, bool outer) {
    if (!ring.empty() && (ring.front().x() != ring.back().x() || ring.front().y() != ring.back().y())) {
        ring.push_back(ring.front());
    }
    if ((signed_area(ring) < 0.0) == outer) std::reverse(ring.begin(), ring.end());
    return ring;
}

// Whether a point lies inside a ring, by the even-odd rule.
bool inside(const core::Coord& point, const Vertices& ring) {
    bool in = false;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const core::Coord& a = ring[i];
        const core::Coord& b = ring[j];
        if ((a.y() > point.y()) != (b.y() > point.y()) &&
            point.x() < (b.x() - a.x()) * (point.y() - a.y()) / (b.y() - a.y()) + a.x()) {
            in = !in;
        }
    }
    return in;
}

// Clockwise rings are outer rings; a counter-clockwise ring is a hole of the first outer ring that
// holds its first vertex, or stands for itself when none does (also when no ring is clockwise).
std::vector<std::vector<Vertices>> polygons_of(std::vector<Vertices> rings) {
    std::vector<std::vector<Vertices>> polygons;
    std::vector<Vertices> holes;
    for (Vertices& ring : rings) {
        if (ring.empty() || signed_area(ring) <= 0.0) {
            polygons.push_back({std::move(ring)});
        } else {
            holes.push_back(std::move(ring));
        }
    }
    for (Vertices& hole : holes) {
        auto holder = std::find_if(polygons.begin(), polygons.end(), [&](const std::vector<Vertices>& polygon) {
            return !polygon.front().empty() && inside(hole.front(), polygon.front());
        });
        if (holder == polygons.end()) {
            polygons.push_back({std::move(hole)});
        } else {
            holder->push_back(std::move(hole));
        }
    }
    for (auto& polygon : polygons) {
        for (std::size_t index = 0; index < polygon.size(); ++index) {
            polygon[index] = geojson_ring(std::move(polygon[index]), index == 0);
        }
    }
    return polygons;
}

Result<Ref> rings_list(const std::vector<Vertices>& rings, bool with_z) {
    return list_of<Vertices>(rings, [&](const Vertices& ring) { return positions(ring, with_z); });
}

}  // namespace

Result<Ref> geo_interface(const core::PointValue& value) {
    if (value.is_empty()) return mapping("Point", checked(PyTuple_New(0)));
    return mapping("Point", position(core::Coord::xyz(value.x, value.y, value.z.value_or(NAN)), value.has_z()));
}

Result<Ref> geo_interface(const core::EnvelopeValue& value) {
    if (value.is_empty()) return mapping("Polygon", checked(PyList_New(0)));
    const Vertices ring = {core::Coord::xy(value.xmin, value.ymin), core::Coord::xy(value.xmax, value.ymin),
                           core::Coord::xy(value.xmax, value.ymax), core::Coord::xy(value.xmin, value.ymax),
                           core::Coord::xy(value.xmin, value.ymin)};
    return mapping("Polygon", rings_list({ring}, false));
}

Result<Ref> geo_interface(const core::Multipoint& value) {
    const Vertices points = vertices_of(*value.points().lock(core::lock_messages::kAny));
    return mapping("MultiPoint", positions(points, value.has_z()));
}

Result<Ref> geo_interface(const core::Polyline& value) {
    VELMOR_TRY_ASSIGN(std::vector<Vertices> paths, lines_of(value.paths(), value.curve_paths()));
    if (paths.size() == 1) return mapping("LineString", positions(paths.front(), value.has_z()));
    return mapping("MultiLineString", rings_list(paths, value.has_z()));
}

Result<Ref> geo_interface(const core::Polygon& value) {
    VELMOR_TRY_ASSIGN(std::vector<Vertices> rings, lines_of(value.rings(), value.curve_rings()));
    const std::vector<std::vector<Vertices>> polygons = polygons_of(std::move(rings));
    const bool with_z = value.has_z();
    if (polygons.size() == 1) return mapping("Polygon", rings_list(polygons.front(), with_z));
    if (polygons.empty()) return mapping("Polygon", checked(PyList_New(0)));
    return mapping("MultiPolygon", list_of<std::vector<Vertices>>(polygons, [&](const std::vector<Vertices>& rings_of) {
                       return rings_list(rings_of, with_z);
                   }));
}

}  // namespace velmor::py
