#include "environment.hpp"

#include <atomic>
#include <mutex>

#include "core/internal_failure.hpp"
#include "error_capture.hpp"

namespace velmor::runtime {
namespace {

enum class EnvironmentState { NotSetUp, SetUp, Failed };

struct EnvironmentCell {
    std::mutex mutex;
    EnvironmentState state = EnvironmentState::NotSetUp;
};

void set_up(const FunctionTable& gk) {
    const GK_ErrorHandler discard{&discard_error, nullptr};
    gk.VelmorRuntimeEnvironment_setErrorCallback(&discard_error, nullptr, &discard);
    // Asking for the install directory makes the library initialise itself; the answer is not needed.
    ErrorSlot slot;
    GK_StringHandle directory = gk.VelmorRuntimeEnvironment_getInstallDirectory(slot.handler());
    if (auto error = slot.take()) {
        core::internal_failure("Internal error: Failed to initialize runtime environment: " + error->debug());
    }
    gk.String_destroy(directory, nullptr);
}

}  // namespace

void ensure_environment() {
    // Loaded before the one-time section, so that a library that cannot be loaded yet is retried later
    // instead of poisoning the environment for good.
    const FunctionTable& gk = functions();
    // Every geometry made on the way to the runtime core asks; once set up, the answer takes no lock.
    static std::atomic<bool> ready{false};
    if (ready.load(std::memory_order_acquire)) return;
    static EnvironmentCell cell;
    std::lock_guard lock(cell.mutex);
    switch (cell.state) {
        case EnvironmentState::SetUp:
            return;
        case EnvironmentState::Failed:
            core::internal_failure(
                "Internal error: Runtime environment set-up was poisoned by an earlier failure");
        case EnvironmentState::NotSetUp:
            break;
    }
    cell.state = EnvironmentState::Failed;
    set_up(gk);
    cell.state = EnvironmentState::SetUp;
    ready.store(true, std::memory_order_release);
}

}  // namespace velmor::runtime
