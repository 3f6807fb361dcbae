#pragma once

#include <cstdio>
#include <exception>
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
    Owned& operator=(Owned&& other) noexcept(false) {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    ~Owned() noexcept(false) { reset(); }

    Handle get() const { return handle_; }
    // Hands the handle to a new owner (a downcast); this owner no longer releases it.
    Handle release() { return std::exchange(handle_, nullptr); }

    // Releases the handle now. A failure to release is an internal failure; while another failure is
    // already unwinding it is only written to standard error, as it cannot be raised as well.
    void reset() {
        if (handle_ == nullptr) return;
        ErrorSlot slot;
        (functions().*Tag::release)(std::exchange(handle_, nullptr), slot.handler());
        if (auto error = slot.take()) {
            const std::string message = std::string("Internal error: Unexpected error while destroying internal handle to ") +
                                        Tag::name + ": " + error->debug();
            if (std::uncaught_exceptions() > 0) {
                std::fprintf(stderr, "%s\n", message.c_str());
                return;
            }
            core::internal_failure(message);
        }
    }

private:
    explicit Owned(Handle handle) : handle_(handle) {}
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
