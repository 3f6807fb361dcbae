// libFuzzer harness for the WKT parser: any text either parses into a well-formed event stream or
// fails with a message; a parsed geometry written back as WKT parses to the same geometry; nothing
// reads out of bounds, leaks or overflows the stack.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "checking_builder.hpp"
#include "event_tree.hpp"
#include "formats/wkt_parser.hpp"
#include "tree_writers.hpp"

namespace {

using namespace velmor::formats;

void round_trip(std::string_view text) {
    fuzz::TreeRecorder first;
    if (!parse_wkt(text, first) || !first.root) std::abort();
    const std::string written = fuzz::WktWriter::write(*first.root);
    fuzz::TreeRecorder second;
    const auto status = parse_wkt(written, second);
    if (!status || !second.root || !fuzz::same_tree(*first.root, *second.root)) {
        std::fprintf(stderr, "WKT round trip differs: %s\n", written.c_str());
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    fuzz::CheckingBuilder builder;
    const auto status = parse_wkt(text, builder);
    if (!status && status.error().message().empty()) std::abort();
    builder.finish(static_cast<bool>(status));
    if (status) round_trip(text);
    return 0;
}
