#pragma once

#include <Python.h>

#include <optional>
#include <string>

#include "formats/wkb_writer.hpp"
#include "formats/wkt_writer.hpp"
#include "geometry/geometry_class.hpp"
#include "runtime/convert/geometry_spatial_reference.hpp"
#include "runtime/spatial/spatial_reference.hpp"

// The read-only `wkt`, `wkb` and `ewkb` properties, written once for every geometry class (same traits
// as geometry_class.hpp). The value is copied under its lock (a copy shares the parts, which the
// writers lock one at a time) and written after the lock is released.
namespace velmor::py::geometry_class {

// The tolerance of the spatial reference, looked up in the runtime core only when curves must become
// chords; a spatial reference the runtime core refuses leaves the extent's rule.
template <class Traits>
formats::WriteOptions write_options(const typename Traits::Value& value) {
    const std::optional<core::SpatialReference>& reference = Traits::spatial_reference(value);
    if (!reference || !formats::needs_chords(value)) return {};
    auto runtime_reference = runtime::convert::runtime_spatial_reference(reference);
    if (!runtime_reference || !*runtime_reference) return {};
    return {runtime::spatial_reference_tolerance(**runtime_reference)};
}

template <class Traits, class Write>
Result<std::string> written_form(PyObject* self, Write&& write) {
    using Value = typename Traits::Value;
    VELMOR_TRY_ASSIGN(Value snapshot, (read<Value>(self, [](const Value& value) { return value; })));
    return write(snapshot, write_options<Traits>(snapshot));
}

template <class Traits>
PyObject* get_wkt(PyObject* self, void*) {
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(std::string text, written_form<Traits>(self, [](const auto& value, const auto& options) {
                              return formats::write_wkt(value, options);
                          }));
        return text_object(text);
    });
}

template <class Traits, formats::WkbFlavour Flavour>
PyObject* get_wkb(PyObject* self, void*) {
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(std::string bytes, written_form<Traits>(self, [](const auto& value, const auto& options) {
                              return formats::write_wkb(value, Flavour, options);
                          }));
        return checked(PyBytes_FromStringAndSize(bytes.data(), static_cast<Py_ssize_t>(bytes.size())));
    });
}

// The three entries of a class's property table.
#define VELMOR_WRITTEN_FORM_PROPERTIES(Traits)                                                                     \
    {"wkt", geometry_class::get_wkt<Traits>, nullptr, nullptr, nullptr},                                           \
        {"wkb", geometry_class::get_wkb<Traits, formats::WkbFlavour::Iso>, nullptr, nullptr, nullptr},             \
        {"ewkb", geometry_class::get_wkb<Traits, formats::WkbFlavour::Extended>, nullptr, nullptr, nullptr}

}  // namespace velmor::py::geometry_class
