// A native polyline of 1,000,000 XY vertices converted to a runtime polyline and back, as every engine
// operation does, beside shapely building and reading a LineString of the same coordinates from numpy.
// Prints processor nanoseconds per vertex each way and the ratios.
//
//   cmake -S . -B build/bench -G Ninja -DVELMOR_BUILD_BENCH=ON -DPython_EXECUTABLE=$PWD/.venv/bin/python
//   cmake --build build/bench -j2 --target convert_bench
//   build/bench/bench/convert_bench
#include <cmath>
#include <cstdio>
#include <ctime>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "core/polyline.hpp"
#include "runtime/convert/multipart_geometry_conversion.hpp"
#include "runtime/library_probe.hpp"

#include "thread_clock.hpp"

using namespace velmor;

namespace {

constexpr std::size_t vertex_count = 1'000'000;

// A spiral, so no two vertices are alike; shapely computes the same coordinates below.
core::Polyline spiral() {
    std::vector<double> xs(vertex_count), ys(vertex_count);
    for (std::size_t i = 0; i < vertex_count; ++i) {
        const double t = double(i) / double(vertex_count);
        xs[i] = t * std::cos(20 * std::numbers::pi * t);
        ys[i] = t * std::sin(20 * std::numbers::pi * t);
    }
    core::Polyline polyline(core::Dims::XY);
    if (!polyline.push_path(core::SharedPart(core::Part::from_columns(std::move(xs), std::move(ys))))) {
        std::exit(1);
    }
    return polyline;
}

double checksum(const core::Polyline& polyline) {
    double sum = 0;
    for (const core::SharedPart& shared : *polyline.paths().lock()) {
        const auto part = shared.lock();
        for (std::size_t i = 0; i < part->size(); ++i) sum += part->xs()[i] + part->ys()[i];
    }
    return sum;
}

struct PeerFigures {
    double build_ns, read_ns;
};

// shapely's figures per vertex, measured by the same processor-time clock in a child interpreter.
std::optional<PeerFigures> shapely_figures() {
#ifdef VELMOR_BENCH_PYTHON
    const std::string script = R"(
import time, numpy as np, shapely
n = )" + std::to_string(vertex_count) +
                               R"(
t = np.arange(n) / n
coords = np.column_stack((t * np.cos(20 * np.pi * t), t * np.sin(20 * np.pi * t)))
start = time.thread_time(); line = shapely.linestrings(coords); build = time.thread_time() - start
start = time.thread_time(); back = shapely.get_coordinates(line); read = time.thread_time() - start
assert back.shape == (n, 2)
print(build * 1e9 / n, read * 1e9 / n)
)";
    const std::string command = std::string(VELMOR_BENCH_PYTHON) + " -c '" + script + "' 2>/dev/null";
    FILE* child = popen(command.c_str(), "r");
    if (child == nullptr) return std::nullopt;
    PeerFigures figures{};
    const int read = std::fscanf(child, "%lf %lf", &figures.build_ns, &figures.read_ns);
    if (pclose(child) != 0 || read != 2) return std::nullopt;
    return figures;
#else
    return std::nullopt;
#endif
}

}  // namespace

int main() {
    auto loaded = runtime::load_from_path(VELMOR_BENCH_GEOKERN_PATH);
    if (!loaded) {
        std::fprintf(stderr, "cannot load geokern: %s\n", loaded.error().c_str());
        return 1;
    }
    const core::Polyline native = spiral();

    const double to_start = thread_seconds();
    auto runtime = runtime::convert::polyline_to_runtime(native);
    const double to_ns = (thread_seconds() - to_start) * 1e9 / double(vertex_count);
    if (!runtime) return 1;

    const double from_start = thread_seconds();
    auto back = runtime::convert::polyline_from_runtime(*runtime);
    const double from_ns = (thread_seconds() - from_start) * 1e9 / double(vertex_count);
    if (!back || checksum(*back) != checksum(native)) {
        std::fprintf(stderr, "the polyline did not come back unchanged\n");
        return 1;
    }

    std::printf("polyline of %zu XY vertices, native <-> runtime\n", vertex_count);
    std::printf("  to runtime:   %7.1f ns per vertex\n", to_ns);
    std::printf("  from runtime: %7.1f ns per vertex\n", from_ns);
    if (const auto peer = shapely_figures()) {
        std::printf("shapely LineString from / to numpy, same coordinates\n");
        std::printf("  build:        %7.1f ns per vertex (ours %.1fx)\n", peer->build_ns,
                    to_ns / peer->build_ns);
        std::printf("  read:         %7.1f ns per vertex (ours %.1fx)\n", peer->read_ns,
                    from_ns / peer->read_ns);
    } else {
        std::printf("shapely not available: no comparison\n");
    }
    return 0;
}
