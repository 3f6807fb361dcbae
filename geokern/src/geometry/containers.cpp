#include "geometry/containers.hpp"

#include <string>

#include "failure.hpp"

namespace geokern {

void check_collection_index(int64_t index, size_t size, const char* what) {
    if (index < 0 || static_cast<uint64_t>(index) >= size) {
        fail(GK_ERROR_OUT_OF_RANGE, "index out of range.",
             std::string(what) + " index " + std::to_string(index) + " is not below the size " + std::to_string(size) +
                 ".");
    }
}

}  // namespace geokern
