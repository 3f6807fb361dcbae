#include "spatial/extend_options.hpp"

#include <string>

#include "entry.hpp"
#include "reduction.hpp"
#include "spatial/class_attribute.hpp"
#include "spatial/instance.hpp"
#include "type_cell.hpp"

namespace velmor::py {
namespace {

struct Flags {
    uint32_t bits;
};

struct NamedFlags {
    const char* name;
    uint32_t bits;
};

constexpr NamedFlags named[] = {
    {"DEFAULT", 0},
    {"RELOCATE_ENDS", 1},
    {"KEEP_END_ATTRIBUTES", 2},
    {"NO_END_ATTRIBUTES", 4},
    {"DO_NOT_EXTEND_FROM_START_POINT", 8},
    {"DO_NOT_EXTEND_FROM_END_POINT", 16},
};

bool is_flags(PyObject* object) { return Py_IS_TYPE(object, geometry_extend_options_type()); }

uint32_t bits_of(PyObject* object) { return payload_of<Flags>(object).bits; }

PyObject* text(PyObject* self) {
    return guard([&]() -> Result<Ref> {
        const std::string result = "GeometryExtendOptions(" + std::to_string(bits_of(self)) + ")";
        Ref object = Ref::steal(PyUnicode_FromString(result.c_str()));
        if (!object) return fail(python_error());
        return object;
    });
}

// A binary operation on two flag sets; anything else is left to the other operand.
template <class Operation>
PyObject* combine(PyObject* a, PyObject* b, Operation operation) {
    return guard([&]() -> Result<Ref> {
        if (!is_flags(a) || !is_flags(b)) return Ref::borrow(Py_NotImplemented);
        return new_instance(geometry_extend_options_type(), Flags{operation(bits_of(a), bits_of(b))});
    });
}

PyObject* bit_or(PyObject* a, PyObject* b) {
    return combine(a, b, [](uint32_t x, uint32_t y) { return x | y; });
}

PyObject* bit_and(PyObject* a, PyObject* b) {
    return combine(a, b, [](uint32_t x, uint32_t y) { return x & y; });
}

PyObject* bit_invert(PyObject* self) {
    return guard([&]() -> Result<Ref> { return new_instance(geometry_extend_options_type(), Flags{~bits_of(self)}); });
}

Result<Ref> flags_object(uint32_t bits) { return new_instance(geometry_extend_options_type(), Flags{bits}); }

Result<Ref> call_form(Result<Ref> function, PyObject* arguments) {
    VELMOR_TRY_ASSIGN(Ref owned_arguments, new_reference(arguments));
    if (!function) return fail(std::move(function.error()));
    return new_reference(PyTuple_Pack(2, function->get(), owned_arguments.get()));
}

// The class attributes of the named bits of a pattern, to be or-ed together.
Result<Ref> named_bits(uint32_t bits) {
    VELMOR_TRY_ASSIGN(Ref members, new_reference(PyList_New(0)));
    for (const NamedFlags& flags : named) {
        if (flags.bits == 0 || (bits & flags.bits) == 0) continue;
        Ref member = Ref::steal(PyObject_GetAttrString(reinterpret_cast<PyObject*>(geometry_extend_options_type()), flags.name));
        if (!member || PyList_Append(members.get(), member.get()) < 0) return fail(python_error());
    }
    return members;
}

// There is no constructor, so a value pickles as the operations that make it. Every value the
// operations can make is a named value, an or of named bits, or the complement of such an or (the
// bits above the named ones are all set or all clear).
PyObject* reduce(PyObject* self, PyObject*) {
    return guard([&]() -> Result<Ref> {
        const uint32_t bits = bits_of(self);
        PyTypeObject* type = geometry_extend_options_type();
        for (const NamedFlags& flags : named) {
            if (flags.bits == bits) return reduce_to_attribute(reinterpret_cast<PyObject*>(type), flags.name);
        }
        constexpr uint32_t named_mask = 31;
        if ((bits & ~named_mask) != 0) {
            VELMOR_TRY_ASSIGN(Ref complement, flags_object(~bits));
            return call_form(module_function("operator", "invert"), PyTuple_Pack(1, complement.get()));
        }
        VELMOR_TRY_ASSIGN(Ref members, named_bits(bits));
        VELMOR_TRY_ASSIGN(Ref or_, module_function("operator", "or_"));
        return call_form(module_function("functools", "reduce"), PyTuple_Pack(2, or_.get(), members.get()));
    });
}

PyMethodDef methods[] = {
    {"__reduce__", reduce, METH_NOARGS,
     "__reduce__($self)\n--\n\nThe pickled form: the named flags and operations that make the value."},
    {nullptr},
};

PyType_Slot slots[] = {
    {Py_tp_methods, methods},
    {Py_tp_doc, const_cast<char*>("Flags for the type of extend operation to perform.")},
    {Py_tp_dealloc, reinterpret_cast<void*>(dealloc_instance<Flags>)},
    {Py_tp_repr, reinterpret_cast<void*>(text)},
    {Py_tp_str, reinterpret_cast<void*>(text)},
    {Py_nb_or, reinterpret_cast<void*>(bit_or)},
    {Py_nb_and, reinterpret_cast<void*>(bit_and)},
    {Py_nb_invert, reinterpret_cast<void*>(bit_invert)},
    {0, nullptr},
};

PyType_Spec spec{"velmor_geometry.GeometryExtendOptions", sizeof(Instance<Flags>), 0,
                 Py_TPFLAGS_DEFAULT | Py_TPFLAGS_DISALLOW_INSTANTIATION, slots};

}  // namespace

PyTypeObject* geometry_extend_options_type() {
    static TypeCell cell(&spec);
    static bool ready = false;
    PyTypeObject* type = cell.get();
    if (type == nullptr || ready) return type;
    for (const NamedFlags& flags : named) {
        auto stored = set_class_attribute(type, flags.name, new_instance(type, Flags{flags.bits}));
        if (!stored) {
            raise(std::move(stored.error()));
            return nullptr;
        }
    }
    ready = true;
    return type;
}

Result<uint32_t> extend_options_bits(PyObject* value, const char* parameter) {
    if (!is_flags(value)) {
        return fail(raise_error(PyExc_TypeError, std::string("argument '") + parameter + "': '" + type_name(value) +
                                                     "' object cannot be converted to 'GeometryExtendOptions'"));
    }
    return bits_of(value);
}

}  // namespace velmor::py
