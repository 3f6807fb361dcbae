#include "spatial/latest_wkid.hpp"

#include <cstring>
#include <map>
#include <string>

#include "spatial/authority_code.hpp"
#include "spatial/proj_context.hpp"

namespace geokern {
namespace {

std::map<int32_t, int32_t>& answers() {
    static auto* known = new std::map<int32_t, int32_t>;
    return *known;
}

struct Found {
    SharedPj crs;
    const char* authority = nullptr;
};

Found find_in_database(PJ_CONTEXT* context, int32_t wkid) {
    std::string code = code_text(wkid);
    for (const char* authority : authorities) {
        PJ* found = proj_create_from_database(context, authority, code.c_str(), PJ_CATEGORY_CRS, 0, nullptr);
        if (found != nullptr) return Found{share_pj(found), authority};
    }
    return {};
}

// The first replacement of a deprecated system that has an identifier.
int32_t replacement(PJ_CONTEXT* context, const PJ* crs) {
    PJ_OBJ_LIST* replacements = proj_get_non_deprecated(context, crs);
    int32_t code = 0;
    for (int i = 0; replacements != nullptr && i < proj_list_get_count(replacements) && code == 0; ++i) {
        SharedPj candidate = share_pj(proj_list_get(context, replacements, i));
        code = parse_code(proj_get_id_code(candidate.get(), 0));
    }
    proj_list_destroy(replacements);
    return code;
}

// PROJ's confidence from which an EPSG system counts as the same as one of the second authority's
// catalogue: its 102100 matches EPSG 3857 at 90, while loose likenesses score 70 or less.
constexpr int same_system_confidence = 90;

// The EPSG system PROJ recognises as the same one (its replacement, when that one is deprecated too).
int32_t epsg_equivalent(PJ_CONTEXT* context, const PJ* crs) {
    int* confidence = nullptr;
    PJ_OBJ_LIST* candidates = proj_identify(context, crs, "EPSG", nullptr, &confidence);
    int32_t code = 0;
    for (int i = 0; candidates != nullptr && i < proj_list_get_count(candidates) && code == 0; ++i) {
        if (confidence[i] < same_system_confidence) continue;
        SharedPj candidate = share_pj(proj_list_get(context, candidates, i));
        code = proj_is_deprecated(candidate.get()) ? replacement(context, candidate.get())
                                                   : parse_code(proj_get_id_code(candidate.get(), 0));
    }
    proj_int_list_destroy(confidence);
    proj_list_destroy(candidates);
    return code;
}

int32_t look_up(PJ_CONTEXT* context, int32_t wkid) {
    Found found = find_in_database(context, wkid);
    if (!found.crs) return 0;
    int32_t newer = proj_is_deprecated(found.crs.get()) ? replacement(context, found.crs.get()) : 0;
    if (newer == 0 && std::strcmp(found.authority, "EPSG") != 0) newer = epsg_equivalent(context, found.crs.get());
    return newer == wkid ? 0 : newer;
}

}  // namespace

int32_t latest_wkid(int32_t wkid) {
    ProjLock lock;
    auto& known = answers();
    if (auto found = known.find(wkid); found != known.end()) return found->second;
    int32_t answer = look_up(lock.context(), wkid);
    known.emplace(wkid, answer);
    return answer;
}

}  // namespace geokern
