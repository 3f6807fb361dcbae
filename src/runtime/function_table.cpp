#include "function_table.hpp"

#include <atomic>
#include <memory>
#include <mutex>

#include "core/internal_failure.hpp"
#include "library_loader.hpp"
#include "library_path.hpp"

namespace velmor::runtime {
namespace {

// Filled at most once and never emptied: the library stays loaded for the life of the process.
struct TableCell {
    std::mutex loading;
    std::atomic<const FunctionTable*> table{nullptr};
};

TableCell& table_cell() {
    static TableCell cell;
    return cell;
}

}  // namespace

const FunctionTable& functions() {
    TableCell& cell = table_cell();
    if (const FunctionTable* table = cell.table.load(std::memory_order_acquire)) return *table;
    // Concurrent first users wait for the one that loads; after a failure the next one tries again.
    std::lock_guard lock(cell.loading);
    if (const FunctionTable* table = cell.table.load(std::memory_order_acquire)) return *table;
    const std::string path = resolve_library_path();
    auto opened = open_library(path);
    if (!opened) core::internal_failure("Failed to load geokern library at " + path + ": " + opened.error());
    const FunctionTable* table = opened->release();
    cell.table.store(table, std::memory_order_release);
    return *table;
}

}  // namespace velmor::runtime
