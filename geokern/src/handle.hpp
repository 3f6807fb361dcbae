#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <utility>

#include "block_pool.hpp"
#include "failure.hpp"
#include "handle_count.hpp"

namespace geokern {


// What a handle points at: a small heap box owning one shared reference to its value, so a value read
// out of a container stays valid after the container is gone. Boxes come from the block pool: a
// conversion makes and releases one per vertex.
template <class Value>
struct Box {
    explicit Box(std::shared_ptr<Value> shared) : value(std::move(shared)) { count_handle(1); }
    ~Box() { count_handle(-1); }
    Box(const Box&) = delete;
    Box& operator=(const Box&) = delete;
    static void* operator new(std::size_t) { return BlockPool<sizeof(Box)>::take(); }
    static void operator delete(void* block) noexcept { BlockPool<sizeof(Box)>::give_back(block); }
    std::shared_ptr<Value> value;
};

// Values up to this size (points, segments, envelopes, part views) share one pooled block with their
// counts; larger ones are rare enough for the allocator, and a kept list of them would hold much memory.
inline constexpr std::size_t pooled_value_limit = 256;

// The value type behind each handle type, and the name used in messages about it.
template <class Handle>
struct HandleTraits;

#define GEOKERN_HANDLE_VALUE(HandleType, ValueType, text) \
    template <>                                            \
    struct HandleTraits<HandleType> {                      \
        using Value = ValueType;                           \
        static constexpr const char* name = text;          \
    }

template <class Handle>
using ValueOf = typename HandleTraits<Handle>::Value;

template <class Handle>
Handle new_handle(std::shared_ptr<ValueOf<Handle>> value) {
    return reinterpret_cast<Handle>(new Box<ValueOf<Handle>>(std::move(value)));
}

// A new value and its counts in one block, pooled when the value is small.
template <class Value, class... Args>
std::shared_ptr<Value> make_value(Args&&... args) {
    if constexpr (sizeof(Value) <= pooled_value_limit && alignof(Value) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__) {
        return std::allocate_shared<Value>(PooledAllocator<Value>(), std::forward<Args>(args)...);
    } else {
        return std::make_shared<Value>(std::forward<Args>(args)...);
    }
}

template <class Handle, class... Args>
Handle make_handle(Args&&... args) {
    return new_handle<Handle>(make_value<ValueOf<Handle>>(std::forward<Args>(args)...));
}

// The shared value behind a handle; a null handle is the caller's error.
[[noreturn]] void null_handle(const char* handle_name);

template <class Handle>
const std::shared_ptr<ValueOf<Handle>>& shared_value(Handle handle) {
    if (handle == nullptr) null_handle(HandleTraits<Handle>::name);
    return reinterpret_cast<Box<ValueOf<Handle>>*>(handle)->value;
}

template <class Handle>
ValueOf<Handle>& value_of(Handle handle) {
    return *shared_value(handle);
}

// Releasing a null handle does nothing, as free() does.
template <class Handle>
void destroy_handle(Handle handle) {
    delete reinterpret_cast<Box<ValueOf<Handle>>*>(handle);
}

}  // namespace geokern
