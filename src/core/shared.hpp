#pragma once

#include <atomic>
#include <cstdint>
#include <exception>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "compact_lock.hpp"
#include "internal_failure.hpp"
#include "result.hpp"

namespace velmor::core {

// The lock of one value held by its one holder. Locks are not reentrant and are held for one access
// only, outer to inner (geometry, container, part).
//
// Poisoning: a guard remembers how many exceptions were in flight when it locked; if it is released
// while a newer one unwinds, the holder failed midway and the value may be half-changed, so the lock
// stays poisoned for good. Native code that meets a poisoned lock stops with an internal failure
// carrying its fixed text (lock()); the Python-facing layer gets the Lock error (lock_checked()).
// Either way the refused caller never sees the value.
template <class T>
class LockGuard {
public:
    static constexpr std::string_view kPoisoned = "Lock poisoned";

    // For the native model: a poisoned lock is a broken invariant.
    static LockGuard lock(CompactLock& lock, T& value, std::string_view poisoned_message = kPoisoned) {
        if (lock.lock()) {
            lock.unlock(false);
            internal_failure(std::string(poisoned_message));
        }
        return LockGuard(lock, value);
    }

    // For the Python-facing layer: a poisoned lock is reported as the Lock error, after the lock
    // has been released again.
    static Result<LockGuard> lock_checked(CompactLock& lock, T& value) {
        if (lock.lock()) {
            lock.unlock(false);
            return fail(NativeError::poisoned_lock());
        }
        return LockGuard(lock, value);
    }

    // Recovery and inspection after a failure: the value as it was left, poisoned or not.
    static LockGuard lock_ignoring_poison(CompactLock& lock, T& value) {
        lock.lock();
        return LockGuard(lock, value);
    }

    LockGuard(LockGuard&& other) noexcept
        : lock_(std::exchange(other.lock_, nullptr)),
          value_(other.value_),
          exceptions_at_lock_(other.exceptions_at_lock_) {}
    LockGuard& operator=(LockGuard&&) = delete;
    ~LockGuard() {
        if (lock_ == nullptr) return;
        lock_->unlock(exceptions_at_lock_ != kReadOnly && std::uncaught_exceptions() > exceptions_at_lock_);
    }
    T& operator*() const { return *value_; }
    T* operator->() const { return value_; }

    // For a holder that only reads: its failure cannot leave the value half-changed, so releasing the
    // lock while an exception unwinds does not poison it.
    const T& read_only() {
        exceptions_at_lock_ = kReadOnly;
        return *value_;
    }

private:
    static constexpr int kReadOnly = -1;

    // Takes over a lock already held.
    LockGuard(CompactLock& lock, T& value)
        : lock_(&lock), value_(&value), exceptions_at_lock_(std::uncaught_exceptions()) {}
    CompactLock* lock_;
    T* value_;
    int exceptions_at_lock_;
};

// A lock-guarded value kept in place, for an object that never shares it.
template <class T>
class Locked {
public:
    using Guard = LockGuard<T>;

    explicit Locked(T value) : value_(std::move(value)) {}
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

    Guard lock(std::string_view poisoned_message = Guard::kPoisoned) const {
        return Guard::lock(lock_, value_, poisoned_message);
    }
    Result<Guard> lock_checked() const { return Guard::lock_checked(lock_, value_); }
    Guard lock_ignoring_poison() const { return Guard::lock_ignoring_poison(lock_, value_); }
    bool is_poisoned() const { return lock_.is_poisoned(); }

private:
    mutable CompactLock lock_;
    mutable T value_;
};

// A reference-counted, lock-guarded value shared between native geometries and Python views, locked
// as LockGuard describes.
template <class T>
class Shared {
    // One block per value: the count of handles, the lock with its poisoned mark, the value.
    struct Cell {
        template <class... Args>
        explicit Cell(Args&&... args) : value(std::forward<Args>(args)...) {}
        std::atomic<std::uint32_t> holders{1};
        CompactLock lock;
        T value;
    };

public:
    using Guard = LockGuard<T>;

    explicit Shared(T value) : cell_(std::make_unique<Cell>(std::move(value)).release()) {}
    // A handle is never empty: moving one copies it (one atomic count), so no moved-from handle
    // can be left behind to be locked later.
    Shared(const Shared& other) noexcept : cell_(other.cell_) { retain(); }
    Shared& operator=(const Shared& other) noexcept {
        Shared kept(other);
        std::swap(cell_, kept.cell_);
        return *this;
    }
    ~Shared() { release(); }
    template <class... Args>
    static Shared make(Args&&... args) {
        return Shared(Adopt{}, std::make_unique<Cell>(std::forward<Args>(args)...).release());
    }

    static constexpr std::string_view kPoisoned = Guard::kPoisoned;

    Guard lock(std::string_view poisoned_message = kPoisoned) const {
        return Guard::lock(cell_->lock, cell_->value, poisoned_message);
    }
    Result<Guard> lock_checked() const { return Guard::lock_checked(cell_->lock, cell_->value); }
    Guard lock_ignoring_poison() const { return Guard::lock_ignoring_poison(cell_->lock, cell_->value); }
    bool is_poisoned() const { return cell_->lock.is_poisoned(); }

    // True when both handles share one value.
    bool same_value(const Shared& other) const { return cell_ == other.cell_; }
    long holders() const { return static_cast<long>(cell_->holders.load(std::memory_order_relaxed)); }

private:
    // Takes over a new cell (tagged, so that no other argument can pick this constructor).
    struct Adopt {};
    Shared(Adopt, Cell* cell) noexcept : cell_(cell) {}

    void retain() noexcept {
        // More handles than the count can hold would free the value while it is still shared.
        constexpr std::uint32_t kMostHolders = std::numeric_limits<std::uint32_t>::max();
        if (cell_->holders.fetch_add(1, std::memory_order_relaxed) == kMostHolders) std::terminate();
    }
    void release() noexcept {
        if (cell_->holders.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            const std::unique_ptr<Cell> last(cell_);
        }
    }

    Cell* cell_;
};

// Runs `reader` on the value that `guard` holds locked, as a read-only holder: a reader that changes
// nothing cannot leave the value half-changed, so its failure must not poison a value that views and
// other geometries share. The lock is released as the failure goes on.
template <class Guard, class Read>
auto read_without_poisoning(Guard guard, Read&& reader) -> decltype(reader(guard.read_only())) {
    return reader(guard.read_only());
}

}  // namespace velmor::core
