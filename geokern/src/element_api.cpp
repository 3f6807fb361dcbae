// The Element family: one value, used to fill vectors and to read arrays.
#include "element_value.hpp"

using namespace geokern;

void GK_Element_destroy(GK_ElementHandle element, GK_EH) {
    guarded<void>(handler, [&] { destroy_handle(element); });
}

GK_ElementHandle GK_Element_create(GK_EH) {
    return guarded<GK_ElementHandle>(handler, [&] { return new_element(Value{}); });
}

// The type of the value held, GK_ELEMENT_TYPE_NONE when empty.
GK_ElementType GK_Element_getObjectType(GK_ElementHandle element, GK_EH) {
    return guarded<GK_ElementType>(handler, [&] { return element_value(element).type; });
}

void GK_Element_clear(GK_ElementHandle element, GK_EH) {
    guarded<void>(handler, [&] { value_of(element).value = Value{}; });
}

GK_Bool GK_Element_equals(GK_ElementHandle element, GK_ElementHandle other, GK_EH) {
    return guarded<GK_Bool>(handler, [&] { return GK_Bool{same_value(element_value(element), element_value(other))}; });
}

// fromX, getValueAsX and setValueFromX for numbers, strings, errors, arrays and vectors; the object
// kinds of other families are in object_elements_api.cpp and spatial/spatial_elements_api.cpp.
#define GEOKERN_ELEMENT_KIND(Name, CType)                                                              \
    GK_ElementHandle GK_Element_from##Name(CType value, GK_EH) {                                       \
        return guarded<GK_ElementHandle>(handler, [&] { return new_element(to_value(value)); });       \
    }                                                                                                  \
    CType GK_Element_getValueAs##Name(GK_ElementHandle element, GK_EH) {                               \
        return guarded<CType>(handler, [&] { return from_value<CType>(element_value(element)); });     \
    }                                                                                                  \
    void GK_Element_setValueFrom##Name(GK_ElementHandle element, CType value, GK_EH) {                 \
        guarded<void>(handler, [&] {                                                                   \
            Value replacement = to_value(value);                                                       \
            value_of(element).value = std::move(replacement);                                          \
        });                                                                                            \
    }

GEOKERN_ELEMENT_KIND(Array, GK_ArrayHandle)
GEOKERN_ELEMENT_KIND(Error, GK_ErrorHandle)
GEOKERN_ELEMENT_KIND(Float32, float)
GEOKERN_ELEMENT_KIND(Float64, double)
GEOKERN_ELEMENT_KIND(Int16, int16_t)
GEOKERN_ELEMENT_KIND(Int32, int32_t)
GEOKERN_ELEMENT_KIND(Int64, int64_t)
GEOKERN_ELEMENT_KIND(Int8, int8_t)
GEOKERN_ELEMENT_KIND(String, GK_StringHandle)
GEOKERN_ELEMENT_KIND(UInt16, uint16_t)
GEOKERN_ELEMENT_KIND(UInt32, uint32_t)
GEOKERN_ELEMENT_KIND(UInt64, uint64_t)
GEOKERN_ELEMENT_KIND(UInt8, uint8_t)
GEOKERN_ELEMENT_KIND(Vector, GK_VectorHandle)
