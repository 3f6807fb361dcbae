#include "spatial/area_unit.hpp"

#include <optional>
#include <string>

#include "args.hpp"
#include "entry.hpp"
#include "reduction.hpp"
#include "runtime/spatial/units.hpp"
#include "spatial/enumerations.hpp"
#include "spatial/instance.hpp"
#include "type_cell.hpp"

namespace velmor::py {
namespace {

// Empty only between allocation and construction.
struct Unit {
    std::optional<runtime::AreaUnit> unit;
};

const runtime::AreaUnit& unit_of(PyObject* self) { return *payload_of<Unit>(self).unit; }

Result<Ref> new_area_unit(int32_t code) {
    VELMOR_TRY_ASSIGN(runtime::AreaUnit unit, runtime_area_unit(code));
    return new_instance(area_unit_type(), Unit{std::move(unit)});
}

Result<Ref> float_result(double value) {
    Ref result = Ref::steal(PyFloat_FromDouble(value));
    if (!result) return fail(python_error());
    return result;
}

Result<const runtime::AreaUnit*> unit_argument(PyObject* value, const char* parameter) {
    if (!Py_IS_TYPE(value, area_unit_type())) {
        return fail(raise_error(PyExc_TypeError, std::string("argument '") + parameter + "': '" + type_name(value) +
                                                     "' object cannot be converted to 'AreaUnit'"));
    }
    return &unit_of(value);
}

PyObject* construct(PyTypeObject*, PyObject* args, PyObject* kwargs) {
    return guard([&]() -> Result<Ref> {
        static const char* names[] = {"unit_id", nullptr};
        PyObject* unit_id = nullptr;
        if (!PyArg_ParseTupleAndKeywords(args, kwargs, "O:AreaUnit", const_cast<char**>(names), &unit_id)) {
            return fail(python_error());
        }
        VELMOR_TRY_ASSIGN(int32_t code, enumeration_code(area_unit_id_type(), unit_id, "unit_id"));
        return new_area_unit(code);
    });
}

// Releasing the runtime unit may fail; a destructor cannot raise, so the failure is reported as
// unraisable.
void dealloc(PyObject* self) {
    try {
        payload_of<Unit>(self).unit.reset();
    } catch (const core::InternalFailure& failure) {
        raise_panic(failure.what());
        PyErr_WriteUnraisable(self);
    }
    dealloc_instance<Unit>(self);
}

PyObject* area_unit_id(PyObject* self, PyObject*) {
    return guard([&]() -> Result<Ref> {
        return new_enumeration_member(area_unit_id_type(), runtime::area_unit_id(unit_of(self)));
    });
}

PyObject* try_clone(PyObject* self, PyObject*) {
    return guard([&]() -> Result<Ref> { return new_area_unit(runtime::area_unit_id(unit_of(self))); });
}

// convert_to and convert_from: another unit and an area.
template <double (*convert)(const runtime::AreaUnit&, const runtime::AreaUnit&, double)>
PyObject* convert_with(PyObject* self, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames, const Parameters<2>& params) {
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(const auto bound, bind(params, args, nargs, kwnames));
        VELMOR_TRY_ASSIGN(const runtime::AreaUnit* other, unit_argument(bound[0], params.names[0]));
        VELMOR_TRY_ASSIGN(double area, float_argument(bound[1], "area"));
        return float_result(convert(unit_of(self), *other, area));
    });
}

PyObject* convert_to(PyObject* self, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const Parameters<2> params{"convert_to", {"to_unit", "area"}};
    return convert_with<runtime::area_convert_to>(self, args, nargs, kwnames, params);
}

PyObject* convert_from(PyObject* self, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const Parameters<2> params{"convert_from", {"from_unit", "area"}};
    return convert_with<runtime::area_convert_from>(self, args, nargs, kwnames, params);
}

