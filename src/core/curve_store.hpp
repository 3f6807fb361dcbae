#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "curve_data.hpp"
#include "slot_pool.hpp"

namespace velmor::core {

// The curve data of a curve part, kept sparse because most segments are straight: one small entry
// per vertex (kind code and pool key) and one index-stable pool per curved kind. Keys survive
// insertions and removals of vertices, so shifting entries never touches the pools. Callers keep
// indices in range (the curve part checks them against its vertices).
class CurveStore {
public:
    struct Entry {
        std::uint8_t kind;  // the CurveData alternative index
        std::uint32_t key;  // slot in the pool of that kind; 0 and unused for Linear
    };

    std::size_t size() const { return entries_.size(); }
    CurveData get(std::size_t index) const;
    bool has_curves() const { return arcs_.size() + ellipses_.size() + beziers_.size() != 0; }

    // Each of these either completes or, when an allocation fails, changes nothing.
    void insert(std::size_t index, const CurveData& curve);
    // Returns the previous curve data.
    CurveData replace(std::size_t index, const CurveData& curve);
    CurveData remove(std::size_t index);
    void clear();
    void reserve(std::size_t vertices) { entries_.reserve(vertices); }
    // Lets the next insert of an entry proceed without reallocating.
    void reserve_one_more();

    std::size_t heap_bytes() const;
    const std::vector<Entry>& entries() const { return entries_; }

private:
    Entry store(const CurveData& curve);
    CurveData take(Entry entry);
    CurveData read(Entry entry) const;
    void make_room(const CurveData& curve);

    std::vector<Entry> entries_;
    SlotPool<CircularArc> arcs_;
    SlotPool<EllipticArc> ellipses_;
    SlotPool<BezierCurve> beziers_;
};

}  // namespace velmor::core
