// libFuzzer harness for the WKB/EWKB reader: any bytes either read into a well-formed event stream or
// fail with a message; a geometry read and written back as WKB reads to the same geometry and SRID;
// no count is trusted before it is checked, nothing reads out of bounds.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "checking_builder.hpp"
#include "event_tree.hpp"
#include "formats/wkb_reader.hpp"
#include "tree_writers.hpp"

namespace {

using namespace velmor::formats;

void round_trip(std::span<const std::uint8_t> bytes) {
    fuzz::TreeRecorder first;
    if (!read_wkb(bytes, first) || !first.root) std::abort();
    const auto written = fuzz::WkbWriter::write(*first.root, first.srid_value);
    fuzz::TreeRecorder second;
    const auto status = read_wkb(written, second);
    if (!status || !second.root || second.srid_value != first.srid_value ||
        !fuzz::same_tree(*first.root, *second.root)) {
        std::fprintf(stderr, "WKB round trip differs (%zu bytes written)\n", written.size());
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    fuzz::CheckingBuilder builder;
    const auto status = read_wkb(bytes, builder);
    if (!status && status.error().message().empty()) std::abort();
    builder.finish(static_cast<bool>(status));
    if (status) round_trip(bytes);
    return 0;
}
