#pragma once

#include <atomic>
#include <cstdint>

namespace geokern {

// A number that names one geometry value for the engine's caches, given on first use. A copy is a new
// value and gets a number of its own, so a cache never mistakes it for the original. Values behind
// handles never change, so the number stays true for the value's life.
class ValueIdentity {
  public:
    ValueIdentity() = default;
    ValueIdentity(const ValueIdentity&) noexcept {}
    ValueIdentity& operator=(const ValueIdentity&) noexcept {
        id_.store(0, std::memory_order_relaxed);
        return *this;
    }

    uint64_t get() const noexcept {
        uint64_t id = id_.load(std::memory_order_acquire);
        if (id != 0) return id;
        static std::atomic<uint64_t> next{1};
        const uint64_t fresh = next.fetch_add(1, std::memory_order_relaxed);
        // Two threads may race to name the value; the first name stored wins for both.
        return id_.compare_exchange_strong(id, fresh, std::memory_order_acq_rel) ? fresh : id;
    }

  private:
    mutable std::atomic<uint64_t> id_{0};
};

}  // namespace geokern
