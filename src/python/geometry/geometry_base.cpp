#include "geometry/geometry_base.hpp"

#include <array>
#include <cstdio>
#include <new>
#include <string>
#include <span>
#include <vector>

#include "core/internal_failure.hpp"
#include "engine/geometry_members.hpp"
#include "entry.hpp"
#include "float_tuple.hpp"
#include "geometry/envelope.hpp"
#include "geometry/geometry_class.hpp"
#include "geometry/geometry_from_py.hpp"
#include "geometry/geometry_readers.hpp"
#include "geometry/member_docs.hpp"
#include "geometry/runtime_conversion.hpp"
#include "geometry/svg_picture.hpp"
#include "runtime/convert/envelope_conversion.hpp"
#include "runtime/geometry.hpp"
#include "type_cell.hpp"

namespace velmor::py {
namespace {

Result<Ref> checked(PyObject* created) {
    Ref result = Ref::steal(created);
    if (!result) return fail(python_error());
    return result;
}

Result<Ref> require(Ref value, bool accepted, const char* expected) {
    if (accepted) return value;
    return fail(raise_error(PyExc_TypeError,
                            "'" + type_name(value.get()) + "' object cannot be converted to '" + expected + "'"));
}

// to_dict(): json.loads of the object's JSON text.
PyObject* to_dict(PyObject* self, PyObject*) {
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(Ref json_attribute, checked(PyObject_GetAttrString(self, "JSON")));
        const bool is_text = PyUnicode_Check(json_attribute.get());
        VELMOR_TRY_ASSIGN(Ref text, require(std::move(json_attribute), is_text, "PyString"));
        VELMOR_TRY_ASSIGN(Ref json, checked(PyImport_ImportModule("json")));
        VELMOR_TRY_ASSIGN(Ref loaded, checked(PyObject_CallMethod(json.get(), "loads", "O", text.get())));
        const bool is_dict = PyDict_Check(loaded.get());
        return require(std::move(loaded), is_dict, "PyDict");
    });
}

// The runtime extent of the object, read by `read`, with the runtime geometry and envelope released
// (envelope first) before the result is built.
template <class Read>
auto with_extent(PyObject* self, Read&& reader) -> Result<decltype(reader(std::declval<const runtime::Envelope&>()))> {
    VELMOR_TRY_ASSIGN(runtime::GeometryOwned geometry, geometry_to_runtime(self));
    const runtime::Envelope extent = runtime::extent(geometry.get());
    return reader(extent);
}

PyObject* get_extent(PyObject* self, void*) {
    return guard([&]() -> Result<Ref> {
        using Bounds = std::array<double, 4>;
        VELMOR_TRY_ASSIGN(Bounds bounds, with_extent(self, [](const runtime::Envelope& e) {
                              const runtime::PlaneBounds plane = runtime::envelope_plane_bounds(e);
                              return Bounds{plane.xmin, plane.ymin, plane.xmax, plane.ymax};
                          }));
        return float_tuple(bounds);
    });
}

PyObject* get_centroid(PyObject* self, void*) {
    return guard([&]() -> Result<Ref> {
        using Centre = std::array<double, 2>;
        VELMOR_TRY_ASSIGN(Centre centre, with_extent(self, [](const runtime::Envelope& e) {
                              const runtime::Point point = runtime::envelope_center(e);
                              return Centre{runtime::point_x(point), runtime::point_y(point)};
                          }));
        return float_tuple(centre);
    });
}

PyObject* get_envelope(PyObject* self, void*) {
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(core::EnvelopeValue value,
                          with_extent(self, [](const runtime::Envelope& e) { return runtime::convert::envelope_from_runtime(e); }));
        return new_envelope(std::move(value));
    });
}

PyObject* get_has_curves(PyObject* self, void*) {
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(runtime::GeometryOwned geometry, geometry_to_runtime(self));
        return Ref::borrow(runtime::has_curves(geometry.get()) ? Py_True : Py_False);
    });
}

NativeError uninitialized() {
    return raise_error(PyExc_Exception, "Uninitialized velmor_geometry.Geometry cannot be used for geometry operations");
}

PyObject* uninitialized_gkn_geo(PyObject*, PyObject*) {
    return guard([]() -> Result<Ref> { return fail(uninitialized()); });
}

