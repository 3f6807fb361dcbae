#include "spatial/extend_options.hpp"

#include <string>

#include "entry.hpp"
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

PyType_Slot slots[] = {
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
