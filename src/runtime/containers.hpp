#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/result.hpp"
#include "error_capture.hpp"
#include "owned.hpp"

namespace velmor::runtime {

// A transient array or element handle, released when the operation that received it ends; a failure
// to release it is an internal failure with the given message.
template <class Handle>
class Transient {
public:
    using Release = void (*)(Handle, const GK_ErrorHandler*);
    Transient(Handle handle, Release release, const char* failure) : handle_(handle), release_(release), failure_(failure) {}
    Transient(const Transient&) = delete;
    Transient& operator=(const Transient&) = delete;
    ~Transient() noexcept(false) {
        ErrorSlot slot;
        release_(handle_, slot.handler());
        if (auto error = slot.take(); error && std::uncaught_exceptions() == 0) {
            core::internal_failure(std::string(failure_) + ": " + error->debug());
        }
    }
    Handle get() const { return handle_; }

private:
    Handle handle_;
    Release release_;
    const char* failure_;
};

using ArrayHandleGuard = Transient<GK_ArrayHandle>;
using ElementHandleGuard = Transient<GK_ElementHandle>;

ArrayHandleGuard guard_array(GK_ArrayHandle array);
ElementHandleGuard guard_element(GK_ElementHandle element);

// How the value of one array element is read: GK_Element_getValueAsGeometry and its kin.
template <class Tag>
using ElementReader = typename Tag::Handle (*)(GK_ElementHandle, const GK_ErrorHandler*);

// Turns an array returned by the runtime core into owners, in array order. Runtime errors of the
// container calls are returned; the array, every element and (on failure) every owner collected so
// far are released on every path.
template <class Tag>
RuntimeResult<std::vector<Owned<Tag>>> array_to_list(GK_ArrayHandle array, ElementReader<Tag> read) {
    if (array == nullptr) core::internal_failure("Internal error: Received null GK_ArrayHandle");
    const FunctionTable& gk = functions();
    ArrayHandleGuard array_guard = guard_array(array);
    auto size = invoke(gk.Array_getSize, array);
    if (!size) return std::unexpected(std::move(size.error()));
    std::vector<Owned<Tag>> owners;
    owners.reserve(*size);
    for (uint64_t i = 0; i < *size; ++i) {
        auto element = invoke(gk.Array_at, array, i);
        if (!element) return std::unexpected(std::move(element.error()));
        if (*element == nullptr) core::internal_failure("Internal error: Unexpected null handle");
        ElementHandleGuard element_guard = guard_element(*element);
        auto value = invoke(read, *element);
        if (!value) return std::unexpected(std::move(value.error()));
        owners.push_back(Owned<Tag>::take(*value));
    }
    return owners;
}

// A vector handle passed into the runtime core; released with no handler, so a failure to release it
// goes unnoticed.
class VectorOwned {
public:
    explicit VectorOwned(GK_VectorHandle handle) : handle_(handle) {}
    VectorOwned(VectorOwned&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    VectorOwned& operator=(VectorOwned&&) = delete;
    VectorOwned(const VectorOwned&) = delete;
    ~VectorOwned();
    GK_VectorHandle get() const { return handle_; }

private:
    GK_VectorHandle handle_;
};

// Sets the value of the element for item `index`; returns a runtime failure as a NativeError.
using ElementSetter = std::function<core::Result<void>(GK_ElementHandle element, std::size_t index)>;

// Builds a vector of `count` items of one element type (GK_ELEMENT_TYPE_FLOAT64 for numbers,
// GK_ELEMENT_TYPE_GEOMETRY for geometries), reusing one element. The first failure stops and is
// returned, with the vector and the element released.
core::Result<VectorOwned> list_to_vector(GK_ElementType type, std::size_t count, const ElementSetter& set_item);

core::Result<VectorOwned> vector_of_doubles(std::span<const double> values);

// A runtime failure of a container call as the system's error value.
template <class T>
core::Result<T> as_native(RuntimeResult<T>&& result) {
    if (!result) return core::fail(to_native_error(result.error()));
    if constexpr (std::is_void_v<T>) {
        return {};
    } else {
        return std::move(*result);
    }
}

}  // namespace velmor::runtime