// The written forms that every geometry class has; a bare Geometry has nothing to write.
PyObject* uninitialized_form(PyObject*, void*) {
    return guard([]() -> Result<Ref> { return fail(uninitialized()); });
}

// The dimensionality of a geometry follows from its data; the base setters refuse every change. The
// subclasses' read-only getters shadow these for ordinary assignment.
template <const char* Message>
int refuse_dimension_change(PyObject* self, PyObject* assigned, void*) {
    return guard([&]() -> Result<void> {
        if (assigned == nullptr) return refuse_attribute_delete();
        if (!PyBool_Check(assigned)) {
            return fail(raise_error(PyExc_TypeError,
                                    "_value: '" + type_name(assigned) + "' object cannot be converted to 'PyBool'"));
        }
        VELMOR_TRY_ASSIGN(bool geometry, is_geometry(self));
        if (!geometry) {
            return fail(raise_error(PyExc_TypeError,
                                    "'" + type_name(self) + "' object cannot be converted to 'Geometry'"));
        }
        return fail(raise_error(PyExc_Exception, Message));
    });
}

constexpr char has_z_refusal[] = "Cannot change has_z as this would cause metadata not to match the actual data structure";
constexpr char has_m_refusal[] = "Cannot change has_m as this would cause metadata not to match the actual data structure";

PyGetSetDef own_properties[] = {
    {"extent", get_extent, nullptr,
     "The x-y extent as a tuple of floats (xmin, ymin, xmax, ymax), curves included.", nullptr},
    {"geoextent", get_extent, nullptr, "The same tuple as extent.", nullptr},
    {"centroid", get_centroid, nullptr,
     "The centre of the extent as a tuple of floats (x, y); not an area-weighted centroid.", nullptr},
    {"envelope", get_envelope, nullptr, "The extent as a new Envelope.", nullptr},
    {"wkt", uninitialized_form, nullptr, member_docs::wkt, nullptr},
    {"wkb", uninitialized_form, nullptr, member_docs::wkb, nullptr},
    {"ewkb", uninitialized_form, nullptr, member_docs::ewkb, nullptr},
    {"__geo_interface__", uninitialized_form, nullptr, member_docs::geo_interface, nullptr},
    {"has_curves", get_has_curves, nullptr,
     "Whether the geometry holds circular arcs, elliptic arcs or Bezier curves (bool).", nullptr},
    {"has_z", nullptr, refuse_dimension_change<has_z_refusal>,
     "Whether the geometry carries z values (bool); assigning raises Exception, since z cannot be added that "
     "way.",
     nullptr},
    {"has_m", nullptr, refuse_dimension_change<has_m_refusal>,
     "Whether the geometry carries m values (bool); assigning raises Exception, since m cannot be added that "
     "way.",
     nullptr},
};

PyMethodDef own_methods[] = {
    {"to_dict", to_dict, METH_NOARGS,
     "to_dict($self)\n--\n\n"
     "The OvraJSON form of the geometry as a new dict (json.loads of JSON); AttributeError for an Envelope, "
     "which "
     "has no JSON."},
    {"__gkn_geo", uninitialized_gkn_geo, METH_NOARGS, "__gkn_geo($self)\n--\n\n"},
    svg_picture_method(),
    {"from_wkt", geometry_class::fastcall(geometry_from_wkt), METH_CLASS | METH_FASTCALL | METH_KEYWORDS,
     "from_wkt($type, /, wkt)\n--\n\nThe geometry of a WKT text, without a spatial reference. A text that holds "
     "no geometry of this model (a geometry collection, a syntax error) raises ValueError; called on a geometry "
     "class, a geometry of another class raises TypeError."},
    {"from_wkb", geometry_class::fastcall(geometry_from_wkb), METH_CLASS | METH_FASTCALL | METH_KEYWORDS,
     "from_wkb($type, /, wkb)\n--\n\nThe geometry of WKB or EWKB bytes (any bytes-like object, or their "
     "hexadecimal text); an EWKB SRID becomes its spatial reference's wkid."},
    {"from_geojson", geometry_class::fastcall(geometry_from_geojson), METH_CLASS | METH_FASTCALL | METH_KEYWORDS,
     "from_geojson($type, /, value, spatial_reference=None)\n--\n\nThe geometry of a GeoJSON geometry: a dict, "
     "its JSON text, or any object with __geo_interface__. Rings are turned as this model keeps them (outer "
     "rings clockwise); spatial_reference (a SpatialReference or its dict) becomes the result's."},
};

