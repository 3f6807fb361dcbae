#include "wkt_wkb_functions.hpp"

#include "args.hpp"
#include "entry.hpp"
#include "format_conversion.hpp"
#include "geojson_builder.hpp"
#include "ovrajson_builder.hpp"

namespace velmor::py::utils {
namespace {

using Conversion = Result<Ref> (*)(DictBuilder&, PyObject*);

// One entry for all four functions: bind the single argument, build with a fresh builder.
template <class Builder>
PyObject* convert(const Parameters<1>& params, Conversion conversion, PyObject* const* args, Py_ssize_t nargs,
                  PyObject* kwnames) {
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(const auto bound, bind(params, args, nargs, kwnames));
        VELMOR_TRY_ASSIGN(const DictKeys* keys, dict_keys());
        Builder builder(*keys);
        return conversion(builder, bound[0]);
    });
}

PyObject* wkb_to_ovrajson_dict(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const Parameters<1> params{"wkb_to_ovrajson_dict", {"wkb"}};
    return convert<OvraJsonBuilder>(params, convert_wkb, args, nargs, kwnames);
}

PyObject* wkb_to_geojson_dict(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const Parameters<1> params{"wkb_to_geojson_dict", {"wkb"}};
    return convert<GeoJsonBuilder>(params, convert_wkb, args, nargs, kwnames);
}

PyObject* wkt_to_ovrajson_dict(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const Parameters<1> params{"wkt_to_ovrajson_dict", {"wkt"}};
    return convert<OvraJsonBuilder>(params, convert_wkt, args, nargs, kwnames);
}

PyObject* wkt_to_geojson_dict(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const Parameters<1> params{"wkt_to_geojson_dict", {"wkt"}};
    return convert<GeoJsonBuilder>(params, convert_wkt, args, nargs, kwnames);
}

PyCFunction fastcall(PyObject* (*function)(PyObject*, PyObject* const*, Py_ssize_t, PyObject*)) {
    return reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(function));
}

}  // namespace

PyMethodDef wkb_to_ovrajson_dict_def = {"wkb_to_ovrajson_dict", fastcall(wkb_to_ovrajson_dict),
                                        METH_FASTCALL | METH_KEYWORDS, "wkb_to_ovrajson_dict(wkb)\n--\n\n"};
PyMethodDef wkb_to_geojson_dict_def = {"wkb_to_geojson_dict", fastcall(wkb_to_geojson_dict),
                                       METH_FASTCALL | METH_KEYWORDS, "wkb_to_geojson_dict(wkb)\n--\n\n"};
PyMethodDef wkt_to_ovrajson_dict_def = {"wkt_to_ovrajson_dict", fastcall(wkt_to_ovrajson_dict),
                                        METH_FASTCALL | METH_KEYWORDS, "wkt_to_ovrajson_dict(wkt)\n--\n\n"};
PyMethodDef wkt_to_geojson_dict_def = {"wkt_to_geojson_dict", fastcall(wkt_to_geojson_dict),
                                       METH_FASTCALL | METH_KEYWORDS, "wkt_to_geojson_dict(wkt)\n--\n\n"};

}  // namespace velmor::py::utils
