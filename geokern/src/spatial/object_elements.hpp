#pragma once

#include <memory>
#include <type_traits>
#include <vector>

#include "element_value.hpp"

namespace geokern {

// Element values holding objects of the spatial families (spatial references, transformations and
// their steps): a shared reference tagged with the element type.
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
