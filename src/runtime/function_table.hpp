#pragma once

#include <atomic>

#include "geokern.h"

namespace velmor::runtime {

// The 635 entry points of the runtime core, in symbol-table order, resolved by name from the loaded
// library. Member names are the function names without "GK_": functions().Geometry_getHasZ(...).
struct FunctionTable {
#define VELMOR_GK_ENTRY(ret, family, operation, params) ret(*family##_##operation) params = nullptr;
    GK_FUNCTIONS(VELMOR_GK_ENTRY)
#undef VELMOR_GK_ENTRY
    void* library = nullptr;
};

// The table once it is filled; it is never emptied again.
inline std::atomic<const FunctionTable*> loaded_functions{nullptr};

// Loads the library and fills the table (the first use).
const FunctionTable& load_functions();

// The filled table, loading the library on first use. A failed load is an internal failure that leaves
// the table empty, so the next caller runs the whole search and load again. Inline, since every runtime
// call asks for it: once loaded it costs one load of a pointer.
inline const FunctionTable& functions() {
    if (const FunctionTable* table = loaded_functions.load(std::memory_order_acquire)) return *table;
    return load_functions();
}

}  // namespace velmor::runtime
