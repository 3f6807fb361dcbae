#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "coord.hpp"
#include "dims.hpp"
#include "shared.hpp"

namespace velmor::core {

// One ordered vertex list (a path, a ring or a point set) stored column-wise. The presence of the
// z and m columns is fixed at creation; a stored coordinate is adapted to it (NaN for a z or m it
// lacks, extra values dropped), so a vertex read back always has the part's dimensionality.
// Out-of-range reads, writes and removals give an absent result and change nothing.
class Part {
public:
    Part(bool has_z, bool has_m);
    explicit Part(Dims dims) : Part(core::has_z(dims), core::has_m(dims)) {}
    // Takes the columns as they are (no copy); absent zs or ms means the part has no z or m. All
    // present columns must have the same length.
    static Part from_columns(std::vector<double> xs, std::vector<double> ys,
                             std::optional<std::vector<double>> zs = std::nullopt,
                             std::optional<std::vector<double>> ms = std::nullopt);

    std::size_t size() const { return xs_.size(); }
    bool empty() const { return xs_.empty(); }
    Dims dims() const { return dims_from_flags(has_z(), has_m()); }
    bool has_z() const { return zs_.has_value(); }
    bool has_m() const { return ms_.has_value(); }

    std::optional<Coord> get(std::size_t index) const;
    // Returns the previous vertex.
    std::optional<Coord> set(std::size_t index, const Coord& coord);
    void push(const Coord& coord);
    // An absent z or m becomes NaN in a present column.
    void push(double x, double y, std::optional<double> z, std::optional<double> m);
    // One vertex from a flat list: x, y, then z and m over the present columns only; NaN once the
    // list runs out, surplus values ignored.
    void push_buffer(std::span<const double> values);
    // index <= size(); callers check it.
    void insert(std::size_t index, const Coord& coord);
    std::optional<Coord> remove(std::size_t index);
    std::optional<Coord> pop();
    void clear();

    void reserve(std::size_t vertices);
    // Makes room for one more vertex in every column, so the next write of a vertex cannot throw.
    void reserve_one_more();

    // Read access to the columns for conversions and bulk readers.
    std::span<const double> xs() const { return xs_; }
    std::span<const double> ys() const { return ys_; }
    std::optional<std::span<const double>> zs() const { return column_view(zs_); }
    std::optional<std::span<const double>> ms() const { return column_view(ms_); }

    // Bytes held by the columns (by capacity); the part itself adds sizeof(Part).
    std::size_t heap_bytes() const;

private:
    using Column = std::vector<double>;
    Part(Column xs, Column ys, std::optional<Column> zs, std::optional<Column> ms);

    static std::optional<std::span<const double>> column_view(const std::optional<Column>& column);
    template <class Visit>
    void for_each_column(Visit visit);
    void write(std::size_t index, const Coord& coord);

    Column xs_;
    Column ys_;
    std::optional<Column> zs_;
    std::optional<Column> ms_;
};

using SharedPart = Shared<Part>;

}  // namespace velmor::core
