#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "coord.hpp"
#include "dims.hpp"
#include "shared.hpp"

namespace velmor::core {

// One ordered vertex list (a path, a ring or a point set) stored column-wise, all columns in one heap
// block (x, y, then z and m when present, each `capacity` long): a small ring costs one allocation
// besides its cell, not one per column. The presence of the z and m columns is fixed at creation; a
// stored coordinate is adapted to it (NaN for a z or m it lacks, extra values dropped), so a vertex
// read back always has the part's dimensionality.
// Out-of-range reads, writes and removals give an absent result and change nothing.
class Part {
public:
    Part(bool has_z, bool has_m) : has_z_(has_z), has_m_(has_m) {}
    explicit Part(Dims dims) : Part(core::has_z(dims), core::has_m(dims)) {}
    // A copy holds exactly its vertices, without the original's spare room.
    Part(const Part& other);
    Part& operator=(const Part& other);
    Part(Part&& other) noexcept;
    Part& operator=(Part&& other) noexcept;
    ~Part() = default;
    // Copies the columns into one block; absent zs or ms means the part has no z or m. All present
    // columns must have the same length.
    static Part from_columns(std::vector<double> xs, std::vector<double> ys,
                             std::optional<std::vector<double>> zs = std::nullopt,
                             std::optional<std::vector<double>> ms = std::nullopt);

    // A part of `count` vertices written straight into its block: `fill(x, y, z, m)` gets each column's
    // storage, z and m null when the part lacks them, and writes all `count` values of each.
    template <class Fill>
    static Part filled(bool has_z, bool has_m, std::size_t count, Fill&& fill) {
        Part part(has_z, has_m);
        part.reserve(count);
        fill(part.column_data(kX), part.column_data(kY), has_z ? part.column_data(part.z_column()) : nullptr,
             has_m ? part.column_data(part.m_column()) : nullptr);
        part.size_ = count;
        return part;
    }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    Dims dims() const { return dims_from_flags(has_z(), has_m()); }
    bool has_z() const { return has_z_; }
    bool has_m() const { return has_m_; }

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
    // Gives back the room beyond the vertices held, once a part is complete.
    void shrink_to_fit();

    // Read access to the columns for conversions and bulk readers.
    std::span<const double> xs() const { return column(kX); }
    std::span<const double> ys() const { return column(kY); }
    std::optional<std::span<const double>> zs() const;
    std::optional<std::span<const double>> ms() const;

    // Bytes held by the columns (by capacity); the part itself adds sizeof(Part).
    std::size_t heap_bytes() const { return capacity_ * column_count() * sizeof(double); }

private:
    static constexpr std::size_t kX = 0;
    static constexpr std::size_t kY = 1;

    std::size_t column_count() const { return 2 + std::size_t{has_z_} + std::size_t{has_m_}; }
    std::size_t z_column() const { return 2; }
    std::size_t m_column() const { return 2 + std::size_t{has_z_}; }
    std::span<const double> column(std::size_t k) const { return {block_.get() + k * capacity_, size_}; }
    double* column_data(std::size_t k) { return block_.get() + k * capacity_; }
    // Moves the vertices into a block of the given capacity (>= size()); throws before any change.
    void reallocate(std::size_t capacity);
    // Takes a copy of the vertices of a part of the same dimensionality (possibly this one) into a new
    // block of the given capacity (>= source.size()).
    void reallocate_from(const Part& source, std::size_t capacity);
    void write(std::size_t index, const Coord& coord);

    std::unique_ptr<double[]> block_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
    bool has_z_;
    bool has_m_;
};

using SharedPart = Shared<Part>;

}  // namespace velmor::core
