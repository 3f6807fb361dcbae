#include "curve_store.hpp"

#include <utility>

#include "internal_failure.hpp"

namespace velmor::core {

CurveStore::Entry CurveStore::store(const CurveData& curve) {
    const auto kind = static_cast<std::uint8_t>(curve.index());
    switch (curve.index()) {
        case 1:
            return {kind, arcs_.insert(std::get<CircularArc>(curve))};
        case 2:
            return {kind, ellipses_.insert(std::get<EllipticArc>(curve))};
        case 3:
            return {kind, beziers_.insert(std::get<BezierCurve>(curve))};
        default:
            return {kind, 0};
    }
}

CurveData CurveStore::take(Entry entry) {
    switch (entry.kind) {
        case 0:
            return Linear{};
        case 1:
            return arcs_.remove(entry.key);
        case 2:
            return ellipses_.remove(entry.key);
        case 3:
            return beziers_.remove(entry.key);
        default:
            internal_failure("Internal error: unknown curve kind in curve store");
    }
}

CurveData CurveStore::read(Entry entry) const {
    switch (entry.kind) {
        case 0:
            return Linear{};
        case 1:
            return arcs_.get(entry.key);
        case 2:
            return ellipses_.get(entry.key);
        case 3:
            return beziers_.get(entry.key);
        default:
            internal_failure("Internal error: unknown curve kind in curve store");
    }
}

void CurveStore::make_room(const CurveData& curve) {
    switch (curve.index()) {
        case 1:
            arcs_.reserve_one_more();
            break;
        case 2:
            ellipses_.reserve_one_more();
            break;
        case 3:
            beziers_.reserve_one_more();
            break;
        default:
            break;
    }
}

void CurveStore::reserve_one_more() {
    if (entries_.size() == entries_.capacity()) entries_.reserve(entries_.empty() ? 4 : entries_.size() * 2);
}

CurveData CurveStore::get(std::size_t index) const {
    if (index >= entries_.size()) internal_failure("Internal error: no curve entry for vertex");
    return read(entries_[index]);
}

void CurveStore::insert(std::size_t index, const CurveData& curve) {
    if (index > entries_.size()) internal_failure("Internal error: curve entry inserted beyond the end");
    reserve_one_more();
    make_room(curve);
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(index), store(curve));
}

CurveData CurveStore::replace(std::size_t index, const CurveData& curve) {
    if (index >= entries_.size()) internal_failure("Internal error: no curve entry for vertex");
    make_room(curve);
    CurveData previous = take(entries_[index]);
    entries_[index] = store(curve);
    return previous;
}

CurveData CurveStore::remove(std::size_t index) {
    if (index >= entries_.size()) internal_failure("Internal error: no curve entry for vertex");
    const Entry entry = entries_[index];
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    return take(entry);
}

void CurveStore::clear() {
    entries_.clear();
    arcs_.clear();
    ellipses_.clear();
    beziers_.clear();
}

std::size_t CurveStore::heap_bytes() const {
    return entries_.capacity() * sizeof(Entry) + arcs_.heap_bytes() + ellipses_.heap_bytes() +
           beziers_.heap_bytes();
}

}  // namespace velmor::core
