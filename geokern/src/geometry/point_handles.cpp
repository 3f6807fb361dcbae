#include "geometry/point_handles.hpp"

#include <atomic>
#include <cstdint>

#include "handle.hpp"
#include "handle_count.hpp"
#include "thread_end.hpp"

namespace geokern {
namespace {

using PointBox = Box<GeometryValue>;

// A conversion holds one or two points at a time, a curve segment four: a few kept handles are enough.
constexpr uint8_t kept_points = 4;

// Trivial, so that it is reachable while its thread ends (handles may still be released then).
struct KeptPoints {
    PointBox* boxes[kept_points];
    uint8_t count;
    bool closed;
    bool armed;
};

constinit thread_local KeptPoints kept{{}, 0, false, false};

// A kept box is no live handle: the count drops when it is kept and rises again when it is reused, so
// the box's own destructor is balanced here before it runs.
void drain_kept_points() noexcept {
    KeptPoints& list = kept;
    list.closed = true;
    while (list.count > 0) {
        PointBox* box = list.boxes[--list.count];
        count_handle(1);
        delete box;
    }
}

const bool drain_registered = register_thread_end_cleanup(&drain_kept_points);

// Only this handle holds the value, so nobody can see it change. A handle released on another thread
// dropped its share with release order; the fence makes that thread's reads happen before our writes.
bool held_only_here(const PointBox& box) noexcept {
    if (box.value->type != geometry_type_point || box.value.use_count() != 1) return false;
    std::atomic_thread_fence(std::memory_order_acquire);
    return true;
}

}  // namespace

GK_GeometryHandle reuse_point_handle(double x, double y, double z, double m, bool has_z, bool has_m,
                                     const SpatialReferenceRef& spatial_reference) noexcept {
    KeptPoints& list = kept;
    if (list.count == 0) return nullptr;
    PointBox* box = list.boxes[--list.count];
    GeometryValue& value = *box->value;
    value.has_z = has_z;
    value.has_m = has_m;
    // Points read out of one part share its spatial reference: compared first, it is not counted again.
    if (value.spatial_reference != spatial_reference) value.spatial_reference = spatial_reference;
    value.point = Vertex{x, y, has_z ? z : nan_value, has_m ? m : nan_value};
    value.identity = ValueIdentity{};  // a new value for the engine's caches
    count_handle(1);
    return reinterpret_cast<GK_GeometryHandle>(box);
}

void release_geometry_handle(GK_GeometryHandle geometry) noexcept {
    auto* box = reinterpret_cast<PointBox*>(geometry);
    if (box == nullptr) return;
    KeptPoints& list = kept;
    if (list.closed || list.count == kept_points || !held_only_here(*box)) {
        delete box;
        return;
    }
    if (!list.armed) {
        list.armed = drain_registered;
        arm_thread_end_cleanup();
    }
    count_handle(-1);
    list.boxes[list.count++] = box;
}

}  // namespace geokern
