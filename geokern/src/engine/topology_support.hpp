#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "engine/geos_building.hpp"
#include "engine/geos_conversion.hpp"
#include "engine/ring_groups.hpp"

namespace geokern::engine {

// Where two straight segments meet: t along the first (a to b), s along the second (c to d), both in
// [0, 1]. Crossing segments meet once; collinear overlapping ones at the two ends of their overlap.
// A meeting at an end point takes that end point's coordinates exactly.
struct Meeting {
    double t, s;
    double x, y;
};
int segments_meet(double ax, double ay, double bx, double by, double cx, double cy, double dx, double dy,
                  Meeting out[2]);

// The first point where the ray from (ox, oy) in direction (ux, uy) meets the segment c-d strictly ahead of
// its origin: the ray parameter (in units of the direction), or nothing.
std::optional<double> ray_meets(double ox, double oy, double ux, double uy, double cx, double cy, double dx,
                                double dy);

// The straight segments of some paths, found by the box around them: sorted by their smallest x, so
// that a query looks only at segments whose x range can reach its box.
class SegmentIndex {
  public:
    explicit SegmentIndex(const std::vector<LinearPart>& paths);
    // Calls visit(path, segment) for every segment whose box meets [xmin, xmax] x [ymin, ymax].
    template <class Visit>
    void visit(double xmin, double xmax, double ymin, double ymax, Visit&& visit) const {
        auto entry = std::lower_bound(entries_.begin(), entries_.end(), xmin - widest_,
                                      [](const Entry& e, double x) { return e.xmin < x; });
        for (; entry != entries_.end() && entry->xmin <= xmax; ++entry) {
            if (entry->xmax < xmin || entry->ymin > ymax || entry->ymax < ymin) continue;
            visit(entry->path, entry->segment);
        }
    }

  private:
    struct Entry {
        double xmin, xmax, ymin, ymax;
        size_t path, segment;
    };
    std::vector<Entry> entries_;
    double widest_ = 0.0;
};

// GEOS's make-valid with the structure method: every lobe of a self-crossing ring an area of its own,
// holes subtracted, collapsed pieces dropped.
GeosGeometry made_valid(const GEOSGeometry* geometry);

// A part without its straight segments of no length (both ends equal in x and y); curved segments stay,
// even those that end where they start (a full circle). Returns whether anything was removed.
bool drop_zero_segments(const PartValue& part, PartValue& cleaned);

// Whether every x, y (and curve number) of the geometry is finite; an empty point counts as finite.
bool finite_coordinates(const GeometryValue& geometry);

// The joint spatial reference of an operation on a geometry with a tool geometry (a cutter, a reshaper,
// an extender), once both are known to have finite coordinates; the refusal names the operation and
// both inputs ("cut needs finite coordinates: the geometry or the cutter has ...").
SpatialReferenceRef joint_finite_inputs(const GeometryValue& input, const GeometryValue& tool,
                                        const std::string& operation, const std::string& input_name,
                                        const std::string& tool_name);

}  // namespace geokern::engine
