#pragma once

#include <atomic>
#include <cstdint>

namespace geokern {

// How many handles are alive, counted per thread: a conversion makes and releases one handle per vertex,
// and a shared atomic count would cost a locked instruction each time. Each thread keeps its own tally,
// which only it writes; reading the count (the leak check and the tests) adds up every thread's.
struct HandleTally {
    enum State : uint8_t { Unlisted, Listed, Closed };
    std::atomic<int64_t> live;
    State state;
};

inline constinit thread_local HandleTally handle_tally{0, HandleTally::Unlisted};

// Outside a listed tally (a thread's first handle, or one released while the thread ends).
void count_handle_slowly(int64_t change) noexcept;

inline void count_handle(int64_t change) noexcept {
    HandleTally& tally = handle_tally;
    if (tally.state != HandleTally::Listed) return count_handle_slowly(change);
    // Only this thread writes its tally: a plain read and write, atomic only so that a reader sees whole numbers.
    tally.live.store(tally.live.load(std::memory_order_relaxed) + change, std::memory_order_relaxed);
}

// Handles alive right now, across all families and threads; the leak check and the tests read it.
int64_t live_handle_count();

}  // namespace geokern
