// The GeographicTransformationStep and HorizontalVerticalTransformationStep families: one stored
// coordinate operation each, possibly inverted.
#include "report.hpp"
#include "object_elements.hpp"
#include "spatial/transformation_value.hpp"
#include "string_value.hpp"

using namespace geokern;

namespace {

GK_ArrayHandle file_names(const TransformationStep& step) {
    ArrayValue array;
    array.value_type = GK_ELEMENT_TYPE_STRING;
    for (const std::string& name : step.grid_files) {
        array.items.push_back(Value{GK_ELEMENT_TYPE_STRING, std::shared_ptr<void>(std::make_shared<StringValue>(StringValue{name}))});
    }
    return make_handle<GK_ArrayHandle>(std::move(array));
}

}  // namespace

#define GEOKERN_STEP_KIND(Kind, kind)                                                                             \
    void GK_##Kind##TransformationStep_destroy(GK_##Kind##TransformationStepHandle step, GK_EH) {                 \
        guarded<void>(handler, [&] { destroy_handle(step); });                                                    \
    }                                                                                                             \
    GK_##Kind##TransformationStepHandle GK_##Kind##TransformationStep_createWithWKID(int32_t wkid, GK_EH) {       \
        return guarded<GK_##Kind##TransformationStepHandle>(handler, [&] {                                        \
            return new_handle<GK_##Kind##TransformationStepHandle>(step_from_wkid(wkid, kind));                   \
        });                                                                                                       \
    }                                                                                                             \
    GK_##Kind##TransformationStepHandle GK_##Kind##TransformationStep_createWithWKText(const char* wk_text, GK_EH) { \
        return guarded<GK_##Kind##TransformationStepHandle>(handler, [&] {                                        \
            return new_handle<GK_##Kind##TransformationStepHandle>(                                               \
                step_from_text(text_argument(wk_text, "well-known"), kind));                                      \
        });                                                                                                       \
    }                                                                                                             \
    GK_Bool GK_##Kind##TransformationStep_getIsInverse(GK_##Kind##TransformationStepHandle step, GK_EH) {         \
        return guarded<GK_Bool>(handler, [&] { return GK_Bool{value_of(step).inverse}; });                        \
    }                                                                                                             \
    GK_Bool GK_##Kind##TransformationStep_getIsMissingProjectionEngineFiles(GK_##Kind##TransformationStepHandle step, \
                                                                           GK_EH) {                               \
        return guarded<GK_Bool>(handler, [&] { return GK_Bool{value_of(step).missing_files}; });                  \
    }                                                                                                             \
    GK_ArrayHandle GK_##Kind##TransformationStep_getProjectionEngineFilenames(GK_##Kind##TransformationStepHandle step, \
                                                                             GK_EH) {                             \
        return guarded<GK_ArrayHandle>(handler, [&] { return file_names(value_of(step)); });                      \
    }                                                                                                             \
    int32_t GK_##Kind##TransformationStep_getWKID(GK_##Kind##TransformationStepHandle step, GK_EH) {              \
        return guarded<int32_t>(handler, [&] { return value_of(step).wkid; });                                    \
    }                                                                                                             \
    GK_StringHandle GK_##Kind##TransformationStep_getWKText(GK_##Kind##TransformationStepHandle step, GK_EH) {    \
        return guarded<GK_StringHandle>(handler, [&] { return new_string(step_text(value_of(step), false)); });   \
    }                                                                                                             \
    GK_StringHandle GK_##Kind##TransformationStep_getWKText2(GK_##Kind##TransformationStepHandle step, GK_EH) {   \
        return guarded<GK_StringHandle>(handler, [&] { return new_string(step_text(value_of(step), true)); });    \
    }                                                                                                             \
    GK_Bool GK_##Kind##TransformationStep_equals(GK_##Kind##TransformationStepHandle step,                        \
                                                 GK_##Kind##TransformationStepHandle other, GK_EH) {              \
        return guarded<GK_Bool>(handler, [&] { return GK_Bool{same_step(value_of(step), value_of(other))}; });    \
    }                                                                                                             \
    uint64_t GK_##Kind##TransformationStep_getHash(GK_##Kind##TransformationStepHandle step, GK_EH) {             \
        return guarded<uint64_t>(handler, [&] { return step_hash(value_of(step)); });                             \
    }                                                                                                             \
    GK_##Kind##TransformationStepHandle GK_##Kind##TransformationStep_getInverse(GK_##Kind##TransformationStepHandle step, \
                                                                                 GK_EH) {                         \
        return guarded<GK_##Kind##TransformationStepHandle>(handler, [&] {                                        \
            return new_handle<GK_##Kind##TransformationStepHandle>(inverse_step(value_of(step)));                 \
        });                                                                                                       \
    }

GEOKERN_STEP_KIND(Geographic, transformation_geographic)
GEOKERN_STEP_KIND(HorizontalVertical, transformation_horizontal_vertical)
