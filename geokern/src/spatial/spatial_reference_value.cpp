#include "spatial/spatial_reference_value.hpp"

#include <cmath>
#include <cstring>
#include <functional>
#include <map>
#include <string_view>

#include "failure.hpp"
#include "geometry/spatial_reference_ref.hpp"
#include "spatial/authority_code.hpp"

namespace geokern {

namespace {

constexpr double default_resolution_m = 0.0001;
constexpr double default_tolerance_m = 0.001;
// Texts read into systems are kept, up to this many, so that a geometry's text is not parsed again.
constexpr size_t text_cache_limit = 256;

struct Caches {
    std::map<std::pair<int32_t, int32_t>, SpatialReferencePointer> by_wkids;
    std::map<std::string, SpatialReferencePointer, std::less<>> by_text;
};

Caches& caches() {
    static Caches* instance = new Caches;
    return *instance;
}

bool is_known_authority(const char* authority) {
    if (authority == nullptr) return false;
    for (const char* known : authorities) {
        if (std::strcmp(authority, known) == 0) return true;
    }
    return false;
}

// The identifier an object carries, or the one PROJ identifies it as with full confidence.
int32_t identify(PJ_CONTEXT* context, const PJ* object) {
    if (is_known_authority(proj_get_id_auth_name(object, 0))) return parse_code(proj_get_id_code(object, 0));
    for (const char* authority : authorities) {
        int* confidence = nullptr;
        PJ_OBJ_LIST* candidates = proj_identify(context, object, authority, nullptr, &confidence);
        int32_t found = 0;
        for (int i = 0; candidates != nullptr && i < proj_list_get_count(candidates) && found == 0; ++i) {
            if (confidence[i] < 100) continue;
            PJ* candidate = proj_list_get(context, candidates, i);
            found = parse_code(proj_get_id_code(candidate, 0));
            proj_destroy(candidate);
        }
        proj_int_list_destroy(confidence);
        proj_list_destroy(candidates);
        if (found != 0) return found;
    }
    return 0;
}

SharedPj from_database(PJ_CONTEXT* context, int32_t wkid) {
    std::string code = code_text(wkid);
    for (const char* authority : authorities) {
        PJ* found = proj_create_from_database(context, authority, code.c_str(), PJ_CATEGORY_CRS, 0, nullptr);
        if (found != nullptr) return share_pj(found);
    }
    fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.",
         code + " is not a well-known identifier of a coordinate system.");
}

std::string text_of(PJ_CONTEXT* context, const PJ* object, PJ_WKT_TYPE type) {
    const char* const options[] = {"MULTILINE=NO", nullptr};
    const char* text = proj_as_wkt(context, object, type, options);
    return text != nullptr ? text : std::string();
}

// A bound system (a system with its transformation to WGS 84 attached) is read as its source.
SharedPj unbound(PJ_CONTEXT* context, SharedPj crs) {
    if (proj_get_type(crs.get()) == PJ_TYPE_BOUND_CRS) return require_pj(proj_get_source_crs(context, crs.get()), "bound system");
    return crs;
}

struct AxisUnit {
    int32_t code = 0;
    double factor = 1.0;
    std::string name;
    GK_UnitType type = unit_type_linear;
};

AxisUnit axis_unit(PJ_CONTEXT* context, const PJ* crs) {
    AxisUnit result;
    SharedPj system = share_pj(proj_crs_get_coordinate_system(context, crs));
    if (!system) return result;
    const char* name = nullptr;
    const char* code = nullptr;
    if (proj_cs_get_axis_info(context, system.get(), 0, nullptr, nullptr, nullptr, &result.factor, &name, nullptr,
                              &code) == 0) {
        return result;
    }
    result.code = parse_code(code);
    result.name = name != nullptr ? name : "";
    PJ_COORDINATE_SYSTEM_TYPE type = proj_cs_get_type(context, system.get());
    if (type == PJ_CS_TYPE_ELLIPSOIDAL) result.type = unit_type_angular;
    return result;
}

UnitPointer unit_of(const AxisUnit& axis) {
    // "degree (supplier to define representation)" is the degree.
    int32_t code = axis.code == 9122 ? 9102 : axis.code;
    return unit_from_factor(code, axis.type, axis.factor, axis.name);
}

double semi_major_axis(PJ_CONTEXT* context, const PJ* crs) {
    double axis = 6378137.0;
    SharedPj ellipsoid = share_pj(proj_get_ellipsoid(context, crs));
    if (ellipsoid) proj_ellipsoid_get_parameters(context, ellipsoid.get(), &axis, nullptr, nullptr, nullptr);
    return axis;
}

bool is_pannable(PJ_CONTEXT* context, const PJ* horizontal, bool geographic) {
    if (geographic) return true;
    SharedPj conversion = share_pj(proj_crs_get_coordoperation(context, horizontal));
    if (!conversion) return false;
    const char* method = nullptr;
    proj_coordoperation_get_method_info(context, conversion.get(), &method, nullptr, nullptr);
    std::string_view name = method != nullptr ? method : "";
    bool mercator = name.find("Mercator") != std::string_view::npos && name.find("Transverse") == std::string_view::npos &&
                    name.find("Oblique") == std::string_view::npos;
    return mercator || name.find("Equidistant Cylindrical") != std::string_view::npos ||
           name.find("Plate Carr") != std::string_view::npos || name.find("Miller") != std::string_view::npos;
}

void set_default_precision(PJ_CONTEXT* context, SpatialReferenceValue& value) {
    if (value.unit->type == unit_type_angular) {
        double radians = default_tolerance_m / semi_major_axis(context, value.horizontal.get());
        value.tolerance = radians / value.unit->factor.approximate;
        value.resolution = value.tolerance / 10.0;
    } else {
        value.tolerance = default_tolerance_m / value.unit->factor.approximate;
        value.resolution = default_resolution_m / value.unit->factor.approximate;
    }
    double vertical_factor = value.vertical_unit ? value.vertical_unit->factor.approximate : 1.0;
    value.vertical_tolerance = default_tolerance_m / vertical_factor;
    value.vertical_resolution = default_resolution_m / vertical_factor;
}

SpatialReferencePointer make_value(PJ_CONTEXT* context, SharedPj crs, int32_t wkid, int32_t vertical_wkid) {
    auto value = std::make_shared<SpatialReferenceValue>();
    value->crs = unbound(context, std::move(crs));
    SharedPj vertical;
    PJ_TYPE type = proj_get_type(value->crs.get());
    if (type == PJ_TYPE_COMPOUND_CRS) {
        value->horizontal = unbound(context, require_pj(proj_crs_get_sub_crs(context, value->crs.get(), 0), "horizontal part"));
        vertical = unbound(context, require_pj(proj_crs_get_sub_crs(context, value->crs.get(), 1), "vertical part"));
    } else if (type == PJ_TYPE_VERTICAL_CRS || !proj_is_crs(value->crs.get())) {
        fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.", "the text does not describe a horizontal coordinate system.");
    } else {
        value->horizontal = value->crs;
    }
    PJ_TYPE horizontal_type = proj_get_type(value->horizontal.get());
    value->geographic = horizontal_type == PJ_TYPE_GEOGRAPHIC_2D_CRS || horizontal_type == PJ_TYPE_GEOGRAPHIC_3D_CRS;
    value->projected = horizontal_type == PJ_TYPE_PROJECTED_CRS;
    value->pannable = is_pannable(context, value->horizontal.get(), value->geographic);
    value->wkid = wkid != 0 ? wkid : identify(context, value->horizontal.get());
    value->unit = unit_of(axis_unit(context, value->horizontal.get()));
    if (vertical) {
        value->has_vertical = true;
        value->vertical_wkid = vertical_wkid != 0 ? vertical_wkid : identify(context, vertical.get());
        value->vertical_unit = unit_of(axis_unit(context, vertical.get()));
    }
    value->wkt = text_of(context, value->crs.get(), PJ_WKT1_GDAL);
    if (value->wkt.empty()) value->wkt = text_of(context, value->crs.get(), PJ_WKT1_ESRI);
    value->wkt2 = text_of(context, value->crs.get(), PJ_WKT2_2019);
    set_default_precision(context, *value);
    return value;
}

SharedPj vertical_from_database(PJ_CONTEXT* context, int32_t vertical_wkid) {
    SharedPj vertical = from_database(context, vertical_wkid);
    if (proj_get_type(vertical.get()) != PJ_TYPE_VERTICAL_CRS) {
        fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.",
             code_text(vertical_wkid) + " is not a well-known identifier of a vertical coordinate system.");
    }
    return vertical;
}

}  // namespace

