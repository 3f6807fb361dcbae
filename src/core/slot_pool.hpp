#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <utility>
#include <variant>
#include <vector>

#include "internal_failure.hpp"

namespace velmor::core {

// An index-stable pool: a value keeps its key until it is removed, whatever else is inserted or
// removed. Vacant slots form a chain through their successor indices; the most recently freed slot
// heads it and is reused first, so a pool never holds more slots than its peak occupancy.
template <class T>
class SlotPool {
public:
    using Key = std::uint32_t;

    Key insert(T value) {
        const Key key = first_vacant_;
        if (key == slots_.size()) {
            if (slots_.size() >= kMaxSlots) internal_failure("Internal error: curve pool is full");
            slots_.emplace_back(std::in_place_index<0>, std::move(value));
            first_vacant_ = static_cast<Key>(slots_.size());
        } else {
            first_vacant_ = std::get<Vacant>(slots_[key]).next;
            slots_[key].template emplace<0>(std::move(value));
        }
        ++occupied_;
        return key;
    }

    T remove(Key key) {
        T value = std::move(occupied_slot(*this, key));
        slots_[key] = Vacant{first_vacant_};
        first_vacant_ = key;
        --occupied_;
        return value;
    }

    const T& get(Key key) const { return occupied_slot(*this, key); }

    void clear() {
        slots_.clear();
        occupied_ = 0;
        first_vacant_ = 0;
    }

    // Lets the next insert append without reallocating (and so without throwing).
    void reserve_one_more() {
        if (first_vacant_ == slots_.size() && slots_.size() == slots_.capacity()) {
            slots_.reserve(slots_.empty() ? 4 : slots_.size() * 2);
        }
    }

    std::size_t size() const { return occupied_; }
    std::size_t slot_count() const { return slots_.size(); }
    std::size_t heap_bytes() const { return slots_.capacity() * sizeof(Slot); }

private:
    struct Vacant {
        Key next;
    };
    using Slot = std::variant<T, Vacant>;
    static constexpr std::size_t kMaxSlots = std::numeric_limits<Key>::max();

    // Reading or freeing a vacant or unknown key means an entry and the pool disagree.
    template <class Self>
    static auto& occupied_slot(Self& self, Key key) {
        if (key >= self.slots_.size() || self.slots_[key].index() != 0) internal_failure("invalid key");
        return std::get<0>(self.slots_[key]);
    }

    std::vector<Slot> slots_;
    std::size_t occupied_ = 0;
    Key first_vacant_ = 0;  // == slots_.size() when no slot is vacant
};

}  // namespace velmor::core
