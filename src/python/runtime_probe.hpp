#pragma once

namespace velmor::py {

// The import-time probe: loads the runtime core library when it lies at sys.prefix, and otherwise
// warns on the process's standard output and leaves loading to the first operation that needs it.
// A library there that cannot be loaded is an internal failure that fails the import.
void probe_runtime_library();

}  // namespace velmor::py