SpatialReferencePointer spatial_reference_from_wkids(int32_t wkid, int32_t vertical_wkid) {
    ProjLock lock;
    auto key = std::make_pair(wkid, vertical_wkid);
    auto& cached = caches().by_wkids;
    if (auto found = cached.find(key); found != cached.end()) return found->second;
    PJ_CONTEXT* context = lock.context();
    SharedPj crs = from_database(context, wkid);
    if (vertical_wkid != 0) {
        if (proj_get_type(crs.get()) == PJ_TYPE_COMPOUND_CRS || proj_get_type(crs.get()) == PJ_TYPE_VERTICAL_CRS) {
            fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.",
                 code_text(wkid) + " is not a well-known identifier of a horizontal coordinate system.");
        }
        SharedPj vertical = vertical_from_database(context, vertical_wkid);
        std::string name = std::string(proj_get_name(crs.get())) + " + " + proj_get_name(vertical.get());
        crs = require_pj(proj_create_compound_crs(context, name.c_str(), crs.get(), vertical.get()), "compound system");
    }
    SpatialReferencePointer value = make_value(context, std::move(crs), wkid, vertical_wkid);
    cached.emplace(key, value);
    return value;
}

SpatialReferencePointer spatial_reference_from_wkid(int32_t wkid) { return spatial_reference_from_wkids(wkid, 0); }

