#include "proj_context.hpp"

#include <filesystem>
#include <system_error>
#include <vector>

#include "bundled_proj_data.hpp"
#include "failure.hpp"

namespace geokern {

namespace {

struct ContextState {
    PJ_CONTEXT* context = nullptr;
    std::vector<std::string> own_search_paths;  // PROJ's data directories, as PROJ found them
    std::optional<std::string> default_engine_directory;  // what clearing the directory returns to
    std::optional<std::string> engine_directory;
};

std::vector<std::string> split_search_path(const char* joined) {
    std::vector<std::string> paths;
    std::string current;
    for (const char* c = joined ? joined : ""; *c != '\0'; ++c) {
        if (*c == ':') {
            if (!current.empty()) paths.push_back(std::move(current));
            current.clear();
        } else {
            current.push_back(*c);
        }
    }
    if (!current.empty()) paths.push_back(std::move(current));
    return paths;
}

void apply_search_paths(ContextState& current) {
    std::vector<const char*> paths;
    if (current.engine_directory) paths.push_back(current.engine_directory->c_str());
    for (const std::string& path : current.own_search_paths) paths.push_back(path.c_str());
    proj_context_set_search_paths(current.context, static_cast<int>(paths.size()), paths.data());
}

// Kept for the life of the process: PROJ objects may be released during static destruction.
// An installation that carries PROJ's data starts with it as the projection engine directory, ahead
// of PROJ's own directories, which on such a machine may not exist at all.
ContextState& state() {
    static ContextState* instance = [] {
        auto* created = new ContextState;
        created->context = proj_context_create();
        proj_log_level(created->context, PJ_LOG_NONE);
        proj_context_set_enable_network(created->context, 0);
        created->own_search_paths = split_search_path(proj_info().searchpath);
        if (auto bundled = default_projection_engine_directory()) created->default_engine_directory = bundled->string();
        created->engine_directory = created->default_engine_directory;
        if (created->engine_directory) apply_search_paths(*created);
        return created;
    }();
    return *instance;
}

}  // namespace

std::recursive_mutex& proj_mutex() {
    static std::recursive_mutex* mutex = new std::recursive_mutex;
    return *mutex;
}

PJ_CONTEXT* proj_context() { return state().context; }

SharedPj share_pj(PJ* object) {
    return SharedPj(object, [](PJ* released) {
        ProjLock lock;
        proj_destroy(released);
    });
}

SharedPj require_pj(PJ* created, const std::string& what) {
    if (created == nullptr) {
        PJ_CONTEXT* context = proj_context();
        int error = proj_context_errno(context);
        std::string reason = error != 0 ? proj_context_errno_string(context, error) : "not found";
        fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.", what + ": " + reason + ".");
    }
    return share_pj(created);
}

std::optional<std::string> projection_engine_directory() {
    ProjLock lock;
    return state().engine_directory;
}

void set_projection_engine_directory(std::optional<std::string> directory) {
    if (directory && directory->empty()) directory.reset();
    if (directory && !std::filesystem::is_directory(*directory)) {
        std::error_code unreadable;
        const bool exists = std::filesystem::exists(*directory, unreadable);
        fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.",
             exists ? *directory + " is not a directory." : "the directory " + *directory + " does not exist.");
    }
    ProjLock lock;
    ContextState& current = state();
    current.engine_directory = directory ? std::move(directory) : current.default_engine_directory;
    apply_search_paths(current);
}

}  // namespace geokern
