#pragma once

#include <Python.h>

#include "errors.hpp"

namespace velmor::py {

// True for a list, a tuple, or any instance of collections.abc.Sequence; the check that arguments
// typed as "a sequence" go through. Fails only if the ABC check itself raises.
Result<bool> is_sequence(PyObject* object);

// A Python sequence read in place, item by item, without copying it.
class SequenceView {
public:
    // Fails with TypeError "'<type>' object cannot be converted to 'Sequence'" for a non-sequence.
    static Result<SequenceView> of(PyObject* object);

    Result<Py_ssize_t> size() const;
    // A new reference to item i; errors (IndexError included) are the host's.
    Result<Ref> item(Py_ssize_t index) const;
    PyObject* object() const { return object_; }

private:
    explicit SequenceView(PyObject* object) : object_(object) {}
    PyObject* object_;  // borrowed from the caller, who keeps it alive for the view's use
};

// Items 0 and 1 of a vertex sequence as doubles (further items are ignored).
struct XY {
    double x;
    double y;
};
Result<XY> read_xy(PyObject* vertex);

}  // namespace velmor::py
