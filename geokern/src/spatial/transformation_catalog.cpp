#include "spatial/transformation_catalog.hpp"

#include "failure.hpp"

namespace geokern {

namespace {

struct ProjListDeleter {
    void operator()(PJ_OBJ_LIST* list) const { proj_list_destroy(list); }
};
struct FactoryDeleter {
    void operator()(PJ_OPERATION_FACTORY_CONTEXT* factory) const { proj_operation_factory_context_destroy(factory); }
};

SharedPj geographic_of(PJ_CONTEXT* context, const SpatialReferenceValue& value) {
    return require_pj(proj_crs_get_geodetic_crs(context, value.horizontal.get()), "geographic system");
}

bool same_datum(PJ_CONTEXT* context, const PJ* a, const PJ* b) {
    SharedPj datum_a = share_pj(proj_crs_get_datum_forced(context, a));
    SharedPj datum_b = share_pj(proj_crs_get_datum_forced(context, b));
    return datum_a && datum_b && proj_is_equivalent_to_with_ctx(context, datum_a.get(), datum_b.get(), PJ_COMP_EQUIVALENT);
}

// The transformation steps of one candidate; conversions (axis order, units) inside it are not
// datum transformations and are left out.
std::vector<StepPointer> steps_of(PJ_CONTEXT* context, const SharedPj& operation, GK_DatumTransformationType kind) {
    std::vector<SharedPj> parts;
    if (proj_get_type(operation.get()) == PJ_TYPE_CONCATENATED_OPERATION) {
        int count = proj_concatoperation_get_step_count(context, operation.get());
        for (int i = 0; i < count; ++i) parts.push_back(share_pj(proj_concatoperation_get_step(context, operation.get(), i)));
    } else {
        parts.push_back(operation);
    }
    std::vector<StepPointer> steps;
    for (SharedPj& part : parts) {
        if (!part || proj_get_type(part.get()) == PJ_TYPE_CONVERSION) continue;
        steps.push_back(step_from_operation(context, std::move(part), kind));
    }
    return steps;
}

bool already_listed(const std::vector<TransformationPointer>& listed, const DatumTransformationValue& candidate) {
    for (const TransformationPointer& transformation : listed) {
        if (same_transformation(*transformation, candidate)) return true;
    }
    return false;
}

}  // namespace

std::vector<TransformationPointer> transformations_by_suitability(const SpatialReferencePointer& input,
                                                                  const SpatialReferencePointer& output,
                                                                  bool vertical,
                                                                  const std::optional<GeographicArea>& area) {
    ProjLock lock;
    PJ_CONTEXT* context = lock.context();
    vertical = vertical && (input->has_vertical || output->has_vertical);
    SharedPj source = vertical ? input->crs : geographic_of(context, *input);
    SharedPj target = vertical ? output->crs : geographic_of(context, *output);
    if (vertical ? proj_is_equivalent_to_with_ctx(context, source.get(), target.get(), PJ_COMP_EQUIVALENT)
                 : same_datum(context, source.get(), target.get())) {
        return {};
    }
    std::unique_ptr<PJ_OPERATION_FACTORY_CONTEXT, FactoryDeleter> factory(proj_create_operation_factory_context(context, nullptr));
    if (!factory) fail(GK_ERROR_INTERNAL, "internal error.", "PROJ cannot search its database.");
    proj_operation_factory_context_set_allow_ballpark_transformations(context, factory.get(), 0);
    proj_operation_factory_context_set_spatial_criterion(context, factory.get(), PROJ_SPATIAL_CRITERION_PARTIAL_INTERSECTION);
    proj_operation_factory_context_set_grid_availability_use(context, factory.get(), PROJ_GRID_AVAILABILITY_USED_FOR_SORTING);
    if (area) {
        proj_operation_factory_context_set_area_of_interest(context, factory.get(), area->west, area->south, area->east,
                                                            area->north);
    }
    std::unique_ptr<PJ_OBJ_LIST, ProjListDeleter> candidates(
        proj_create_operations(context, source.get(), target.get(), factory.get()));
    GK_DatumTransformationType kind = vertical ? transformation_horizontal_vertical : transformation_geographic;
    std::vector<TransformationPointer> result;
    int count = candidates ? proj_list_get_count(candidates.get()) : 0;
    for (int i = 0; i < count; ++i) {
        SharedPj operation = share_pj(proj_list_get(context, candidates.get(), i));
        if (!operation || proj_coordoperation_has_ballpark_transformation(context, operation.get())) continue;
        auto transformation = std::make_shared<DatumTransformationValue>();
        transformation->kind = kind;
        transformation->steps = steps_of(context, operation, kind);
        transformation->input = input;
        transformation->output = output;
        if (transformation->steps.empty() || already_listed(result, *transformation)) continue;
        result.push_back(std::move(transformation));
    }
    return result;
}

}  // namespace geokern
