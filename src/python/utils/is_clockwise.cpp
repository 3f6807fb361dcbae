#include "is_clockwise.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "args.hpp"
#include "entry.hpp"
#include "sequence.hpp"

namespace velmor::py::utils {
namespace {

// A closing vertex may differ from the first by rounding noise and still close the ring.
bool nearly_equal(double a, double b) {
    if (a == b) return true;
    if (std::isinf(a) || std::isinf(b)) return false;
    const double diff = std::fabs(a - b);
    constexpr double eps = std::numeric_limits<double>::epsilon();
    return diff <= eps || diff <= std::max(std::fabs(a), std::fabs(b)) * eps;
}

Result<XY> vertex_at(const SequenceView& ring, Py_ssize_t index) {
    VELMOR_TRY_ASSIGN(Ref item, ring.item(index));
    return read_xy(item.get());
}

// Shoelace sum over the effective vertices, closed implicitly back to vertex 0.
Result<bool> ring_is_clockwise(const SequenceView& ring) {
    VELMOR_TRY_ASSIGN(const Py_ssize_t n, ring.size());
    VELMOR_TRY_ASSIGN(const XY first, vertex_at(ring, 0));
    VELMOR_TRY_ASSIGN(const XY last, vertex_at(ring, n - 1));
    Py_ssize_t count = n;
    if (count > 1 && nearly_equal(first.x, last.x) && nearly_equal(first.y, last.y)) --count;
    if (count < 3) return fail(raise_error(PyExc_RuntimeError, "ring must have at least 3 vertices"));

    double sum = 0.0;
    XY previous = first;
    for (Py_ssize_t i = 1; i < count; ++i) {
        VELMOR_TRY_ASSIGN(const XY current, vertex_at(ring, i));
        sum += previous.x * current.y - previous.y * current.x;
        previous = current;
    }
    sum += previous.x * first.y - previous.y * first.x;
    return sum < 0;
}

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
