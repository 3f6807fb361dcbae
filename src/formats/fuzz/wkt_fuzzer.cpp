// libFuzzer harness for the WKT parser: any text either parses into a well-formed event stream or
// fails with a message; nothing reads out of bounds, leaks or overflows the stack.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "checking_builder.hpp"
#include "formats/wkt_parser.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    velmor::formats::fuzz::CheckingBuilder builder;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto status = velmor::formats::parse_wkt(text, builder);
    if (!status && status.error().message().empty()) std::abort();
    builder.finish(static_cast<bool>(status));
    return 0;
}
