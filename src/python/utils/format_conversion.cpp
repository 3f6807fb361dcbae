#include "format_conversion.hpp"

#include <span>
#include <string_view>

#include "args.hpp"
#include "formats/wkb_reader.hpp"
#include "formats/wkt_parser.hpp"

namespace velmor::py::utils {
namespace {

Result<Ref> finish(DictBuilder& builder, const formats::Status& walked) {
    if (!walked) return fail(raise_error(PyExc_RuntimeError, walked.error().display()));
    return builder.take_result();
}

}  // namespace

Result<Ref> convert_wkt(DictBuilder& builder, PyObject* wkt) {
    if (!PyUnicode_Check(wkt)) return fail(argument_refused(wkt, "wkt", "str"));
    Py_ssize_t size = 0;
    const char* text = PyUnicode_AsUTF8AndSize(wkt, &size);  // cached by the str, which outlives the call
    if (text == nullptr) return fail(python_error());
    return finish(builder,
                  formats::parse_wkt(std::string_view(text, static_cast<std::size_t>(size)), builder));
}

Result<Ref> convert_wkb(DictBuilder& builder, PyObject* wkb) {
    if (!PyBytes_Check(wkb)) return fail(argument_refused(wkb, "wkb", "bytes"));
    const auto* data = reinterpret_cast<const std::uint8_t*>(PyBytes_AS_STRING(wkb));
    const auto size = static_cast<std::size_t>(PyBytes_GET_SIZE(wkb));
    return finish(builder, formats::read_wkb(std::span<const std::uint8_t>(data, size), builder));
}

}  // namespace velmor::py::utils
