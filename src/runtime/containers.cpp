#include "containers.hpp"

namespace velmor::runtime {

ArrayHandleGuard guard_array(GK_ArrayHandle array) {
    return ArrayHandleGuard(array, functions().Array_destroy, "Internal error: Failed to destroy handle to Array");
}

ElementHandleGuard guard_element(GK_ElementHandle element) {
    return ElementHandleGuard(element, functions().Element_destroy,
                              "Internal error: Failed to destroy handle to Element");
}

VectorOwned::~VectorOwned() {
    if (handle_ != nullptr) functions().Vector_destroy(handle_, nullptr);
}

core::Result<VectorOwned> list_to_vector(GK_ElementType type, std::size_t count, const ElementSetter& set_item) {
    const FunctionTable& gk = functions();
    VELMOR_TRY_ASSIGN(GK_VectorHandle created, as_native(invoke(gk.Vector_create, type)));
    if (created == nullptr) core::internal_failure("Internal error: Unexpected null handle");
    VectorOwned vector(created);
    VELMOR_TRY_ASSIGN(GK_ElementHandle element, as_native(invoke(gk.Element_create)));
    if (element == nullptr) core::internal_failure("Internal error: Unexpected null handle");
    ElementHandleGuard element_guard = guard_element(element);
    for (std::size_t i = 0; i < count; ++i) {
        VELMOR_TRY(set_item(element, i));
        VELMOR_TRY(as_native(invoke(gk.Vector_add, vector.get(), element)));
        VELMOR_TRY(as_native(invoke(gk.Element_clear, element)));
    }
    return vector;
}

core::Result<VectorOwned> vector_of_doubles(std::span<const double> values) {
    const FunctionTable& gk = functions();
    return list_to_vector(GK_ELEMENT_TYPE_FLOAT64, values.size(), [&](GK_ElementHandle element, std::size_t i) {
        return as_native(invoke(gk.Element_setValueFromFloat64, element, values[i]));
    });
}

}  // namespace velmor::runtime
