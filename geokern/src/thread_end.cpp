#include "thread_end.hpp"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdlib>

namespace geokern {
namespace {

// One slot per kept list (a block size or a handle kind): a fixed number the library knows when it is
// built, far below this.
constexpr std::size_t cleanup_capacity = 64;

constinit std::array<std::atomic<ThreadEndCleanup>, cleanup_capacity> cleanups{};
constinit std::atomic<std::size_t> cleanup_count{0};

struct ThreadEnd {
    bool armed = false;
    ~ThreadEnd() {
        const std::size_t count = cleanup_count.load(std::memory_order_acquire);
        for (std::size_t i = 0; i < count && i < cleanup_capacity; ++i) {
            if (const ThreadEndCleanup cleanup = cleanups[i].load(std::memory_order_acquire)) cleanup();
        }
    }
};

}  // namespace

bool register_thread_end_cleanup(ThreadEndCleanup cleanup) noexcept {
    const std::size_t slot = cleanup_count.fetch_add(1, std::memory_order_acq_rel);
    // More lists than slots is a mistake in the library itself, caught by its first test run.
    if (slot >= cleanup_capacity) std::abort();
    cleanups[slot].store(cleanup, std::memory_order_release);
    return true;
}

void arm_thread_end_cleanup() noexcept {
    static thread_local ThreadEnd thread_end;
    thread_end.armed = true;
}

}  // namespace geokern
