// A polygon of 1,000,000 vertices assembled through the binding's builders and read back, the way the
// conversions between native and runtime geometry do it. Prints processor nanoseconds per vertex each way.
//
//   cmake -S . -B build/bench -G Ninja -DVELMOR_BUILD_BENCH=ON
//   cmake --build build/bench -j2 --target runtime_builders_bench
//   build/bench/bench/runtime_builders_bench
#include <cmath>
#include <cstdio>
#include <ctime>
#include <numbers>
#include <span>
#include <vector>

#include "runtime/builders.hpp"
#include "runtime/geometry.hpp"
#include "runtime/library_probe.hpp"
#include "runtime/parts.hpp"

#include "thread_clock.hpp"

using namespace velmor::runtime;
using velmor::core::Coord;

namespace {

constexpr std::size_t vertex_count = 1'000'000;

// Column-wise vertices on a circle, as a native part keeps them.
struct Columns {
    std::vector<double> xs, ys;
};

Columns circle() {
    Columns columns;
    columns.xs.reserve(vertex_count);
    columns.ys.reserve(vertex_count);
    for (std::size_t i = 0; i < vertex_count; ++i) {
        const double angle = -2 * std::numbers::pi * double(i) / double(vertex_count);
        columns.xs.push_back(std::cos(angle));
        columns.ys.push_back(std::sin(angle));
    }
    return columns;
}

Polygon assemble(const Columns& columns) {
    const PartGroup ring{1, [&](std::size_t, const MutablePart& part) -> RuntimeResult<void> {
                             for (std::size_t i = 0; i < vertex_count; ++i) {
                                 add_vertex(part, Coord::xy(columns.xs[i], columns.ys[i]));
                             }
                             return {};
                         }};
    auto polygon = assemble_polygon(nullptr, std::span(&ring, 1));
    if (!polygon) {
        std::fprintf(stderr, "assembly failed: %s\n", polygon.error().display().c_str());
        std::exit(1);
    }
    return std::move(*polygon);
}

// Reads every vertex back as the linear-part conversion does: the points of each part, in order.
double read_back(const Polygon& polygon, std::size_t& vertices) {
    double checksum = 0;
    PartIterator parts(velmor::runtime::parts(polygon.get()));
    while (auto part = parts.next()) {
        PointIterator points(points_of(*part));
        while (auto point = points.next()) {
            const Coord coord = point_coord(point->get());
            checksum += coord.x() + coord.y();
            ++vertices;
        }
    }
    return checksum;
}

}  // namespace

int main() {
    auto loaded = load_from_path(VELMOR_BENCH_GEOKERN_PATH);
    if (!loaded) {
        std::fprintf(stderr, "cannot load geokern: %s\n", loaded.error().c_str());
        return 1;
    }
    const Columns columns = circle();
    const double build_start = thread_seconds();
    Polygon polygon = assemble(columns);
    const double build_seconds = thread_seconds() - build_start;

    std::size_t vertices = 0;
    const double read_start = thread_seconds();
    const double checksum = read_back(polygon, vertices);
    const double read_seconds = thread_seconds() - read_start;

    std::printf("polygon of %zu vertices through the builders (checksum %.3f)\n", vertices, checksum);
    std::printf("  assemble:  %6.1f ns per vertex\n", build_seconds * 1e9 / double(vertex_count));
    std::printf("  read back: %6.1f ns per vertex\n", read_seconds * 1e9 / double(vertices));
    return vertices == vertex_count ? 0 : 1;
}
