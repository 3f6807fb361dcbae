#pragma once

#include <atomic>
#include <cstdint>

namespace velmor::core {

// A non-reentrant lock in one byte, with room for the poisoned mark of the value it guards. Every
// live geometry has a few of these (one per shared cell), so a full mutex would cost more than the
// vertices of a small ring. Contention is rare (the interpreter lock serialises Python callers), so a
// waiter just sleeps on the byte until the holder, seeing its mark, wakes it.
class CompactLock {
public:
    // Returns whether the guarded value was poisoned when the lock was taken.
    bool lock() noexcept {
        std::uint8_t seen = state_.load(std::memory_order_relaxed);
        for (;;) {
            if ((seen & kLocked) == 0) {
                if (state_.compare_exchange_weak(seen, seen | kLocked, std::memory_order_acquire,
                                                 std::memory_order_relaxed)) {
                    return (seen & kPoisoned) != 0;
                }
                continue;
            }
            if ((seen & kWaiting) == 0 &&
                !state_.compare_exchange_weak(seen, seen | kWaiting, std::memory_order_relaxed)) {
                continue;
            }
            state_.wait(seen | kWaiting, std::memory_order_relaxed);
            seen = state_.load(std::memory_order_relaxed);
        }
    }

    // Releases the lock; `poison` marks the value poisoned for good.
    void unlock(bool poison) noexcept {
        const std::uint8_t kept = poison ? kPoisoned : (state_.load(std::memory_order_relaxed) & kPoisoned);
        const std::uint8_t before = state_.exchange(kept, std::memory_order_release);
        if ((before & kWaiting) != 0) state_.notify_all();
    }

    bool is_poisoned() const noexcept { return (state_.load(std::memory_order_acquire) & kPoisoned) != 0; }

private:
    static constexpr std::uint8_t kLocked = 1;
    static constexpr std::uint8_t kPoisoned = 2;
    static constexpr std::uint8_t kWaiting = 4;

    std::atomic<std::uint8_t> state_{0};
};

}  // namespace velmor::core
