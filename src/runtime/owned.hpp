#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <utility>

#include "core/internal_failure.hpp"
#include "error_capture.hpp"
#include "function_table.hpp"

namespace velmor::runtime {

// One runtime handle with exactly one owner. Move-only; dropping it releases the handle with its
// family's destroy function. Tag gives the handle type, the family and owner names used in messages,
// and the release entry of the function table.
template <class Tag>
class Owned {
public:
    using Handle = typename Tag::Handle;

    // Takes over a handle returned by a call that reported no error; null is an internal failure.
    static Owned take(Handle handle) {
        if (handle == nullptr) {
            core::internal_failure(std::string("Internal error: Unexpected null handle returned from core ") +
                                   Tag::family + " for " + Tag::name);
        }
        return Owned(handle);
    }

    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            release_reporting();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    // Owners live in containers and on unwinding stacks, so dropping one never throws: a failure to
    // release is written to standard error as the internal failure it is.
    ~Owned() { release_reporting(); }

    Handle get() const { return handle_; }
    // Hands the handle to a new owner (a downcast); this owner no longer releases it.
    Handle release() { return std::exchange(handle_, nullptr); }

    // Releases the handle now; a failure to release is an internal failure.
    void reset() {
        if (auto message = release_now()) core::internal_failure(*message);
    }

private:
    explicit Owned(Handle handle) : handle_(handle) {}

    // Releases the handle; the internal-failure text when the runtime core reports an error.
    std::optional<std::string> release_now() {
        if (handle_ == nullptr) return std::nullopt;
        ErrorSlot slot;
        (functions().*Tag::release)(std::exchange(handle_, nullptr), slot.handler());
        if (slot.empty()) return std::nullopt;
        auto error = slot.take();
        return std::string("Internal error: Unexpected error while destroying internal handle to ") + Tag::name + ": " +
               error->debug();
    }

    void release_reporting() noexcept {
        try {
            if (auto message = release_now()) std::fprintf(stderr, "%s\n", message->c_str());
        } catch (...) {
            std::fprintf(stderr, "Internal error: a handle to %s could not be released\n", Tag::name);
        }
    }

    Handle handle_;
};

// Moves the handle of one owner to another owner type (a downcast already checked by the caller).
template <class To, class From>
To transfer(From&& from) {
    return To::take(from.release());
}

#define VELMOR_RUNTIME_OWNER(Name, HandleType, family_text, release_entry) \
    struct Name##Tag {                                                     \
        using Handle = HandleType;                                         \
        static constexpr const char* family = family_text;                 \
        static constexpr const char* name = #Name;                         \
        static constexpr auto release = &FunctionTable::release_entry;     \
    };                                                                     \
    using Name = Owned<Name##Tag>

VELMOR_RUNTIME_OWNER(GeometryOwned, GK_GeometryHandle, "Geometry", Geometry_destroy);
VELMOR_RUNTIME_OWNER(Point, GK_GeometryHandle, "Geometry", Geometry_destroy);
VELMOR_RUNTIME_OWNER(Envelope, GK_GeometryHandle, "Geometry", Geometry_destroy);
VELMOR_RUNTIME_OWNER(Multipoint, GK_GeometryHandle, "Geometry", Geometry_destroy);
VELMOR_RUNTIME_OWNER(Polyline, GK_GeometryHandle, "Geometry", Geometry_destroy);
VELMOR_RUNTIME_OWNER(Polygon, GK_GeometryHandle, "Geometry", Geometry_destroy);
VELMOR_RUNTIME_OWNER(SegmentOwned, GK_SegmentHandle, "Segment", Segment_destroy);
VELMOR_RUNTIME_OWNER(CubicBezierSegment, GK_SegmentHandle, "Segment", Segment_destroy);
VELMOR_RUNTIME_OWNER(EllipticArcSegment, GK_SegmentHandle, "Segment", Segment_destroy);
VELMOR_RUNTIME_OWNER(MutablePart, GK_MutablePartHandle, "MutablePart", MutablePart_destroy);
VELMOR_RUNTIME_OWNER(ImmutablePart, GK_ImmutablePartHandle, "ImmutablePart", ImmutablePart_destroy);
VELMOR_RUNTIME_OWNER(MutablePartCollection, GK_MutablePartCollectionHandle, "MutablePartCollection",
                     MutablePartCollection_destroy);
VELMOR_RUNTIME_OWNER(ImmutablePartCollection, GK_ImmutablePartCollectionHandle, "ImmutablePartCollection",
                     ImmutablePartCollection_destroy);
VELMOR_RUNTIME_OWNER(MutablePointCollection, GK_MutablePointCollectionHandle, "MutablePointCollection",
                     MutablePointCollection_destroy);
VELMOR_RUNTIME_OWNER(ImmutablePointCollection, GK_ImmutablePointCollectionHandle, "ImmutablePointCollection",
                     ImmutablePointCollection_destroy);
VELMOR_RUNTIME_OWNER(PolylineBuilder, GK_GeometryBuilderHandle, "GeometryBuilder", GeometryBuilder_destroy);
VELMOR_RUNTIME_OWNER(PolygonBuilder, GK_GeometryBuilderHandle, "GeometryBuilder", GeometryBuilder_destroy);
VELMOR_RUNTIME_OWNER(MultipointBuilder, GK_GeometryBuilderHandle, "GeometryBuilder", GeometryBuilder_destroy);
VELMOR_RUNTIME_OWNER(SpatialReference, GK_SpatialReferenceHandle, "SpatialReference", SpatialReference_destroy);
VELMOR_RUNTIME_OWNER(LinearUnit, GK_UnitHandle, "Unit", Unit_destroy);
VELMOR_RUNTIME_OWNER(AreaUnit, GK_UnitHandle, "Unit", Unit_destroy);
VELMOR_RUNTIME_OWNER(DatumTransformationOwned, GK_DatumTransformationHandle, "DatumTransformation",
                     DatumTransformation_destroy);

}  // namespace velmor::runtime
