#include "runtime/spatial/transformation_steps.hpp"

#include "runtime/containers.hpp"
#include "runtime/environment.hpp"
#include "runtime/text.hpp"

namespace velmor::runtime {
namespace {

VELMOR_RUNTIME_OWNER(GeographicTransformationStep, GK_GeographicTransformationStepHandle,
                     "GeographicTransformationStep", GeographicTransformationStep_destroy);
VELMOR_RUNTIME_OWNER(HorizontalVerticalTransformationStep, GK_HorizontalVerticalTransformationStepHandle,
                     "HorizontalVerticalTransformationStep", HorizontalVerticalTransformationStep_destroy);

// One runtime function with the name its internal failures give.
template <class Function>
struct Entry {
    const char* name;
    Function FunctionTable::*function;
};

#define VELMOR_ENTRY(entry) Entry<decltype(FunctionTable::entry)>{"GK_" #entry, &FunctionTable::entry}

// The runtime functions of one kind of transformation and its steps; the two kinds have the same
// operations on different handle types.
#define VELMOR_STEP_FAMILY(Kind, element)                                                          \
    struct Kind##Family {                                                                          \
        using Step = Kind##TransformationStep;                                                     \
        using StepTag = Kind##TransformationStepTag;                                               \
        static constexpr GK_ElementType element_type = element;                                    \
        static constexpr auto get_steps = VELMOR_ENTRY(Kind##Transformation_getSteps);             \
        static constexpr auto create_with_steps = VELMOR_ENTRY(Kind##Transformation_createWithSteps); \
        static constexpr auto read_element = VELMOR_ENTRY(Element_getValueAs##Kind##TransformationStep); \
        static constexpr auto write_element = VELMOR_ENTRY(Element_setValueFrom##Kind##TransformationStep); \
        static constexpr auto create_with_wkid = VELMOR_ENTRY(Kind##TransformationStep_createWithWKID); \
        static constexpr auto create_with_text = VELMOR_ENTRY(Kind##TransformationStep_createWithWKText); \
        static constexpr auto wkid = VELMOR_ENTRY(Kind##TransformationStep_getWKID);               \
        static constexpr auto text = VELMOR_ENTRY(Kind##TransformationStep_getWKText2);            \
        static constexpr auto is_inverse = VELMOR_ENTRY(Kind##TransformationStep_getIsInverse);    \
        static constexpr auto inverse = VELMOR_ENTRY(Kind##TransformationStep_getInverse);         \
    }

VELMOR_STEP_FAMILY(Geographic, GK_ELEMENT_TYPE_GEOGRAPHIC_TRANSFORMATION_STEP);
VELMOR_STEP_FAMILY(HorizontalVertical, GK_ELEMENT_TYPE_HORIZONTAL_VERTICAL_TRANSFORMATION_STEP);

#undef VELMOR_STEP_FAMILY
#undef VELMOR_ENTRY

template <class Function, class... Args>
auto call(const Entry<Function>& entry, Args... args) {
    return invoke(functions().*entry.function, args...);
}

// For reads the runtime core never fails: an error is an internal failure naming the function.
template <class Function, class... Args>
auto call_or_fail(const Entry<Function>& entry, Args... args) {
    return invoke_or_fail(entry.name, functions().*entry.function, args...);
}

// The well-known text of a step's operation in its stored direction. Only operations without an
// identifier need it; the text of an inverted one is that of the operation it inverts.
template <class Family>
std::string stored_text(const typename Family::Step& step, bool inverse) {
    if (!inverse) return text_from_string(call_or_fail(Family::text, step.get()));
    auto stored = Family::Step::take(call_or_fail(Family::inverse, step.get()));
    return text_from_string(call_or_fail(Family::text, stored.get()));
}

template <class Family>
TransformationStepRecord record_of(const typename Family::Step& step) {
    TransformationStepRecord record;
    record.wkid = call_or_fail(Family::wkid, step.get());
    record.inverse = call_or_fail(Family::is_inverse, step.get()) != 0;
    if (record.wkid == 0) record.text = stored_text<Family>(step, record.inverse);
    return record;
}

template <class Family>
std::vector<TransformationStepRecord> records_of(const DatumTransformationOwned& transformation) {
    const GK_ArrayHandle array = call_or_fail(Family::get_steps, transformation.get());
    auto steps = array_to_list<typename Family::StepTag>(array, functions().*Family::read_element.function);
    if (!steps) unexpected_runtime_error(Family::read_element.name, steps.error());
    std::vector<TransformationStepRecord> records;
    records.reserve(steps->size());
    for (const auto& step : *steps) records.push_back(record_of<Family>(step));
    return records;
}

// The stored operation, turned round when the record says the step applies it inverted.
template <class Family>
core::Result<typename Family::Step> step_of(const TransformationStepRecord& record) {
    using Step = typename Family::Step;
    VELMOR_TRY_ASSIGN(auto created, record.wkid != 0
                                        ? as_native(call(Family::create_with_wkid, record.wkid))
                                        : as_native(call(Family::create_with_text, text_to_c_text(record.text).c_str())));
    Step stored = Step::take(created);
    if ((call_or_fail(Family::is_inverse, stored.get()) != 0) == record.inverse) return stored;
    VELMOR_TRY_ASSIGN(auto inverted, as_native(call(Family::inverse, stored.get())));
    return Step::take(inverted);
}

template <class Family>
core::Result<DatumTransformationOwned> transformation_of(const std::vector<TransformationStepRecord>& records) {
    std::vector<typename Family::Step> steps;
    steps.reserve(records.size());
    for (const TransformationStepRecord& record : records) {
        VELMOR_TRY_ASSIGN(auto step, step_of<Family>(record));
        steps.push_back(std::move(step));
    }
    VELMOR_TRY_ASSIGN(VectorOwned vector, list_to_vector(Family::element_type, steps.size(),
                                                          [&](GK_ElementHandle element, std::size_t i) {
                                                              return as_native(call(Family::write_element, element,
                                                                                   steps[i].get()));
                                                          }));
    VELMOR_TRY_ASSIGN(auto created, as_native(call(Family::create_with_steps, vector.get())));
    return DatumTransformationOwned::take(created);
}

}  // namespace

std::vector<TransformationStepRecord> transformation_steps(const DatumTransformationOwned& transformation,
                                                           TransformationType type) {
    if (type == TransformationType::Geographic) return records_of<GeographicFamily>(transformation);
    return records_of<HorizontalVerticalFamily>(transformation);
}

core::Result<DatumTransformationOwned> transformation_from_steps(TransformationType type,
                                                                 const std::vector<TransformationStepRecord>& steps) {
    ensure_environment();
    if (type == TransformationType::Geographic) return transformation_of<GeographicFamily>(steps);
    return transformation_of<HorizontalVerticalFamily>(steps);
}

}  // namespace velmor::runtime
