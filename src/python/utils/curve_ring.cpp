#include "curve_ring.hpp"

#include <cmath>
#include <numbers>
#include <vector>

#include "containers.hpp"
#include "formats/circular_arc.hpp"
#include "sequence.hpp"

namespace velmor::py::utils {
namespace {

// One item of the ring, borrowed from it: the vertex it ends at, and the interior point of an arc.
struct RingItem {
    PyObject* end = nullptr;
    PyObject* interior = nullptr;  // null for a position
};

NativeError malformed() {
    return raise_error(PyExc_TypeError, "a curve ring item is neither a position nor a circular arc");
}

Result<std::vector<RingItem>> ring_items(PyObject* ring, PyObject* arc_key) {
    if (!PyList_Check(ring)) return fail(malformed());
    std::vector<RingItem> items;
    items.reserve(static_cast<std::size_t>(PyList_GET_SIZE(ring)));
    for (Py_ssize_t i = 0; i < PyList_GET_SIZE(ring); ++i) {
        PyObject* item = PyList_GET_ITEM(ring, i);
        if (PyTuple_Check(item)) {
            items.push_back({item, nullptr});
            continue;
        }
        PyObject* arc = PyDict_Check(item) ? PyDict_GetItemWithError(item, arc_key) : nullptr;
        if (arc == nullptr || !PyList_Check(arc) || PyList_GET_SIZE(arc) != 2 || i == 0) {
            if (PyErr_Occurred() != nullptr) return fail(python_error());
            return fail(malformed());
        }
        items.push_back({PyList_GET_ITEM(arc, 0), PyList_GET_ITEM(arc, 1)});
    }
    return items;
}

Result<formats::Coordinate> planar(PyObject* vertex) {
    VELMOR_TRY_ASSIGN(const XY xy, read_xy(vertex));
    return formats::Coordinate{xy.x, xy.y};
}

Result<Ref> arc_item(PyObject* arc_key, PyObject* end, PyObject* interior) {
    VELMOR_TRY_ASSIGN(const Ref points, new_list());
    VELMOR_TRY(append(points.get(), end));
    VELMOR_TRY(append(points.get(), interior));
    VELMOR_TRY_ASSIGN(Ref arc, new_dict());
    VELMOR_TRY(set_item(arc, arc_key, points.get()));
    return arc;
}

Result<Ref> planar_tuple(double x, double y) {
    Ref tuple = Ref::steal(Py_BuildValue("(dd)", x, y));
    if (!tuple) return fail(python_error());
    return tuple;
}

// A full circle (an arc back to its own start) reads as counter-clockwise, whichever way it is turned,
// so run clockwise it becomes two half circles: to the opposite point, which takes the z and m of the
// start, and back, each through its clockwise middle.
Result<void> append_clockwise_circle(PyObject* reversed, PyObject* arc_key, PyObject* start, PyObject* opposite) {
    VELMOR_TRY_ASSIGN(const formats::Coordinate from, planar(start));
    VELMOR_TRY_ASSIGN(const formats::Coordinate across, planar(opposite));
    const auto circle = formats::arc_circle(from, across, from);
    if (!circle) {
        VELMOR_TRY_ASSIGN(const Ref arc, arc_item(arc_key, start, opposite));
        return append(reversed, arc.get());
    }
    const double quarter = std::numbers::pi / 2;
    const auto on_circle = [&](double angle) {
        return planar_tuple(circle->center_x + circle->radius * std::cos(angle),
                            circle->center_y + circle->radius * std::sin(angle));
    };
    VELMOR_TRY_ASSIGN(const Ref first_middle, on_circle(circle->start_angle - quarter));
    VELMOR_TRY_ASSIGN(const Ref second_middle, on_circle(circle->start_angle + quarter));
    const Ref start_measures = Ref::steal(PySequence_GetSlice(start, 2, PY_SSIZE_T_MAX));
    if (!start_measures) return fail(python_error());
    VELMOR_TRY_ASSIGN(const Ref across_xy, planar_tuple(across.x, across.y));
    const Ref across_vertex = Ref::steal(PySequence_Concat(across_xy.get(), start_measures.get()));
    if (!across_vertex) return fail(python_error());
    VELMOR_TRY_ASSIGN(const Ref there, arc_item(arc_key, across_vertex.get(), first_middle.get()));
    VELMOR_TRY(append(reversed, there.get()));
    VELMOR_TRY_ASSIGN(const Ref back, arc_item(arc_key, start, second_middle.get()));
    return append(reversed, back.get());
}

Result<bool> same_xy(PyObject* a, PyObject* b) {
    VELMOR_TRY_ASSIGN(const XY first, read_xy(a));
    VELMOR_TRY_ASSIGN(const XY second, read_xy(b));
    return first.x == second.x && first.y == second.y;
}

}  // namespace

Result<bool> curve_ring_is_clockwise(PyObject* ring, PyObject* arc_key) {
    VELMOR_TRY_ASSIGN(const std::vector<RingItem> items, ring_items(ring, arc_key));
    if (items.empty()) return false;
    double twice_area = 0;
    VELMOR_TRY_ASSIGN(formats::Coordinate previous, planar(items.front().end));
    for (std::size_t i = 1; i < items.size(); ++i) {
        VELMOR_TRY_ASSIGN(const formats::Coordinate current, planar(items[i].end));
        twice_area += previous.x * current.y - previous.y * current.x;
        if (items[i].interior != nullptr) {
            VELMOR_TRY_ASSIGN(const formats::Coordinate interior, planar(items[i].interior));
            twice_area += 2 * formats::arc_segment_area(previous, interior, current);
        }
        previous = current;
    }
    VELMOR_TRY_ASSIGN(const formats::Coordinate first, planar(items.front().end));
    twice_area += previous.x * first.y - previous.y * first.x;
    return twice_area < 0;
}

Result<void> reverse_curve_ring(PyObject* ring, PyObject* arc_key) {
    VELMOR_TRY_ASSIGN(const std::vector<RingItem> items, ring_items(ring, arc_key));
    if (items.empty()) return {};
    VELMOR_TRY_ASSIGN(const Ref reversed, new_list());
    VELMOR_TRY(append(reversed.get(), items.back().end));
    // Item i is the segment from vertex i - 1 to vertex i; run backwards it ends at vertex i - 1.
    for (std::size_t i = items.size() - 1; i > 0; --i) {
        PyObject* end = items[i - 1].end;
        if (items[i].interior == nullptr) {
            VELMOR_TRY(append(reversed.get(), end));
            continue;
        }
        VELMOR_TRY_ASSIGN(const bool full_circle, same_xy(items[i].end, end));
        if (full_circle) {
            VELMOR_TRY(append_clockwise_circle(reversed.get(), arc_key, end, items[i].interior));
            continue;
        }
        VELMOR_TRY_ASSIGN(const Ref arc, arc_item(arc_key, end, items[i].interior));
        VELMOR_TRY(append(reversed.get(), arc.get()));
    }
    if (PyList_SetSlice(ring, 0, PyList_GET_SIZE(ring), reversed.get()) < 0) return fail(python_error());
    return {};
}

}  // namespace velmor::py::utils
