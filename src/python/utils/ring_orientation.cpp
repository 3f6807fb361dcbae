#include "ring_orientation.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "formats/nearly_equal.hpp"

namespace velmor::py::utils {
namespace {

using formats::nearly_equal;

Result<XY> vertex_at(const SequenceView& ring, Py_ssize_t index) {
    VELMOR_TRY_ASSIGN(Ref item, ring.item(index));
    return read_xy(item.get());
}

}  // namespace

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

}  // namespace velmor::py::utils
