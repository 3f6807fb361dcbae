#include "spatial/transformation_value.hpp"

#include <cstring>
#include <functional>
#include <string_view>

#include "failure.hpp"
#include "spatial/authority_code.hpp"

namespace geokern {

namespace {

constexpr std::string_view inverse_prefix = "INVERSE(";
constexpr std::string_view inverse_name_prefix = "Inverse of ";

// The stored operation's name: PROJ names an inverted one "Inverse of <name>", sometimes quoted.
std::string stored_name(std::string name, bool inverse) {
    if (!inverse || !name.starts_with(inverse_name_prefix)) return name;
    name.erase(0, inverse_name_prefix.size());
    if (name.size() >= 2 && name.front() == '\'' && name.back() == '\'') name = name.substr(1, name.size() - 2);
    return name;
}

void read_grids(PJ_CONTEXT* context, TransformationStep& step) {
    int count = proj_coordoperation_get_grid_used_count(context, step.operation.get());
    for (int i = 0; i < count; ++i) {
        const char* short_name = nullptr;
        int available = 0;
        if (proj_coordoperation_get_grid_used(context, step.operation.get(), i, &short_name, nullptr, nullptr,
                                              nullptr, nullptr, nullptr, &available) == 0) {
            continue;
        }
        step.grid_files.emplace_back(short_name != nullptr ? short_name : "");
        if (available == 0) step.missing_files = true;
    }
}

bool is_operation(const PJ* object) {
    switch (proj_get_type(object)) {
        case PJ_TYPE_TRANSFORMATION:
        case PJ_TYPE_CONCATENATED_OPERATION:
        case PJ_TYPE_OTHER_COORDINATE_OPERATION:
            return true;
        default:
            return false;
    }
}

SpatialReferencePointer system_of(PJ* crs) {
    if (crs == nullptr) return nullptr;
    SharedPj shared = share_pj(crs);
    try {
        return spatial_reference_from_pj(std::move(shared));
    } catch (const Failure&) {
        return nullptr;  // a system PROJ names but this library cannot read stays unknown
    }
}

}  // namespace

StepPointer step_from_operation(PJ_CONTEXT* context, SharedPj operation, GK_DatumTransformationType kind) {
    auto step = std::make_shared<TransformationStep>();
    step->kind = kind;
    step->operation = std::move(operation);
    const char* authority = proj_get_id_auth_name(step->operation.get(), 0);
    std::string_view authority_text = authority != nullptr ? authority : "";
    step->inverse = authority_text.starts_with(inverse_prefix);
    step->wkid = parse_code(proj_get_id_code(step->operation.get(), 0));
    const char* name = proj_get_name(step->operation.get());
    step->name = stored_name(name != nullptr ? name : "", step->inverse);
    read_grids(context, *step);
    return step;
}

StepPointer step_from_wkid(int32_t wkid, GK_DatumTransformationType kind) {
    ProjLock lock;
    std::string code = code_text(wkid);
    for (const char* authority : authorities) {
        PJ* found = proj_create_from_database(lock.context(), authority, code.c_str(), PJ_CATEGORY_COORDINATE_OPERATION,
                                              0, nullptr);
        if (found == nullptr) continue;
        SharedPj operation = share_pj(found);
        if (is_operation(found)) return step_from_operation(lock.context(), std::move(operation), kind);
    }
    fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.", code + " is not a well-known identifier of a transformation.");
}

StepPointer step_from_text(const std::string& text, GK_DatumTransformationType kind) {
    ProjLock lock;
    const char* const options[] = {"STRICT=NO", nullptr};
    PJ* created = proj_create_from_wkt(lock.context(), text.c_str(), options, nullptr, nullptr);
    SharedPj operation = created != nullptr ? share_pj(created) : nullptr;
    if (!operation || !is_operation(created)) {
        fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.", "the text is not the well-known text of a transformation.");
    }
    return step_from_operation(lock.context(), std::move(operation), kind);
}

StepPointer inverse_step(const TransformationStep& step) {
    ProjLock lock;
    SharedPj inverse = require_pj(proj_coordoperation_create_inverse(lock.context(), step.operation.get()), "inverse");
    auto result = std::make_shared<TransformationStep>(step);
    result->operation = std::move(inverse);
    result->inverse = !step.inverse;
    return result;
}

std::string step_text(const TransformationStep& step, bool second_edition) {
    ProjLock lock;
    const char* const options[] = {"MULTILINE=NO", nullptr};
    const char* text = nullptr;
    if (!second_edition) text = proj_as_wkt(lock.context(), step.operation.get(), PJ_WKT1_ESRI, options);
    if (text == nullptr) text = proj_as_wkt(lock.context(), step.operation.get(), PJ_WKT2_2019, options);
    return text != nullptr ? text : std::string();
}

bool same_step(const TransformationStep& a, const TransformationStep& b) {
    if (a.kind != b.kind || a.inverse != b.inverse || a.wkid != b.wkid) return false;
    return a.wkid != 0 || a.operation == b.operation || step_text(a, true) == step_text(b, true);
}

uint64_t step_hash(const TransformationStep& step) {
    uint64_t hash = (static_cast<uint64_t>(static_cast<uint32_t>(step.wkid)) << 2) | (step.inverse ? 1u : 0u);
    return step.wkid != 0 ? hash : hash ^ std::hash<std::string>()(step_text(step, true));
}

TransformationPointer transformation_from_steps(std::vector<StepPointer> steps, GK_DatumTransformationType kind) {
    if (steps.empty()) fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.", "a transformation needs at least one step.");
    for (const StepPointer& step : steps) {
        if (step->kind != kind) fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.", "the steps are of another kind of transformation.");
    }
    ProjLock lock;
    auto transformation = std::make_shared<DatumTransformationValue>();
    transformation->kind = kind;
    transformation->input = system_of(proj_get_source_crs(lock.context(), steps.front()->operation.get()));
    transformation->output = system_of(proj_get_target_crs(lock.context(), steps.back()->operation.get()));
    transformation->steps = std::move(steps);
    return transformation;
}

TransformationPointer inverse_transformation(const DatumTransformationValue& transformation) {
    auto inverse = std::make_shared<DatumTransformationValue>();
    inverse->kind = transformation.kind;
    for (auto step = transformation.steps.rbegin(); step != transformation.steps.rend(); ++step) {
        inverse->steps.push_back(inverse_step(**step));
    }
    inverse->input = transformation.output;
    inverse->output = transformation.input;
    return inverse;
}

std::string transformation_name(const DatumTransformationValue& transformation) {
    std::string name;
    for (const StepPointer& step : transformation.steps) {
        if (!name.empty()) name += " + ";
        name += step->name;
    }
    return name;
}

bool missing_files(const DatumTransformationValue& transformation) {
    for (const StepPointer& step : transformation.steps) {
        if (step->missing_files) return true;
    }
    return false;
}

bool same_transformation(const DatumTransformationValue& a, const DatumTransformationValue& b) {
    if (a.kind != b.kind || a.steps.size() != b.steps.size()) return false;
    for (size_t i = 0; i < a.steps.size(); ++i) {
        if (!same_step(*a.steps[i], *b.steps[i])) return false;
    }
    return true;
}

uint64_t transformation_hash(const DatumTransformationValue& transformation) {
    uint64_t hash = static_cast<uint64_t>(transformation.kind);
    for (const StepPointer& step : transformation.steps) hash = hash * 1000003u ^ step_hash(*step);
    return hash;
}

}  // namespace geokern
