#include "library_loader.hpp"

#include <dlfcn.h>

namespace velmor::runtime {
namespace {

std::string loader_text() {
    const char* text = dlerror();
    return text != nullptr ? text : "unknown error";
}

template <class Entry>
bool resolve(void* library, const char* name, Entry& entry) {
    dlerror();
    void* symbol = dlsym(library, name);
    if (symbol == nullptr) return false;
    entry = reinterpret_cast<Entry>(symbol);
    return true;
}

}  // namespace

std::expected<std::unique_ptr<FunctionTable>, std::string> open_library(const std::string& path) {
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) return std::unexpected("Could not open library: " + loader_text());
    auto table = std::make_unique<FunctionTable>();
#define VELMOR_GK_RESOLVE(ret, family, operation, params)                                   \
    if (!resolve(library, "GK_" #family "_" #operation, table->family##_##operation)) {     \
        std::string text = "Could not obtain symbol from the library: " + loader_text();    \
        dlclose(library);                                                                   \
        return std::unexpected(std::move(text));                                            \
    }
    GK_FUNCTIONS(VELMOR_GK_RESOLVE)
#undef VELMOR_GK_RESOLVE
    table->library = library;
    return table;
}

}  // namespace velmor::runtime
