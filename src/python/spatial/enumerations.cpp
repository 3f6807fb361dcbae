#include "spatial/enumerations.hpp"

#include <span>
#include <string>

#include "entry.hpp"
#include "reduction.hpp"
#include "spatial/class_attribute.hpp"
#include "spatial/instance.hpp"
#include "type_cell.hpp"

namespace velmor::py {
namespace {

struct Member {
    const char* name;
    int32_t code;
};

struct Enumeration {
    const char* class_name;
    std::span<const Member> members;
};

// What one member object holds: its enumeration and its entry there.
struct MemberValue {
    const Enumeration* enumeration;
    const Member* member;
};

constexpr Member area_unit_members[] = {
    {"Other", 0},
    {"Acres", 109402},
    {"Hectares", 109401},
    {"SquareCentimeters", 109451},
    {"SquareDecimeters", 109450},
    {"SquareFeet", 109405},
    {"SquareKilometers", 109414},
    {"SquareMeters", 109404},
    {"SquareMillimeters", 109452},
    {"SquareMiles", 109439},
    {"SquareYards", 109442},
};
constexpr Member linear_unit_members[] = {
    {"Other", 0},          {"Centimeters", 1033}, {"Feet", 9002},       {"Inches", 109008}, {"Kilometers", 9036},
    {"Meters", 9001},      {"Miles", 9093},       {"Millimeters", 1025}, {"NauticalMiles", 9030}, {"Yards", 9096},
};
constexpr Member curve_type_members[] = {
    {"Geodesic", 0}, {"Loxodrome", 1}, {"GreatElliptic", 2}, {"NormalSection", 3}, {"ShapePreserving", 4},
};

constexpr Enumeration area_unit_id{"AreaUnitId", area_unit_members};
constexpr Enumeration linear_unit_id{"LinearUnitId", linear_unit_members};
constexpr Enumeration geodetic_curve_type{"GeodeticCurveType", curve_type_members};

const MemberValue& member_of(PyObject* self) { return payload_of<MemberValue>(self); }

PyObject* member_text(PyObject* self) {
    return guard([&]() -> Result<Ref> {
        const MemberValue& value = member_of(self);
        const std::string text = std::string(value.enumeration->class_name) + "." + value.member->name;
        Ref result = Ref::steal(PyUnicode_FromString(text.c_str()));
        if (!result) return fail(python_error());
        return result;
    });
}

PyObject* member_int(PyObject* self) {
    return guard([&]() -> Result<Ref> {
        Ref result = Ref::steal(PyLong_FromLong(member_of(self).member->code));
        if (!result) return fail(python_error());
        return result;
    });
}

// Members pickle and copy as the class attribute of their name: identity is their equality.
PyObject* member_reduce(PyObject* self, PyObject*) {
    return guard([&]() -> Result<Ref> { return reduce_to_attribute(reinterpret_cast<PyObject*>(Py_TYPE(self)), member_of(self).member->name); });
}

PyMethodDef member_methods[] = {
    {"__reduce__", member_reduce, METH_NOARGS,
     "__reduce__($self)\n--\n\nThe pickled form: the class attribute of the member's name."},
    {nullptr},
};

PyType_Slot slots[] = {
    {Py_tp_dealloc, reinterpret_cast<void*>(dealloc_instance<MemberValue>)},
    {Py_tp_methods, member_methods},
    {Py_tp_repr, reinterpret_cast<void*>(member_text)},
    {Py_tp_str, reinterpret_cast<void*>(member_text)},
    {Py_nb_int, reinterpret_cast<void*>(member_int)},
    {0, nullptr},
};

constexpr unsigned int flags = Py_TPFLAGS_DEFAULT | Py_TPFLAGS_DISALLOW_INSTANTIATION;
PyType_Spec area_unit_id_spec{"velmor_geometry.AreaUnitId", sizeof(Instance<MemberValue>), 0, flags, slots};
PyType_Spec linear_unit_id_spec{"velmor_geometry.LinearUnitId", sizeof(Instance<MemberValue>), 0, flags, slots};
PyType_Spec curve_type_spec{"velmor_geometry.GeodeticCurveType", sizeof(Instance<MemberValue>), 0, flags, slots};

// The class with its members as attributes, built once; a failure leaves it to the next call.
class EnumerationCell {
public:
    constexpr EnumerationCell(PyType_Spec* spec, const Enumeration* enumeration) : cell_(spec), enumeration_(enumeration) {}

    PyTypeObject* get() {
        PyTypeObject* type = cell_.get();
        if (type == nullptr || ready_) return type;
        for (const Member& member : enumeration_->members) {
            auto stored = set_class_attribute(type, member.name, new_instance(type, MemberValue{enumeration_, &member}));
            if (!stored) {
                raise(std::move(stored.error()));
                return nullptr;
            }
        }
        ready_ = true;
        return type;
    }
    const Enumeration* enumeration() const { return enumeration_; }

private:
    TypeCell cell_;
    const Enumeration* enumeration_;
    bool ready_ = false;
};

EnumerationCell area_unit_id_cell(&area_unit_id_spec, &area_unit_id);
EnumerationCell linear_unit_id_cell(&linear_unit_id_spec, &linear_unit_id);
EnumerationCell curve_type_cell(&curve_type_spec, &geodetic_curve_type);

EnumerationCell* cell_of(PyTypeObject* type) {
    for (EnumerationCell* cell : {&area_unit_id_cell, &linear_unit_id_cell, &curve_type_cell}) {
        if (cell->get() == type) return cell;
    }
    return nullptr;
}

}  // namespace

PyTypeObject* area_unit_id_type() { return area_unit_id_cell.get(); }
PyTypeObject* linear_unit_id_type() { return linear_unit_id_cell.get(); }
PyTypeObject* geodetic_curve_type_type() { return curve_type_cell.get(); }

Result<Ref> new_enumeration_member(PyTypeObject* type, int32_t code) {
    if (type == nullptr) return fail(python_error());
    EnumerationCell* cell = cell_of(type);
    if (cell != nullptr) {
        for (const Member& member : cell->enumeration()->members) {
            if (member.code == code) return new_instance(type, MemberValue{cell->enumeration(), &member});
        }
    }
    return fail(raise_error(PyExc_SystemError, "no enumeration member has the code " + std::to_string(code)));
}

Result<int32_t> enumeration_code(PyTypeObject* type, PyObject* value, const char* parameter) {
    if (type == nullptr) return fail(python_error());
    if (!Py_IS_TYPE(value, type)) {
        return fail(raise_error(PyExc_TypeError, std::string("argument '") + parameter + "': '" + type_name(value) +
                                                     "' object cannot be converted to '" +
                                                     cell_of(type)->enumeration()->class_name + "'"));
    }
    return member_of(value).member->code;
}

}  // namespace velmor::py
