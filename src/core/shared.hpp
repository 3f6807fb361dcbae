#pragma once

#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>

#include "internal_failure.hpp"
#include "result.hpp"

namespace velmor::core {

// A reference-counted, lock-guarded value shared between native geometries and Python views. The
// lock is not reentrant and is held for one access only, outer to inner (geometry, container, part).
//
// Poisoning: a guard remembers how many exceptions were in flight when it locked; if it is released
// while a newer one unwinds, the holder failed midway and the value may be half-changed, so the lock
// stays poisoned for good. Native code that meets a poisoned lock stops with an internal failure
// carrying its fixed text (lock()); the Python-facing layer gets the Lock error (lock_checked()).
// Either way the refused caller never sees the value.
template <class T>
class Shared {
    struct Cell {
        template <class... Args>
        explicit Cell(Args&&... args) : value(std::forward<Args>(args)...) {}
        std::mutex mutex;
        bool poisoned = false;
        T value;
    };

public:
    class Guard {
    public:
        Guard(Guard&&) noexcept = default;
        Guard& operator=(Guard&&) = delete;
        ~Guard() {
            if (lock_.owns_lock() && std::uncaught_exceptions() > exceptions_at_lock_) cell_->poisoned = true;
        }
        T& operator*() const { return cell_->value; }
        T* operator->() const { return &cell_->value; }

    private:
        friend class Shared;
        explicit Guard(Cell& cell, std::unique_lock<std::mutex> lock)
            : lock_(std::move(lock)), cell_(&cell), exceptions_at_lock_(std::uncaught_exceptions()) {}
        std::unique_lock<std::mutex> lock_;
        Cell* cell_;
        int exceptions_at_lock_;
    };

    explicit Shared(T value) : cell_(std::make_shared<Cell>(std::move(value))) {}
    // A handle is never empty: moving one copies it (one atomic count), so no moved-from handle
    // can be left behind to be locked later.
    Shared(const Shared&) = default;
    Shared& operator=(const Shared&) = default;
    ~Shared() = default;
    template <class... Args>
    static Shared make(Args&&... args) {
        return Shared(std::make_shared<Cell>(std::forward<Args>(args)...));
    }

    static constexpr std::string_view kPoisoned = "Lock poisoned";

    // For the native model: a poisoned lock is a broken invariant.
    Guard lock(std::string_view poisoned_message = kPoisoned) const {
        std::unique_lock<std::mutex> lock(cell_->mutex);
        if (cell_->poisoned) {
            lock.unlock();
            internal_failure(std::string(poisoned_message));
        }
        return Guard(*cell_, std::move(lock));
    }

    // For the Python-facing layer: a poisoned lock is reported as the Lock error, after the lock
    // has been released again.
    Result<Guard> lock_checked() const {
        std::unique_lock<std::mutex> lock(cell_->mutex);
        if (cell_->poisoned) {
            lock.unlock();
            return fail(NativeError::poisoned_lock());
        }
        return Guard(*cell_, std::move(lock));
    }

    // Recovery and inspection after a failure: the value as it was left, poisoned or not.
    Guard lock_ignoring_poison() const { return Guard(*cell_, std::unique_lock<std::mutex>(cell_->mutex)); }

    bool is_poisoned() const {
        std::lock_guard<std::mutex> lock(cell_->mutex);
        return cell_->poisoned;
    }

    // True when both handles share one value.
    bool same_value(const Shared& other) const { return cell_ == other.cell_; }
    long holders() const { return cell_.use_count(); }

private:
    explicit Shared(std::shared_ptr<Cell> cell) : cell_(std::move(cell)) {}
    std::shared_ptr<Cell> cell_;
};

}  // namespace velmor::core
