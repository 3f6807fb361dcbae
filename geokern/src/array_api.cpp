// The Array family: immutable lists the library hands out, and the builders that make them.
#include "element_value.hpp"

using namespace geokern;

namespace {

const Value& first_or_last(const ElementList& list, bool first) {
    if (list.items.empty()) fail(GK_ERROR_OUT_OF_RANGE, "index out of range.", "the array is empty.");
    return first ? list.items.front() : list.items.back();
}

}  // namespace

void GK_Array_destroy(GK_ArrayHandle array, GK_EH) {
    guarded<void>(handler, [&] { destroy_handle(array); });
}

GK_ObjectType GK_Array_getObjectType(GK_ArrayHandle array, GK_EH) {
    return guarded<GK_ObjectType>(handler, [&] {
        value_of(array);
        return GK_ObjectType{GK_OBJECT_TYPE_ARRAY};
    });
}

uint64_t GK_Array_getSize(GK_ArrayHandle array, GK_EH) {
    return guarded<uint64_t>(handler, [&] { return uint64_t{value_of(array).items.size()}; });
}

GK_ElementType GK_Array_getValueType(GK_ArrayHandle array, GK_EH) {
    return guarded<GK_ElementType>(handler, [&] { return value_of(array).value_type; });
}

GK_ElementHandle GK_Array_at(GK_ArrayHandle array, uint64_t position, GK_EH) {
    return guarded<GK_ElementHandle>(handler, [&] { return new_element(item_at(value_of(array), position)); });
}

GK_Bool GK_Array_contains(GK_ArrayHandle array, GK_ElementHandle element, GK_EH) {
    return guarded<GK_Bool>(handler, [&] { return GK_Bool{index_of(value_of(array), element_value(element)) != npos}; });
}

GK_ArrayBuilderHandle GK_Array_createBuilder(GK_ElementType value_type, GK_EH) {
    return guarded<GK_ArrayBuilderHandle>(handler, [&] {
        ArrayBuilderValue builder;
        builder.value_type = checked_element_type(value_type);
        return make_handle<GK_ArrayBuilderHandle>(std::move(builder));
    });
}

GK_Bool GK_Array_equals(GK_ArrayHandle array, GK_ArrayHandle other, GK_EH) {
    return guarded<GK_Bool>(handler, [&] { return GK_Bool{same_items(value_of(array), value_of(other))}; });
}

GK_ElementHandle GK_Array_first(GK_ArrayHandle array, GK_EH) {
    return guarded<GK_ElementHandle>(handler, [&] { return new_element(first_or_last(value_of(array), true)); });
}

uint64_t GK_Array_indexOf(GK_ArrayHandle array, GK_ElementHandle element, GK_EH) {
    return guarded<uint64_t>(handler, [&] { return index_of(value_of(array), element_value(element)); });
}

GK_Bool GK_Array_isEmpty(GK_ArrayHandle array, GK_EH) {
    return guarded<GK_Bool>(handler, [&] { return GK_Bool{value_of(array).items.empty()}; });
}

GK_ElementHandle GK_Array_last(GK_ArrayHandle array, GK_EH) {
    return guarded<GK_ElementHandle>(handler, [&] { return new_element(first_or_last(value_of(array), false)); });
}

void GK_ArrayBuilder_destroy(GK_ArrayBuilderHandle builder, GK_EH) {
    guarded<void>(handler, [&] { destroy_handle(builder); });
}

GK_ElementType GK_ArrayBuilder_getValueType(GK_ArrayBuilderHandle builder, GK_EH) {
    return guarded<GK_ElementType>(handler, [&] { return value_of(builder).value_type; });
}

void GK_ArrayBuilder_add(GK_ArrayBuilderHandle builder, GK_ElementHandle element, GK_EH) {
    guarded<void>(handler, [&] {
        ArrayBuilderValue& list = value_of(builder);
        const Value& value = element_value(element);
        check_fits(list, value);
        list.items.push_back(value);
    });
}

// The builder hands its items over and starts again empty, with the same value type.
GK_ArrayHandle GK_ArrayBuilder_moveToArray(GK_ArrayBuilderHandle builder, GK_EH) {
    return guarded<GK_ArrayHandle>(handler, [&] {
        ArrayBuilderValue& list = value_of(builder);
        ArrayValue array;
        array.value_type = list.value_type;
        array.items = std::move(list.items);
        list.items.clear();
        return make_handle<GK_ArrayHandle>(std::move(array));
    });
}
