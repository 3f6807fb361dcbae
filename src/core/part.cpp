#include "part.hpp"

#include <limits>

#include "internal_failure.hpp"

namespace velmor::core {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

Part::Part(bool has_z, bool has_m)
    : zs_(has_z ? std::optional<Column>(Column{}) : std::nullopt),
      ms_(has_m ? std::optional<Column>(Column{}) : std::nullopt) {}

Part::Part(Column xs, Column ys, std::optional<Column> zs, std::optional<Column> ms)
    : xs_(std::move(xs)), ys_(std::move(ys)), zs_(std::move(zs)), ms_(std::move(ms)) {}

Part Part::from_columns(Column xs, Column ys, std::optional<Column> zs, std::optional<Column> ms) {
    const std::size_t n = xs.size();
    const auto fits = [n](const std::optional<Column>& column) { return !column || column->size() == n; };
    if (ys.size() != n || !fits(zs) || !fits(ms)) {
        internal_failure("Internal error: part columns of different lengths");
    }
    return Part(std::move(xs), std::move(ys), std::move(zs), std::move(ms));
}

template <class Visit>
void Part::for_each_column(Visit visit) {
    visit(xs_);
    visit(ys_);
    if (zs_) visit(*zs_);
    if (ms_) visit(*ms_);
}

std::optional<std::span<const double>> Part::column_view(const std::optional<Column>& column) {
    if (!column) return std::nullopt;
    return std::span<const double>(*column);
}

std::optional<Coord> Part::get(std::size_t index) const {
    if (index >= size()) return std::nullopt;
    const double x = xs_[index];
    const double y = ys_[index];
    if (zs_ && ms_) return Coord::xyzm(x, y, (*zs_)[index], (*ms_)[index]);
    if (zs_) return Coord::xyz(x, y, (*zs_)[index]);
    if (ms_) return Coord::xym(x, y, (*ms_)[index]);
    return Coord::xy(x, y);
}

void Part::write(std::size_t index, const Coord& coord) {
    xs_[index] = coord.x();
    ys_[index] = coord.y();
    if (zs_) (*zs_)[index] = coord.z().value_or(kNaN);
    if (ms_) (*ms_)[index] = coord.m().value_or(kNaN);
}

std::optional<Coord> Part::set(std::size_t index, const Coord& coord) {
    std::optional<Coord> previous = get(index);
    if (previous) write(index, coord);
    return previous;
}

void Part::push(const Coord& coord) {
    insert(size(), coord);
}

void Part::push(double x, double y, std::optional<double> z, std::optional<double> m) {
    reserve_one_more();
    xs_.push_back(x);
    ys_.push_back(y);
    if (zs_) zs_->push_back(z.value_or(kNaN));
    if (ms_) ms_->push_back(m.value_or(kNaN));
}

void Part::push_buffer(std::span<const double> values) {
    reserve_one_more();
    std::size_t next = 0;
    for_each_column([&](Column& column) { column.push_back(next < values.size() ? values[next++] : kNaN); });
}

void Part::insert(std::size_t index, const Coord& coord) {
    if (index > size()) internal_failure("Internal error: Part::insert beyond the end");
    reserve_one_more();
    for_each_column([index](Column& column) { column.insert(column.begin() + index, 0.0); });
    write(index, coord);
}

std::optional<Coord> Part::remove(std::size_t index) {
    std::optional<Coord> removed = get(index);
    if (removed) for_each_column([index](Column& column) { column.erase(column.begin() + index); });
    return removed;
}

std::optional<Coord> Part::pop() {
    if (empty()) return std::nullopt;
    return remove(size() - 1);
}

void Part::clear() {
    for_each_column([](Column& column) { column.clear(); });
}

void Part::reserve(std::size_t vertices) {
    for_each_column([vertices](Column& column) { column.reserve(vertices); });
}

void Part::reserve_one_more() {
    // Geometric growth keeps appends amortized constant; reserving every column before any of them
    // grows keeps the columns equally long even when an allocation fails.
    for_each_column([](Column& column) {
        if (column.size() == column.capacity()) column.reserve(column.empty() ? 4 : column.size() * 2);
    });
}

std::size_t Part::heap_bytes() const {
    std::size_t bytes = (xs_.capacity() + ys_.capacity()) * sizeof(double);
    if (zs_) bytes += zs_->capacity() * sizeof(double);
    if (ms_) bytes += ms_->capacity() * sizeof(double);
    return bytes;
}

}  // namespace velmor::core
