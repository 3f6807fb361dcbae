#pragma once

#include <vector>

#include "geometry/geometry_value.hpp"

namespace geokern::engine {

// GEOS holds no curves, so curved segments go to it as chords. The chord deviation is the tolerance of
// the geometries' spatial reference or, without one, 1e-9 of the larger side of their joint extent;
// no chord strays further than that from its curve. A single curve is never cut into more than
// `max_chords_per_curve` chords, so a huge arc at a tiny tolerance costs bounded memory (its chords
// then stray further).
inline constexpr int max_chords_per_curve = 1 << 16;

double chord_deviation(const GeometryValue& geometry);
// The same for a geometry of that spatial reference and extent (when the extent is already at hand).
double chord_deviation(const SpatialReferenceRef& spatial_reference, const EnvelopeData& extent);
double chord_deviation(const GeometryValue& a, const GeometryValue& b);

// A part as straight segments: its points column by column, with each curve replaced by its chords.
// Chord vertices inside a curve get z and m interpolated along the curve's parameter. A closed part
// ends on its first point again. `source` says where each point came from: the index of the part's own
// point, or -1 - segment for a chord vertex inside that curved segment.
struct LinearPart {
    std::vector<double> xs, ys, zs, ms;
    std::vector<int64_t> source;
    size_t size() const { return xs.size(); }
    Vertex point(size_t index) const;
    void add(const Vertex& vertex, int64_t from);
};

LinearPart linearize(const PartValue& part, double deviation);
// The same where only x and y are read (GEOS takes nothing else): a straight part leaves zs, ms and
// source empty.
LinearPart linearize_xy(const PartValue& part, double deviation);

// A straight part made of a chord form's points, keeping z and m where the part has them.
PartValue part_of(const LinearPart& linear, bool has_z, bool has_m);

// The interior chord vertices of one curved segment (not its end points), with the fraction of the
// curve's parameter at each, in (0, 1).
struct CurveSample {
    Vertex point;
    double fraction;
};
std::vector<CurveSample> curve_interior(const Vertex& start, const Curve& curve, const Vertex& end,
                                        double deviation);

}  // namespace geokern::engine
