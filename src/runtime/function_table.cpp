#include "function_table.hpp"

#include <memory>
#include <mutex>

#include "core/internal_failure.hpp"
#include "library_loader.hpp"
#include "library_path.hpp"

namespace velmor::runtime {
namespace {

// The first users wait for the one that loads; after a failure the next one tries again.
std::mutex& loading() {
    static std::mutex mutex;
    return mutex;
}

}  // namespace

const FunctionTable& load_functions() {
    std::lock_guard lock(loading());
    if (const FunctionTable* table = loaded_functions.load(std::memory_order_acquire)) return *table;
    const std::string path = resolve_library_path();
    auto opened = open_library(path);
    if (!opened) core::internal_failure("Failed to load geokern library at " + path + ": " + opened.error());
    const FunctionTable* table = opened->release();
    loaded_functions.store(table, std::memory_order_release);
    return *table;
}

}  // namespace velmor::runtime
