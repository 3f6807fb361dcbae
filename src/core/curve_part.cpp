#include "curve_part.hpp"

#include <utility>

#include "internal_failure.hpp"

namespace velmor::core {

CurvePart::CurvePart(Part part) : part_(std::move(part)) {
    curves_.reserve(part_.size());
    for (std::size_t i = 0; i < part_.size(); ++i) curves_.insert(i, Linear{});
}

std::optional<CurveVertex> CurvePart::get(std::size_t index) const {
    std::optional<Coord> coord = part_.get(index);
    if (!coord) return std::nullopt;
    return CurveVertex{*coord, curves_.get(index)};
}

std::optional<CurveData> CurvePart::curve(std::size_t index) const {
    if (index >= size()) return std::nullopt;
    return curves_.get(index);
}

Result<void> CurvePart::push(const Coord& coord, const CurveData& curve) {
    if (empty() && !is_linear(curve)) {
        return fail(NativeError::curved_part_start("CurvePart::push curve data on empty"));
    }
    return insert(size(), coord, curve);
}

Result<void> CurvePart::insert(std::size_t index, const Coord& coord, const CurveData& curve) {
    if (index == 0 && !is_linear(curve)) {
        return fail(NativeError::curved_part_start("CurvePart::insert nonlinear curve data at index 0"));
    }
    if (index > size()) internal_failure("Internal error: CurvePart::insert beyond the end");
    // Room in the vertex columns first: the entry insert either completes or changes nothing, and
    // the vertex insert after it cannot fail, so vertices and entries never drift apart.
    part_.reserve_one_more();
    curves_.insert(index, curve);
    part_.insert(index, coord);
    return {};
}

Result<std::optional<CurveVertex>> CurvePart::set(std::size_t index, const Coord& coord,
                                                  const CurveData& curve) {
    if (index >= size()) return std::optional<CurveVertex>();
    VELMOR_TRY_ASSIGN(std::optional<CurveData> previous_curve, set_curve(index, curve));
    const std::optional<Coord> previous_coord = part_.set(index, coord);
    return CurveVertex{*previous_coord, std::move(*previous_curve)};
}

Result<std::optional<CurveData>> CurvePart::set_curve(std::size_t index, const CurveData& curve) {
    if (index >= size()) return std::optional<CurveData>();
    if (index == 0 && !is_linear(curve)) {
        return fail(NativeError::curved_part_start("CurvePart::set nonlinear curve data at index 0"));
    }
    return std::optional<CurveData>(curves_.replace(index, curve));
}

Result<std::optional<CurveVertex>> CurvePart::remove(std::size_t index) {
    if (index >= size()) return std::optional<CurveVertex>();
    if (index == 0 && size() > 1 && !is_linear(curves_.get(1))) {
        return fail(NativeError::curved_part_start(
            "CurvePart::remove first curve, curve that would replace it is nonlinear"));
    }
    return std::optional<CurveVertex>(take(index));
}

std::optional<CurveVertex> CurvePart::pop() {
    if (empty()) return std::nullopt;
    // Removing the last vertex never exposes a curve on vertex 0.
    return take(size() - 1);
}

CurveVertex CurvePart::take(std::size_t index) {
    const Coord coord = *part_.remove(index);
    return CurveVertex{coord, curves_.remove(index)};
}

void CurvePart::clear() {
    part_.clear();
    curves_.clear();
}

void CurvePart::reserve(std::size_t vertices) {
    part_.reserve(vertices);
    curves_.reserve(vertices);
}

}  // namespace velmor::core
