#pragma once

#include <vector>

#include "core/curve_part.hpp"
#include "curve_chords.hpp"
#include "geometry_sink.hpp"

namespace velmor::formats {

// A curve part as SQL/MM holds it: runs of straight segments and runs of circular arcs. An arc run
// holds start, midpoint, end, midpoint, end, ...; each run starts where the one before ended.
struct CurvePiece {
    bool arcs = false;
    std::vector<WrittenVertex> points;
};

// Circular arcs (and elliptic arcs of ratio 1) keep their circles, with the arc's midpoint as the
// interior point; an arc whose three points lie on one line is its chord. Other curves become chords
// within `deviation`. `close` adds a straight closing segment when the last vertex is not the first.
std::vector<CurvePiece> curve_pieces(const core::CurvePart& part, bool close, ChordDeviation deviation);

// Whether the pieces hold a circular arc.
bool has_arcs(const std::vector<CurvePiece>& pieces);

// Twice the signed area enclosed by pieces that form a ring, counter-clockwise positive.
double doubled_signed_area(const std::vector<CurvePiece>& pieces);

}  // namespace velmor::formats
