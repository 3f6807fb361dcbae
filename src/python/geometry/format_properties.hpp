#pragma once

#include <Python.h>

#include <optional>
#include <string>

#include "formats/writers/wkb_writer.hpp"
#include "formats/writers/wkt_writer.hpp"
#include "geometry/geometry_class.hpp"
#include "geometry/member_docs.hpp"
#include "runtime/convert/geometry_spatial_reference.hpp"
#include "runtime/spatial/spatial_reference.hpp"

// The read-only `wkt`, `wkb` and `ewkb` properties, written once for every geometry class (same traits
// as geometry_class.hpp).
namespace velmor::py::geometry_class {

// Whether writing needs the tolerance of the spatial reference: only curves that become chords do.
template <class Traits>
bool needs_tolerance(const typename Traits::Value& value) {
    return Traits::spatial_reference(value).has_value() && formats::needs_chords(value);
}

// The tolerance, looked up in the runtime core; a spatial reference the runtime core refuses leaves the
// extent's rule.
template <class Traits>
formats::WriteOptions write_options(const typename Traits::Value& value) {
    auto runtime_reference = runtime::convert::runtime_spatial_reference(Traits::spatial_reference(value));
    if (!runtime_reference || !*runtime_reference) return {};
    return {runtime::spatial_reference_tolerance(**runtime_reference)};
}

// Written under the value's lock, as str() is; a value that needs the runtime core is copied under the
// lock (the copy shares the parts, which the writers lock one at a time) and written after it is
// released, so that no runtime failure happens under the lock.
template <class Traits, class Write>
Result<std::string> written_form(PyObject* self, Write&& write) {
    using Value = typename Traits::Value;
    std::optional<Value> snapshot;
    VELMOR_TRY_ASSIGN(std::string direct, (read<Value>(self, [&](const Value& value) {
                          if (!needs_tolerance<Traits>(value)) return write(value, formats::WriteOptions{});
                          snapshot.emplace(value);
                          return std::string();
                      })));
    if (!snapshot) return direct;
    return write(*snapshot, write_options<Traits>(*snapshot));
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
    {"wkt", geometry_class::get_wkt<Traits>, nullptr, member_docs::wkt, nullptr},                                  \
        {"wkb", geometry_class::get_wkb<Traits, formats::WkbFlavour::Iso>, nullptr, member_docs::wkb, nullptr},    \
        {"ewkb", geometry_class::get_wkb<Traits, formats::WkbFlavour::Extended>, nullptr, member_docs::ewkb, nullptr}

}  // namespace velmor::py::geometry_class
