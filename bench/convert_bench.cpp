// A native polyline of 1,000,000 XY vertices converted to a runtime polyline and back, as every engine
// operation does, beside shapely building and reading a LineString of the same coordinates from numpy.
// Prints processor nanoseconds per vertex each way and the ratios, each the best of `runs` runs, so that a
// busy machine adds as little as it can to either side. Our first run is printed too: it also pays for
// the first touch of its memory, which the later runs find ready.
//
//   cmake -S . -B build/bench -G Ninja -DVELMOR_BUILD_BENCH=ON -DPython_EXECUTABLE=$PWD/.venv/bin/python
//   cmake --build build/bench -j2 --target convert_bench
//   build/bench/bench/convert_bench
#include <algorithm>
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
constexpr int runs = 5;

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

struct Timing {
    double first_ns = 0, best_ns = INFINITY;
};

// Runs `convert` `runs` times, timing each run per vertex; the last result is returned.
template <class Convert>
auto timed_runs(Timing& timing, const Convert& convert) {
    for (int run = 1;; ++run) {
        const double start = thread_seconds();
        auto result = convert();
        const double ns = (thread_seconds() - start) * 1e9 / double(vertex_count);
        if (run == 1) timing.first_ns = ns;
        timing.best_ns = std::min(timing.best_ns, ns);
        if (run == runs) return result;
    }
}

struct PeerFigures {
    double build_ns, read_ns;
};

// shapely's figures per vertex, measured by the same processor-time clock in a child interpreter.
std::optional<PeerFigures> shapely_figures() {
#ifdef VELMOR_BENCH_PYTHON
    const std::string script = R"(
import time, numpy as np, shapely
n, runs = )" + std::to_string(vertex_count) + ", " + std::to_string(runs) +
                               R"(
t = np.arange(n) / n
coords = np.column_stack((t * np.cos(20 * np.pi * t), t * np.sin(20 * np.pi * t)))
build = read = float("inf")
for _ in range(runs):
    start = time.thread_time(); line = shapely.linestrings(coords); build = min(build, time.thread_time() - start)
    start = time.thread_time(); back = shapely.get_coordinates(line); read = min(read, time.thread_time() - start)
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

    Timing to;
    auto runtime = timed_runs(to, [&] { return runtime::convert::polyline_to_runtime(native); });
    if (!runtime) return 1;

    Timing from;
    auto back = timed_runs(from, [&] { return runtime::convert::polyline_from_runtime(*runtime); });
    if (!back || checksum(*back) != checksum(native)) {
        std::fprintf(stderr, "the polyline did not come back unchanged\n");
        return 1;
    }

    std::printf("polyline of %zu XY vertices, native <-> runtime, best of %d runs\n", vertex_count, runs);
    std::printf("  to runtime:   %7.1f ns per vertex (first run %.1f)\n", to.best_ns, to.first_ns);
    std::printf("  from runtime: %7.1f ns per vertex (first run %.1f)\n", from.best_ns, from.first_ns);
    if (const auto peer = shapely_figures()) {
        std::printf("shapely LineString from / to numpy, same coordinates, best of %d runs\n", runs);
        std::printf("  build:        %7.1f ns per vertex (ours %.1fx)\n", peer->build_ns,
                    to.best_ns / peer->build_ns);
        std::printf("  read:         %7.1f ns per vertex (ours %.1fx)\n", peer->read_ns,
                    from.best_ns / peer->read_ns);
    } else {
        std::printf("shapely not available: no comparison\n");
    }
    return 0;
}
