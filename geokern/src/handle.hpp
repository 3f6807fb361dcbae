#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <utility>

#include "failure.hpp"

namespace geokern {

// Handles alive right now, across all families; the leak check and the tests read it.
std::atomic<int64_t>& live_handle_count();

// What a handle points at: a small heap box owning one shared reference to its value, so a value read
// out of a container stays valid after the container is gone.
template <class Value>
struct Box {
    explicit Box(std::shared_ptr<Value> shared) : value(std::move(shared)) { ++live_handle_count(); }
    ~Box() { --live_handle_count(); }
    Box(const Box&) = delete;
    Box& operator=(const Box&) = delete;
    std::shared_ptr<Value> value;
};

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

template <class Handle, class... Args>
Handle make_handle(Args&&... args) {
    return new_handle<Handle>(std::make_shared<ValueOf<Handle>>(std::forward<Args>(args)...));
}

// The shared value behind a handle; a null handle is the caller's error.
template <class Handle>
const std::shared_ptr<ValueOf<Handle>>& shared_value(Handle handle) {
    if (handle == nullptr) {
        fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.",
             std::string("the ") + HandleTraits<Handle>::name + " handle is null.");
    }
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
