// The VelmorRuntimeEnvironment family: the process-wide error callback, the install directory, and
// plain settings kept for the families that will read them.
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <set>
#include <string>

#include "install_directory.hpp"
#include "report.hpp"
#include "string_value.hpp"

using namespace geokern;

namespace {

struct Settings {
    std::mutex mutex;
    bool leak_detection = false;
    bool raise_assertion = false;
    std::string feature_toggle_directory;
    std::string resources_directory;
    std::string temp_directory;
    std::set<std::string> enabled_features;
};

// Reports the handles still alive when the library goes away, if leak detection was asked for.
struct LeakReport {
    bool enabled = false;
    ~LeakReport() {
        const int64_t alive = live_handle_count();
        if (enabled && alive != 0) std::fprintf(stderr, "geokern: %lld handles were never released\n", (long long)alive);
    }
};

Settings& settings() {
    static Settings instance;
    return instance;
}

LeakReport& leak_report() {
    static LeakReport instance;
    return instance;
}

bool valid_feature_name(const std::string& name) {
    if (name.empty()) return false;
    for (unsigned char c : name) {
        if (!std::isalnum(c) && c != '_' && c != '-' && c != '.') return false;
    }
    return true;
}

}  // namespace

void GK_VelmorRuntimeEnvironment_enableLeakDetection(GK_Bool enable, GK_EH) {
    guarded<void>(handler, [&] {
        std::lock_guard lock(settings().mutex);
        settings().leak_detection = enable != 0;
        leak_report().enabled = enable != 0;
    });
}

void GK_VelmorRuntimeEnvironment_enableRaiseAssertion(GK_Bool enable, GK_EH) {
    guarded<void>(handler, [&] {
        std::lock_guard lock(settings().mutex);
        settings().raise_assertion = enable != 0;
    });
}

GK_StringHandle GK_VelmorRuntimeEnvironment_getFeatureToggleDirectory(GK_EH) {
    return guarded<GK_StringHandle>(handler, [&] {
        std::lock_guard lock(settings().mutex);
        return new_string(settings().feature_toggle_directory);
    });
}

GK_StringHandle GK_VelmorRuntimeEnvironment_getInstallDirectory(GK_EH) {
    return guarded<GK_StringHandle>(handler, [&] { return new_string(install_directory().string()); });
}

GK_Bool GK_VelmorRuntimeEnvironment_isFeatureEnabled(const char* feature, GK_EH) {
    return guarded<GK_Bool>(handler, [&] {
        const std::string name = text_argument(feature, "feature");
        std::lock_guard lock(settings().mutex);
        return GK_Bool{settings().enabled_features.contains(name)};
    });
}

void GK_VelmorRuntimeEnvironment_setFeatureToggleDirectory(const char* path, GK_EH) {
    guarded<void>(handler, [&] {
        std::string text = text_argument(path, "path");
        std::lock_guard lock(settings().mutex);
        settings().feature_toggle_directory = std::move(text);
    });
}

// Toggles are separated by commas: "name" enables a feature, "-name" disables it. Every malformed
// entry is reported on its own and skipped; the well-formed ones still apply.
void GK_VelmorRuntimeEnvironment_setFeatureToggles(const char* toggles, GK_EH) {
    guarded<void>(handler, [&] {
        const std::string text = text_argument(toggles, "toggles");
        size_t start = 0;
        while (start <= text.size()) {
            size_t end = text.find(',', start);
            if (end == std::string::npos) end = text.size();
            const std::string entry = text.substr(start, end - start);
            const bool disable = !entry.empty() && entry.front() == '-';
            const std::string name = disable ? entry.substr(1) : entry;
            if (!valid_feature_name(name)) {
                report(handler, Failure{GK_ERROR_INVALID_ARGUMENT, "invalid feature toggle.",
                                        "'" + entry + "' is not a feature name."});
            } else {
                std::lock_guard lock(settings().mutex);
                if (disable) {
                    settings().enabled_features.erase(name);
                } else {
                    settings().enabled_features.insert(name);
                }
            }
            start = end + 1;
        }
    });
}

void GK_VelmorRuntimeEnvironment_setResourcesDirectory(const char* path, GK_EH) {
    guarded<void>(handler, [&] {
        std::string text = text_argument(path, "path");
        std::lock_guard lock(settings().mutex);
        settings().resources_directory = std::move(text);
    });
}

void GK_VelmorRuntimeEnvironment_setTempDirectory(const char* path, GK_EH) {
    guarded<void>(handler, [&] {
        std::string text = text_argument(path, "path");
        std::lock_guard lock(settings().mutex);
        settings().temp_directory = std::move(text);
    });
}

// A null callback removes the process-wide callback.
void GK_VelmorRuntimeEnvironment_setErrorCallback(GK_ErrorCallback callback, void* user, GK_EH) {
    guarded<void>(handler, [&] { set_process_error_callback(callback, user); });
}