// to_square_meters and from_square_meters: one area.
template <double (*convert)(const runtime::AreaUnit&, double)>
PyObject* scale_with(PyObject* self, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames, const Parameters<1>& params) {
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(const auto bound, bind(params, args, nargs, kwnames));
        VELMOR_TRY_ASSIGN(double area, float_argument(bound[0], "area"));
        return float_result(convert(unit_of(self), area));
    });
}

PyObject* to_square_meters(PyObject* self, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const Parameters<1> params{"to_square_meters", {"area"}};
    return scale_with<runtime::area_to_square_meters>(self, args, nargs, kwnames, params);
}

PyObject* from_square_meters(PyObject* self, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const Parameters<1> params{"from_square_meters", {"area"}};
    return scale_with<runtime::area_from_square_meters>(self, args, nargs, kwnames, params);
}

// Pickling and copying: the class called with the unit's identifier, so a copy owns its own runtime unit.
PyObject* reduce(PyObject* self, PyObject*) {
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(Ref member, new_enumeration_member(area_unit_id_type(), runtime::area_unit_id(unit_of(self))));
        return new_reference(Py_BuildValue("(O(O))", reinterpret_cast<PyObject*>(area_unit_type()), member.get()));
    });
}

PyMethodDef methods[] = {
    {"area_unit_id", as_cfunction(area_unit_id), METH_NOARGS,
     "area_unit_id($self)\n--\n\n"
     "The unit's code as a new AreaUnitId."},
    {"try_clone", as_cfunction(try_clone), METH_NOARGS,
     "try_clone($self)\n--\n\n"
     "A new AreaUnit of the same code, with its own runtime unit."},
    {"convert_to", as_cfunction(convert_to), METH_FASTCALL | METH_KEYWORDS,
     "convert_to($self, to_unit, area)\n--\n\n"
     "The area given in this unit, expressed in the AreaUnit to_unit (float)."},
    {"__reduce__", as_cfunction(reduce), METH_NOARGS,
     "__reduce__($self)\n--\n\nThe pickled form: the class and the unit's AreaUnitId."},
    {"convert_from", as_cfunction(convert_from), METH_FASTCALL | METH_KEYWORDS,
     "convert_from($self, from_unit, area)\n--\n\n"
     "The area given in the AreaUnit from_unit, expressed in this unit (float)."},
    {"to_square_meters", as_cfunction(to_square_meters), METH_FASTCALL | METH_KEYWORDS,
     "to_square_meters($self, area)\n--\n\n"
     "The area given in this unit, in square meters (float)."},
    {"from_square_meters", as_cfunction(from_square_meters), METH_FASTCALL | METH_KEYWORDS,
     "from_square_meters($self, area)\n--\n\n"
     "The area given in square meters, in this unit (float)."},
    {nullptr},
};

PyType_Slot slots[] = {
    {Py_tp_doc, const_cast<char*>("AreaUnit(unit_id)\n--\n\n")},
    {Py_tp_new, reinterpret_cast<void*>(construct)},
    {Py_tp_dealloc, reinterpret_cast<void*>(dealloc)},
    {Py_tp_methods, methods},
    {0, nullptr},
};

PyType_Spec spec{"velmor_geometry.AreaUnit", sizeof(Instance<Unit>), 0, Py_TPFLAGS_DEFAULT, slots};

}  // namespace

PyTypeObject* area_unit_type() {
    static TypeCell cell(&spec);
    return cell.get();
}

Result<runtime::AreaUnit> runtime_area_unit(int32_t code) {
    auto unit = runtime::area_unit(code);
    if (!unit) return fail(raise_error(PyExc_RuntimeError, unit.error().debug()));
    return std::move(*unit);
}

const runtime::AreaUnit* area_unit_of(PyObject* value) {
    PyTypeObject* type = area_unit_type();
    if (type == nullptr || !Py_IS_TYPE(value, type)) return nullptr;
    return &unit_of(value);
}

}  // namespace velmor::py
