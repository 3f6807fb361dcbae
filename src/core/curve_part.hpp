#pragma once

#include <cstddef>
#include <optional>

#include "coord.hpp"
#include "curve_data.hpp"
#include "curve_store.hpp"
#include "part.hpp"
#include "result.hpp"
#include "shared.hpp"

namespace velmor::core {

// A vertex with the curve data of the segment that ends at it.
struct CurveVertex {
    Coord coord;
    CurveData curve;
};

// A vertex list whose segments may be true curves. Vertex 0 has no incoming segment, so its curve
// data is always Linear; every mutation that would break that is refused (CurvedPartStart) and
// changes nothing. Out-of-range reads, writes and removals give an absent result.
class CurvePart {
public:
    CurvePart(bool has_z, bool has_m) : part_(has_z, has_m) {}
    explicit CurvePart(Dims dims) : part_(dims) {}
    // Every segment straight; the vertices are taken over without copying.
    explicit CurvePart(Part part);

    std::size_t size() const { return part_.size(); }
    bool empty() const { return part_.empty(); }
    Dims dims() const { return part_.dims(); }
    bool has_z() const { return part_.has_z(); }
    bool has_m() const { return part_.has_m(); }
    bool has_curves() const { return curves_.has_curves(); }

    std::optional<CurveVertex> get(std::size_t index) const;
    // The curve data of one vertex, without building its coordinate.
    std::optional<CurveData> curve(std::size_t index) const;

    Result<void> push(const Coord& coord, const CurveData& curve);
    // index <= size(); callers check it.
    Result<void> insert(std::size_t index, const Coord& coord, const CurveData& curve);
    // Returns the previous vertex and curve data.
    Result<std::optional<CurveVertex>> set(std::size_t index, const Coord& coord, const CurveData& curve);
    std::optional<Coord> set_coord(std::size_t index, const Coord& coord) { return part_.set(index, coord); }
    Result<std::optional<CurveData>> set_curve(std::size_t index, const CurveData& curve);
    Result<std::optional<CurveVertex>> remove(std::size_t index);
    std::optional<CurveVertex> pop();
    void clear();
    void reserve(std::size_t vertices);

    // Read access for conversions: the vertex columns and the sparse curve store.
    const Part& vertices() const { return part_; }
    const CurveStore& curves() const { return curves_; }

    std::size_t heap_bytes() const { return part_.heap_bytes() + curves_.heap_bytes(); }

private:
    // Unchecked removal of an existing vertex.
    CurveVertex take(std::size_t index);

    Part part_;
    CurveStore curves_;
};

using SharedCurvePart = Shared<CurvePart>;

}  // namespace velmor::core
