#include "segments/segment_pickling.hpp"

#include <utility>

#include "core/curve_part.hpp"
#include "core/part.hpp"
#include "entry.hpp"
#include "parts/part_objects.hpp"
#include "reduction.hpp"
#include "segments/segment_attributes.hpp"
#include "segments/segment_objects.hpp"

namespace velmor::py {
namespace {

Result<Ref> holder_of(const SegmentState& state, bool is_coord) {
    const core::Dims dims = state.coord.dims();
    if (is_coord) {
        core::Part part(dims);
        part.push(state.coord);
        return new_part_object(core::SharedPart(std::move(part)));
    }
    core::CurvePart part(dims);
    VELMOR_TRY(part.push(state.coord, core::Linear{}));
    VELMOR_TRY(part.push(state.coord, state.curve));
    return new_curve_part_object(core::SharedCurvePart(std::move(part)));
}

}  // namespace

PyObject* reduce_segment(PyObject* self, PyObject*) {
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(Ref holder, holder_of(state_of(self), PyObject_TypeCheck(self, coord_type()) != 0));
        VELMOR_TRY_ASSIGN(Ref pop, new_reference(PyObject_GetAttrString(holder.get(), "pop")));
        return new_reference(Py_BuildValue("(O())", pop.get()));
    });
}

}  // namespace velmor::py