// The class's own members followed by the engine members of the catalogue, closed by the sentinel.
template <class Entry, std::size_t N>
Entry* with_engine_members(Entry (&own)[N], std::span<const Entry> engine) {
    static std::vector<Entry> all = [&] {
        std::vector<Entry> entries(std::begin(own), std::end(own));
        entries.insert(entries.end(), engine.begin(), engine.end());
        entries.push_back(Entry{});
        return entries;
    }();
    return all.data();
}

// Until the factory is installed at the end of module initialization, Geometry() makes a bare
// instance; Geometry.__new__ keeps doing so afterwards.
PyObject* bare_geometry(PyTypeObject* type, PyObject* args, PyObject* kwargs) {
    static char* no_names[] = {nullptr};
    if (!PyArg_ParseTupleAndKeywords(args, kwargs, ":Geometry", no_names)) return nullptr;
    return type->tp_alloc(type, 0);
}

void dealloc_geometry(PyObject* self) {
    PyTypeObject* type = Py_TYPE(self);
    type->tp_free(self);
    Py_DECREF(type);
}

PyType_Slot slots[] = {
    {Py_tp_doc, const_cast<char*>("Geometry()\n--\n\n")},
    {Py_tp_new, reinterpret_cast<void*>(bare_geometry)},
    {Py_tp_dealloc, reinterpret_cast<void*>(dealloc_geometry)},
    {Py_tp_getset, nullptr},
    {Py_tp_methods, nullptr},
    {0, nullptr},
};

// Fills the member slots before the type is first built.
bool fill_member_slots() {
    for (PyType_Slot& slot : slots) {
        if (slot.slot == Py_tp_getset) slot.pfunc = with_engine_members(own_properties, engine::geometry_engine_properties());
        if (slot.slot == Py_tp_methods) slot.pfunc = with_engine_members(own_methods, engine::geometry_engine_methods());
    }
    return true;
}

PyType_Spec spec = {
    "velmor_geometry.Geometry",
    static_cast<int>(sizeof(PyObject)),
    0,
    Py_TPFLAGS_DEFAULT | Py_TPFLAGS_BASETYPE,
    slots,
};

constexpr const char* factory_panic = "In velmor_geometry.Geometry factory new (geom_factory_new): caught panic";

// Geometry(value): the geometry the one positional argument describes; keyword arguments are ignored.
// An internal failure here is reported as RuntimeError rather than PanicException.
PyObject* geom_factory_new(PyTypeObject*, PyObject* args, PyObject*) {
    try {
        auto made = [&]() -> Result<Ref> {
            if (!PyTuple_Check(args) || PyTuple_GET_SIZE(args) != 1) {
                return fail(raise_error(PyExc_TypeError, "Geometry expects 1 argument"));
            }
            return geometry_from_py(PyTuple_GET_ITEM(args, 0));
        }();
        if (made) return made->release();
        raise(std::move(made.error()));
    } catch (const core::InternalFailure& failure) {
        std::fprintf(stderr, "%s\n", failure.what());
        PyErr_SetString(PyExc_RuntimeError, factory_panic);
    } catch (const std::bad_alloc&) {
        PyErr_NoMemory();
    } catch (...) {
        PyErr_SetString(PyExc_RuntimeError, factory_panic);
    }
    return nullptr;
}

}  // namespace

PyTypeObject* geometry_type() {
    static const bool filled = fill_member_slots();
    (void)filled;
    static TypeCell cell(&spec);
    return cell.get();
}

Result<bool> is_geometry(PyObject* object) {
    PyTypeObject* type = geometry_type();
    if (type == nullptr) return fail(python_error());
    return PyObject_TypeCheck(object, type) != 0;
}

Result<void> install_geometry_factory(PyObject* module) {
    Ref attribute = Ref::steal(PyObject_GetAttrString(module, "Geometry"));
    if (!attribute) return fail(python_error());
    if (!PyType_Check(attribute.get())) {
        return fail(raise_error(PyExc_TypeError, "velmor_geometry.Geometry is not a type"));
    }
    auto* type = reinterpret_cast<PyTypeObject*>(attribute.get());
    type->tp_new = geom_factory_new;
    PyType_Modified(type);
    return {};
}

}  // namespace velmor::py
