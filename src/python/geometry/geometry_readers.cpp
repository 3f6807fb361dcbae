#include "geometry/geometry_readers.hpp"

#include <cstdint>
#include <limits>

#include "args.hpp"
#include "entry.hpp"
#include "geometry/geometry_from_py.hpp"
#include "utils/dict_keys.hpp"
#include "utils/format_conversion.hpp"
#include "utils/ovrajson_builder.hpp"

namespace velmor::py {
namespace {

using Conversion = Result<Ref> (*)(utils::DictBuilder&, PyObject*);

constexpr std::uint32_t kSridFlag = 0x20000000U;

// Whether a WKB input is EWKB with an SRID: its type word, in the byte order byte 0 gives, has the flag.
bool carries_srid(PyObject* wkb) {
    const auto* data = reinterpret_cast<const unsigned char*>(PyBytes_AS_STRING(wkb));
    if (PyBytes_GET_SIZE(wkb) < 5) return false;
    const bool little = data[0] == 1;
    std::uint32_t word = 0;
    for (int i = 0; i < 4; ++i) word |= static_cast<std::uint32_t>(data[little ? 1 + i : 4 - i]) << (8 * i);
    return (word & kSridFlag) != 0;
}

// The readers give the empty point as {"x": None}; the point form writes it with NaN coordinates.
Result<void> empty_point_as_nan(PyObject* dict) {
    PyObject* x = PyDict_GetItemString(dict, "x");
    if (x != Py_None) return {};
    Ref nan = Ref::steal(PyFloat_FromDouble(std::numeric_limits<double>::quiet_NaN()));
    if (!nan || PyDict_SetItemString(dict, "x", nan.get()) != 0 || PyDict_SetItemString(dict, "y", nan.get()) != 0) {
        return fail(python_error());
    }
    return {};
}

// The reader's dictionary as a geometry; its assumed spatial reference is dropped unless the input had one.
Result<Ref> geometry_of(Ref dict, bool keep_spatial_reference) {
    if (!PyDict_Check(dict.get())) return geometry_from_py(dict.get());
    if (!keep_spatial_reference && PyDict_DelItemString(dict.get(), "spatialReference") != 0) PyErr_Clear();
    VELMOR_TRY(empty_point_as_nan(dict.get()));
    return geometry_from_py(dict.get());
}

Result<Ref> read_into_dict(Conversion conversion, PyObject* input) {
    VELMOR_TRY_ASSIGN(const utils::DictKeys* keys, utils::dict_keys());
    utils::OvraJsonBuilder builder(*keys);
    return conversion(builder, input);
}

}  // namespace

PyObject* geometry_from_wkt(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    return guard([&]() -> Result<Ref> {
        static const Parameters<1> params{"from_wkt", {"wkt"}};
        VELMOR_TRY_ASSIGN(const auto bound, bind(params, args, nargs, kwnames));
        VELMOR_TRY_ASSIGN(Ref dict, read_into_dict(utils::convert_wkt, bound[0]));
        return geometry_of(std::move(dict), false);
    });
}

PyObject* geometry_from_wkb(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    return guard([&]() -> Result<Ref> {
        static const Parameters<1> params{"from_wkb", {"wkb"}};
        VELMOR_TRY_ASSIGN(const auto bound, bind(params, args, nargs, kwnames));
        PyObject* input = bound[0];
        // Any bytes-like object; text is not one.
        Ref bytes = Ref::borrow(input);
        if (!PyBytes_Check(input) && PyObject_CheckBuffer(input)) {
            bytes = Ref::steal(PyBytes_FromObject(input));
            if (!bytes) return fail(python_error());
        }
        VELMOR_TRY_ASSIGN(Ref dict, read_into_dict(utils::convert_wkb, bytes.get()));
        return geometry_of(std::move(dict), carries_srid(bytes.get()));
    });
}

}  // namespace velmor::py
