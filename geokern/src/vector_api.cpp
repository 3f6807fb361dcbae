// The Vector family: mutable lists that callers fill to pass collections into the library.
#include <algorithm>

#include "element_value.hpp"

using namespace geokern;

namespace {

// A vector that held itself would never be released.
void check_not_self(const VectorValue& vector, const Value& value) {
    const auto* object = std::get_if<std::shared_ptr<void>>(&value.data);
    if (object != nullptr && object->get() == static_cast<const void*>(&vector)) {
        fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.", "a vector cannot contain itself.");
    }
}

const Value& fitting_value(const VectorValue& vector, GK_ElementHandle element) {
    const Value& value = element_value(element);
    check_fits(vector, value);
    check_not_self(vector, value);
    return value;
}

const Value& first_or_last(const ElementList& list, bool first) {
    if (list.items.empty()) fail(GK_ERROR_OUT_OF_RANGE, "index out of range.", "the vector is empty.");
    return first ? list.items.front() : list.items.back();
}

}  // namespace

void GK_Vector_destroy(GK_VectorHandle vector, GK_EH) {
    guarded<void>(handler, [&] { destroy_handle(vector); });
}

GK_VectorHandle GK_Vector_create(GK_ElementType value_type, GK_EH) {
    return guarded<GK_VectorHandle>(handler, [&] {
        VectorValue vector;
        vector.value_type = checked_element_type(value_type);
        return make_handle<GK_VectorHandle>(std::move(vector));
    });
}

uint64_t GK_Vector_getSize(GK_VectorHandle vector, GK_EH) {
    return guarded<uint64_t>(handler, [&] { return uint64_t{value_of(vector).items.size()}; });
}

GK_ElementType GK_Vector_getValueType(GK_VectorHandle vector, GK_EH) {
    return guarded<GK_ElementType>(handler, [&] { return value_of(vector).value_type; });
}

void GK_Vector_add(GK_VectorHandle vector, GK_ElementHandle element, GK_EH) {
    guarded<void>(handler, [&] {
        VectorValue& list = value_of(vector);
        list.items.push_back(fitting_value(list, element));
    });
}

void GK_Vector_addArray(GK_VectorHandle vector, GK_ArrayHandle array, GK_EH) {
    guarded<void>(handler, [&] {
        VectorValue& list = value_of(vector);
        const ArrayValue& source = value_of(array);
        if (source.value_type != list.value_type) fail_type_mismatch(list.value_type, source.value_type);
        list.items.insert(list.items.end(), source.items.begin(), source.items.end());
    });
}

GK_ElementHandle GK_Vector_at(GK_VectorHandle vector, uint64_t position, GK_EH) {
    return guarded<GK_ElementHandle>(handler, [&] { return new_element(item_at(value_of(vector), position)); });
}

GK_Bool GK_Vector_contains(GK_VectorHandle vector, GK_ElementHandle element, GK_EH) {
    return guarded<GK_Bool>(handler,
                            [&] { return GK_Bool{index_of(value_of(vector), element_value(element)) != npos}; });
}

GK_Bool GK_Vector_equals(GK_VectorHandle vector, GK_VectorHandle other, GK_EH) {
    return guarded<GK_Bool>(handler, [&] { return GK_Bool{same_items(value_of(vector), value_of(other))}; });
}

GK_ElementHandle GK_Vector_first(GK_VectorHandle vector, GK_EH) {
    return guarded<GK_ElementHandle>(handler, [&] { return new_element(first_or_last(value_of(vector), true)); });
}

uint64_t GK_Vector_indexOf(GK_VectorHandle vector, GK_ElementHandle element, GK_EH) {
    return guarded<uint64_t>(handler, [&] { return index_of(value_of(vector), element_value(element)); });
}

// Inserting at the size appends.
void GK_Vector_insert(GK_VectorHandle vector, uint64_t position, GK_ElementHandle element, GK_EH) {
    guarded<void>(handler, [&] {
        VectorValue& list = value_of(vector);
        if (position > list.items.size()) fail_out_of_range(position, list.items.size() + 1);
        const Value& value = fitting_value(list, element);
        list.items.insert(list.items.begin() + static_cast<std::ptrdiff_t>(position), value);
    });
}

GK_Bool GK_Vector_isEmpty(GK_VectorHandle vector, GK_EH) {
    return guarded<GK_Bool>(handler, [&] { return GK_Bool{value_of(vector).items.empty()}; });
}

GK_ElementHandle GK_Vector_last(GK_VectorHandle vector, GK_EH) {
    return guarded<GK_ElementHandle>(handler, [&] { return new_element(first_or_last(value_of(vector), false)); });
}

// Moves one item so that it ends up at to_position; the others keep their order.
void GK_Vector_move(GK_VectorHandle vector, uint64_t from_position, uint64_t to_position, GK_EH) {
    guarded<void>(handler, [&] {
        auto& items = value_of(vector).items;
        if (from_position >= items.size()) fail_out_of_range(from_position, items.size());
        if (to_position >= items.size()) fail_out_of_range(to_position, items.size());
        const auto from = items.begin() + static_cast<std::ptrdiff_t>(from_position);
        const auto to = items.begin() + static_cast<std::ptrdiff_t>(to_position);
        if (from < to) {
            std::rotate(from, from + 1, to + 1);
        } else {
            std::rotate(to, from, from + 1);
        }
    });
}

uint64_t GK_Vector_npos(GK_EH) {
    return guarded<uint64_t>(handler, [] { return npos; });
}

void GK_Vector_remove(GK_VectorHandle vector, uint64_t position, GK_EH) {
    guarded<void>(handler, [&] {
        auto& items = value_of(vector).items;
        if (position >= items.size()) fail_out_of_range(position, items.size());
        items.erase(items.begin() + static_cast<std::ptrdiff_t>(position));
    });
}

void GK_Vector_removeAll(GK_VectorHandle vector, GK_EH) {
    guarded<void>(handler, [&] { value_of(vector).items.clear(); });
}
