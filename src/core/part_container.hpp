#pragma once

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "dims.hpp"
#include "internal_failure.hpp"
#include "result.hpp"
#include "shared.hpp"

namespace velmor::core {

// The parts of a polyline or polygon, of one kind (linear or curve parts), held as shared handles:
// the same part may sit in several containers and Python views, and a change through any of them is
// seen through all. Every part has the container's dimensionality; a part of another one is refused
// with MismatchingDims before anything else is looked at, and the container is left unchanged.
template <class PartT>
class PartContainer {
public:
    using Handle = Shared<PartT>;

    PartContainer(bool has_z, bool has_m) : has_z_(has_z), has_m_(has_m) {}
    explicit PartContainer(Dims dims) : PartContainer(core::has_z(dims), core::has_m(dims)) {}

    static Result<PartContainer> from_parts(Dims dims, std::vector<Handle> parts) {
        PartContainer container(dims);
        container.parts_.reserve(parts.size());
        for (Handle& part : parts) VELMOR_TRY(container.push(std::move(part)));
        return container;
    }

    Dims dims() const { return dims_from_flags(has_z_, has_m_); }
    bool has_z() const { return has_z_; }
    bool has_m() const { return has_m_; }
    std::size_t size() const { return parts_.size(); }
    bool empty() const { return parts_.empty(); }

    Result<void> push(Handle part) {
        VELMOR_TRY(check_dims(part));
        parts_.push_back(std::move(part));
        return {};
    }

    // index <= size(); callers check it.
    Result<void> insert(std::size_t index, Handle part) {
        VELMOR_TRY(check_dims(part));
        if (index > parts_.size()) internal_failure("Internal error: part container insert beyond the end");
        parts_.insert(parts_.begin() + static_cast<std::ptrdiff_t>(index), std::move(part));
        return {};
    }

    // Returns the previous handle; absent (and the offered handle dropped) when index >= size().
    Result<std::optional<Handle>> set(std::size_t index, Handle part) {
        VELMOR_TRY(check_dims(part));
        if (index >= parts_.size()) return std::optional<Handle>();
        std::swap(parts_[index], part);
        return std::optional<Handle>(std::move(part));
    }

    // A copy of the handle: the caller shares the part.
    std::optional<Handle> get(std::size_t index) const {
        if (index >= parts_.size()) return std::nullopt;
        return parts_[index];
    }

    std::optional<Handle> remove(std::size_t index) {
        if (index >= parts_.size()) return std::nullopt;
        Handle removed = std::move(parts_[index]);
        parts_.erase(parts_.begin() + static_cast<std::ptrdiff_t>(index));
        return removed;
    }

    std::optional<Handle> pop() {
        if (parts_.empty()) return std::nullopt;
        return remove(parts_.size() - 1);
    }

    void clear() { parts_.clear(); }

    auto begin() const { return parts_.begin(); }
    auto end() const { return parts_.end(); }

private:
    Result<void> check_dims(const Handle& part) const {
        const Dims offered = part.lock()->dims();
        if (offered != dims()) return fail(NativeError::mismatching_dims(dims(), offered));
        return {};
    }

    std::vector<Handle> parts_;
    bool has_z_;
    bool has_m_;
};

}  // namespace velmor::core
