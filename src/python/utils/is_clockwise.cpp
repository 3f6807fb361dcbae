#include "is_clockwise.hpp"

#include "args.hpp"
#include "entry.hpp"
#include "ring_orientation.hpp"
#include "sequence.hpp"

namespace velmor::py::utils {
namespace {

PyObject* is_clockwise(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const Parameters<1> params{"is_clockwise", {"coords"}};
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(const auto bound, bind(params, args, nargs, kwnames));
        PyObject* coords = bound[0];
        VELMOR_TRY_ASSIGN(const bool sequence, is_sequence(coords));
        if (!sequence) {
            return fail(raise_error(PyExc_TypeError, "argument 'coords': '" + type_name(coords) +
                                                         "' object cannot be converted to 'Sequence'"));
        }
        VELMOR_TRY_ASSIGN(const SequenceView ring, SequenceView::of(coords));
        VELMOR_TRY_ASSIGN(const bool clockwise, ring_is_clockwise(ring));
        return Ref::borrow(clockwise ? Py_True : Py_False);
    });
}

}  // namespace

PyMethodDef is_clockwise_def = {
    "is_clockwise",
    reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(is_clockwise)),
    METH_FASTCALL | METH_KEYWORDS,
    "is_clockwise(coords)\n--\n\n"
    "Return True when the ring of vertices `coords` runs clockwise.\n\n"
    "`coords` is a sequence of vertices, each a sequence whose first two items are x and y; further\n"
    "items are ignored. A closing vertex equal to the first is not counted, and an open ring is closed\n"
    "implicitly. The test is the sign of the shoelace sum: a collinear ring gives False. Raises\n"
    "RuntimeError when fewer than three distinct vertices remain.",
};

}  // namespace velmor::py::utils
