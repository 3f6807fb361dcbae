#pragma once

#include <memory>
#include <type_traits>
#include <vector>

#include "element_value.hpp"

namespace geokern {

// Element values holding objects of a family (geometries, spatial references, transformations and
// their steps, buffers, dictionaries): a shared reference tagged with the element type.
template <class Shared>
Value object_value(GK_ElementType type, const std::shared_ptr<Shared>& object) {
    using Plain = std::remove_const_t<Shared>;
    return Value{type, std::shared_ptr<void>(std::const_pointer_cast<Plain>(object))};
}

template <class Handle>
Handle object_from_value(GK_ElementType type, const Value& value) {
    if (value.type != type) fail_type_mismatch(type, value.type);
    return new_handle<Handle>(std::static_pointer_cast<ValueOf<Handle>>(std::get<std::shared_ptr<void>>(value.data)));
}

// An array of objects, in order.
template <class Shared>
GK_ArrayHandle object_array(GK_ElementType type, const std::vector<std::shared_ptr<Shared>>& objects) {
    ArrayValue array;
    array.value_type = type;
    array.items.reserve(objects.size());
    for (const auto& object : objects) array.items.push_back(object_value(type, object));
    return make_handle<GK_ArrayHandle>(std::move(array));
}

// The objects of a vector argument, which must hold that element type.
template <class Handle>
std::vector<std::shared_ptr<ValueOf<Handle>>> objects_of_vector(GK_ElementType type, GK_VectorHandle vector) {
    const VectorValue& list = value_of(vector);
    if (list.value_type != type) fail_type_mismatch(type, list.value_type);
    std::vector<std::shared_ptr<ValueOf<Handle>>> objects;
    for (const Value& item : list.items) {
        objects.push_back(std::static_pointer_cast<ValueOf<Handle>>(std::get<std::shared_ptr<void>>(item.data)));
    }
    return objects;
}

}  // namespace geokern

// fromX, getValueAsX and setValueFromX of one object kind.
#define GEOKERN_OBJECT_ELEMENT_KIND(Name, Handle, type)                                                         \
    GK_ElementHandle GK_Element_from##Name(Handle value, GK_EH) {                                               \
        return guarded<GK_ElementHandle>(handler, [&] { return new_element(object_value(type, shared_value(value))); }); \
    }                                                                                                           \
    Handle GK_Element_getValueAs##Name(GK_ElementHandle element, GK_EH) {                                       \
        return guarded<Handle>(handler, [&] { return object_from_value<Handle>(type, element_value(element)); }); \
    }                                                                                                           \
    void GK_Element_setValueFrom##Name(GK_ElementHandle element, Handle value, GK_EH) {                         \
        guarded<void>(handler, [&] {                                                                            \
            Value replacement = object_value(type, shared_value(value));                                        \
            value_of(element).value = std::move(replacement);                                                   \
        });                                                                                                     \
    }
