#pragma once

#include <proj.h>
#include <proj_experimental.h>

#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace geokern {

// PROJ is used through one context, and a context serves one thread at a time: every use of PROJ,
// including the release of its objects, holds this lock. It is recursive so that an object released
// while the lock is held (a temporary going out of scope) does not deadlock.
std::recursive_mutex& proj_mutex();

// The context; call only while holding proj_mutex().
PJ_CONTEXT* proj_context();

class ProjLock {
public:
    ProjLock() : lock_(proj_mutex()) {}
    PJ_CONTEXT* context() const { return proj_context(); }

private:
    std::lock_guard<std::recursive_mutex> lock_;
};

// A PROJ object shared between values of the library; released under the lock.
using SharedPj = std::shared_ptr<PJ>;
SharedPj share_pj(PJ* object);

// The object that `created` points at, or a failure with PROJ's last error text when it is null.
SharedPj require_pj(PJ* created, const std::string& what);

// The directories PROJ searches for grids and its database: the projection engine directory, then
// PROJ's own data directories. The directory starts as the PROJ data carried by the installation,
// if any and unless the user chose PROJ's data directory; clearing it returns to that start.
std::optional<std::string> projection_engine_directory();
void set_projection_engine_directory(std::optional<std::string> directory);

}  // namespace geokern
