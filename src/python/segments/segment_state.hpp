#pragma once

#include <cstddef>
#include <optional>

#include "core/coord.hpp"
#include "core/curve_data.hpp"
#include "core/curve_part.hpp"
#include "core/part.hpp"
#include "errors.hpp"

namespace velmor::py {

// Where a vertex object came from: the shared part and the vertex index. Objects from indexing and
// iteration carry one and write their changes back; popped objects carry none.
template <class SharedT>
struct VertexLink {
    SharedT part;
    std::size_t index;
};
using PartLink = VertexLink<core::SharedPart>;
using CurvePartLink = VertexLink<core::SharedCurvePart>;

// What every Coord and segment object holds: its own copy of the vertex (in the dimensionality of the
// part it came from) and of the curve data (Linear for a Coord), and its link, if any. The copy is
// not refreshed from the part: it is what the object was made with plus its own writes.
struct SegmentState {
    core::Coord coord;
    core::CurveData curve;
    std::optional<PartLink> part_link;        // Coord objects
    std::optional<CurvePartLink> curve_link;  // segment objects

    // Stores a new vertex through the link (nothing when the part has shrunk below the index), then
    // in the copy.
    void store_coord(const core::Coord& value);
    // Stores new curve data through the link, then in the copy; the curve part's refusal (a curve on
    // vertex 0) changes neither.
    Result<void> store_curve(const core::CurveData& value);
};

}  // namespace velmor::py