SpatialReferencePointer spatial_reference_from_text(const std::string& text) {
    ProjLock lock;
    auto& cached = caches().by_text;
    if (auto found = cached.find(text); found != cached.end()) return found->second;
    PJ_CONTEXT* context = lock.context();
    const char* const options[] = {"STRICT=NO", nullptr};
    PROJ_STRING_LIST warnings = nullptr;
    PROJ_STRING_LIST errors = nullptr;
    PJ* created = proj_create_from_wkt(context, text.c_str(), options, &warnings, &errors);
    std::string reason = errors != nullptr && errors[0] != nullptr ? errors[0] : "not a well-known text";
    proj_string_list_destroy(warnings);
    proj_string_list_destroy(errors);
    if (created == nullptr) {
        fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.", "the well-known text cannot be read: " + reason + ".");
    }
    auto value = std::const_pointer_cast<SpatialReferenceValue>(make_value(context, share_pj(created), 0, 0));
    value->text_read = text;
    if (cached.size() >= text_cache_limit) cached.clear();
    cached.emplace(text, value);
    return value;
}

SpatialReferencePointer spatial_reference_from_pj(SharedPj crs) {
    ProjLock lock;
    int32_t wkid = identify(lock.context(), crs.get());
    if (wkid != 0 && proj_get_type(crs.get()) != PJ_TYPE_COMPOUND_CRS) return spatial_reference_from_wkid(wkid);
    return make_value(lock.context(), std::move(crs), 0, 0);
}

SpatialReferencePointer base_geographic(const SpatialReferenceValue& value) {
    ProjLock lock;
    PJ_CONTEXT* context = lock.context();
    SharedPj geodetic = require_pj(proj_crs_get_geodetic_crs(context, value.horizontal.get()), "geographic system");
    PJ_TYPE type = proj_get_type(geodetic.get());
    if (type != PJ_TYPE_GEOGRAPHIC_2D_CRS && type != PJ_TYPE_GEOGRAPHIC_3D_CRS) {
        fail(GK_ERROR_INVALID_STATE, "invalid state.", "the system has no geographic coordinate system.");
    }
    return spatial_reference_from_pj(std::move(geodetic));
}

// Systems with identifiers compare by them; others by PROJ's reading, so that a text written and
// read back is the same system.
bool same_spatial_reference(const SpatialReferenceValue& a, const SpatialReferenceValue& b) {
    bool same_precision = a.tolerance == b.tolerance && a.resolution == b.resolution &&
                          a.vertical_tolerance == b.vertical_tolerance && a.vertical_resolution == b.vertical_resolution;
    if (!same_precision || a.wkid != b.wkid || a.vertical_wkid != b.vertical_wkid) return false;
    if (a.wkid != 0 || a.crs == b.crs) return true;
    ProjLock lock;
    return proj_is_equivalent_to_with_ctx(lock.context(), a.crs.get(), b.crs.get(), PJ_COMP_EQUIVALENT) != 0;
}

bool same_spatial_reference(const SpatialReferenceRef& a, const SpatialReferenceRef& b) {
    if (a == b) return true;
    return a != nullptr && b != nullptr && same_spatial_reference(*a, *b);
}

// Consistent with same_spatial_reference: systems without identifier hash by their kind and unit only.
uint64_t spatial_reference_hash(const SpatialReferenceValue& value) {
    uint64_t hash = (static_cast<uint64_t>(static_cast<uint32_t>(value.wkid)) << 32) |
                    static_cast<uint32_t>(value.vertical_wkid);
    if (value.wkid == 0) hash ^= (static_cast<uint64_t>(value.unit->code) << 8) ^ (value.geographic ? 1u : 2u);
    return hash ^ (std::hash<double>()(value.tolerance) * 31) ^ std::hash<double>()(value.resolution);
}

bool valid_precision(const SpatialReferenceValue& value) {
    auto valid = [](double resolution, double tolerance) {
        return std::isfinite(resolution) && std::isfinite(tolerance) && resolution > 0.0 && tolerance >= resolution;
    };
    return valid(value.resolution, value.tolerance) && valid(value.vertical_resolution, value.vertical_tolerance);
}

GK_SpatialReferenceHandle new_spatial_reference_handle(SpatialReferencePointer value) {
    return new_handle<GK_SpatialReferenceHandle>(std::const_pointer_cast<SpatialReferenceValue>(std::move(value)));
}

SpatialReferencePointer optional_spatial_reference(GK_SpatialReferenceHandle handle) {
    return handle == nullptr ? nullptr : shared_value(handle);
}

}  // namespace geokern
