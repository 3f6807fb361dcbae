#include "part.hpp"

#include <algorithm>
#include <limits>
#include <new>
#include <utility>

#include "internal_failure.hpp"

namespace velmor::core {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

Part::Part(const Part& other) : Part(other.has_z_, other.has_m_) {
    reallocate_from(other, other.size_);
}

Part& Part::operator=(const Part& other) {
    if (this != &other) *this = Part(other);
    return *this;
}

Part::Part(Part&& other) noexcept
    : block_(std::move(other.block_)),
      size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)),
      has_z_(other.has_z_),
      has_m_(other.has_m_) {}

Part& Part::operator=(Part&& other) noexcept {
    block_ = std::move(other.block_);
    size_ = std::exchange(other.size_, 0);
    capacity_ = std::exchange(other.capacity_, 0);
    has_z_ = other.has_z_;
    has_m_ = other.has_m_;
    return *this;
}

Part Part::from_columns(std::vector<double> xs, std::vector<double> ys, std::optional<std::vector<double>> zs,
                        std::optional<std::vector<double>> ms) {
    const std::size_t n = xs.size();
    const auto fits = [n](const std::optional<std::vector<double>>& column) {
        return !column || column->size() == n;
    };
    if (ys.size() != n || !fits(zs) || !fits(ms)) {
        internal_failure("Internal error: part columns of different lengths");
    }
    Part part(zs.has_value(), ms.has_value());
    part.reserve(n);
    std::copy(xs.begin(), xs.end(), part.column_data(kX));
    std::copy(ys.begin(), ys.end(), part.column_data(kY));
    if (zs) std::copy(zs->begin(), zs->end(), part.column_data(part.z_column()));
    if (ms) std::copy(ms->begin(), ms->end(), part.column_data(part.m_column()));
    part.size_ = n;
    return part;
}

std::optional<std::span<const double>> Part::zs() const {
    if (!has_z_) return std::nullopt;
    return column(z_column());
}

std::optional<std::span<const double>> Part::ms() const {
    if (!has_m_) return std::nullopt;
    return column(m_column());
}

std::optional<Coord> Part::get(std::size_t index) const {
    if (index >= size()) return std::nullopt;
    const double x = column(kX)[index];
    const double y = column(kY)[index];
    if (has_z_ && has_m_) return Coord::xyzm(x, y, column(z_column())[index], column(m_column())[index]);
    if (has_z_) return Coord::xyz(x, y, column(z_column())[index]);
    if (has_m_) return Coord::xym(x, y, column(m_column())[index]);
    return Coord::xy(x, y);
}

void Part::write(std::size_t index, const Coord& coord) {
    column_data(kX)[index] = coord.x();
    column_data(kY)[index] = coord.y();
    if (has_z_) column_data(z_column())[index] = coord.z().value_or(kNaN);
    if (has_m_) column_data(m_column())[index] = coord.m().value_or(kNaN);
}

std::optional<Coord> Part::set(std::size_t index, const Coord& coord) {
    std::optional<Coord> previous = get(index);
    if (previous) write(index, coord);
    return previous;
}

void Part::push(const Coord& coord) {
    reserve_one_more();
    write(size_++, coord);
}

void Part::push(double x, double y, std::optional<double> z, std::optional<double> m) {
    reserve_one_more();
    column_data(kX)[size_] = x;
    column_data(kY)[size_] = y;
    if (has_z_) column_data(z_column())[size_] = z.value_or(kNaN);
    if (has_m_) column_data(m_column())[size_] = m.value_or(kNaN);
    ++size_;
}

void Part::push_buffer(std::span<const double> values) {
    reserve_one_more();
    for (std::size_t k = 0; k < column_count(); ++k) {
        column_data(k)[size_] = k < values.size() ? values[k] : kNaN;
    }
    ++size_;
}

void Part::insert(std::size_t index, const Coord& coord) {
    if (index > size()) internal_failure("Internal error: Part::insert beyond the end");
    reserve_one_more();
    for (std::size_t k = 0; k < column_count(); ++k) {
        double* data = column_data(k);
        std::copy_backward(data + index, data + size_, data + size_ + 1);
    }
    ++size_;
    write(index, coord);
}

std::optional<Coord> Part::remove(std::size_t index) {
    std::optional<Coord> removed = get(index);
    if (!removed) return removed;
    for (std::size_t k = 0; k < column_count(); ++k) {
        double* data = column_data(k);
        std::copy(data + index + 1, data + size_, data + index);
    }
    --size_;
    return removed;
}

std::optional<Coord> Part::pop() {
    if (empty()) return std::nullopt;
    return remove(size() - 1);
}

void Part::clear() { size_ = 0; }

void Part::reserve(std::size_t vertices) {
    if (vertices > capacity_) reallocate(vertices);
}

void Part::reserve_one_more() {
    // Geometric growth keeps appends amortized constant; the whole block is allocated before anything
    // moves, so a failed allocation leaves the part as it was.
    if (size_ == capacity_) reallocate(capacity_ == 0 ? 4 : capacity_ * 2);
}

void Part::shrink_to_fit() {
    if (size_ < capacity_) reallocate(size_);
}

void Part::reallocate(std::size_t capacity) { reallocate_from(*this, capacity); }

void Part::reallocate_from(const Part& source, std::size_t capacity) {
    if (capacity > std::numeric_limits<std::size_t>::max() / sizeof(double) / column_count()) {
        throw std::bad_alloc();
    }
    std::unique_ptr<double[]> block;
    if (capacity > 0) block = std::make_unique_for_overwrite<double[]>(capacity * column_count());
    for (std::size_t k = 0; k < column_count(); ++k) {
        const std::span<const double> from = source.column(k);
        std::copy(from.begin(), from.end(), block.get() + k * capacity);
    }
    size_ = source.size_;
    block_ = std::move(block);
    capacity_ = capacity;
}

}  // namespace velmor::core
