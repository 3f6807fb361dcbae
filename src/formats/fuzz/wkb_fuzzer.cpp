// libFuzzer harness for the WKB/EWKB reader: any bytes either read into a well-formed event stream or
// fail with a message; no count is trusted before it is checked, nothing reads out of bounds.
#include <cstddef>
#include <cstdint>
#include <span>

#include "checking_builder.hpp"
#include "formats/wkb_reader.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    velmor::formats::fuzz::CheckingBuilder builder;
    const auto status = velmor::formats::read_wkb(std::span<const std::uint8_t>(data, size), builder);
    if (!status && status.error().message().empty()) std::abort();
    builder.finish(static_cast<bool>(status));
    return 0;
}
