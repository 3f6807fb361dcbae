#pragma once

#include <cstdint>
#include <memory>
#include <type_traits>
#include <variant>
#include <vector>

#include "handle.hpp"
#include "report.hpp"
#include "string_value.hpp"

namespace geokern {

// One value of an element, array or vector: a number, or a shared reference to an object of a family,
// tagged with its GK_ELEMENT_TYPE_ code.
struct Value {
    GK_ElementType type = GK_ELEMENT_TYPE_NONE;
    std::variant<std::monostate, int8_t, int16_t, int32_t, int64_t, uint8_t, uint16_t, uint32_t, uint64_t, float,
                 double, std::shared_ptr<void>>
        data;
};

// Numbers compare by value, strings by text, arrays and vectors element by element, other objects by
// identity.
bool same_value(const Value& a, const Value& b);

struct ElementValue {
    Value value;
};

// The items of an array or a vector, all of one element type.
struct ElementList {
    GK_ElementType value_type = GK_ELEMENT_TYPE_NONE;
    std::vector<Value> items;
};
struct ArrayValue : ElementList {};
struct VectorValue : ElementList {};
struct ArrayBuilderValue : ElementList {};

GEOKERN_HANDLE_VALUE(GK_ElementHandle, ElementValue, "element");
GEOKERN_HANDLE_VALUE(GK_ArrayHandle, ArrayValue, "array");
GEOKERN_HANDLE_VALUE(GK_VectorHandle, VectorValue, "vector");
GEOKERN_HANDLE_VALUE(GK_ArrayBuilderHandle, ArrayBuilderValue, "array builder");

constexpr uint64_t npos = UINT64_MAX;

// The element type code of each value kind the library can hold so far.
template <class C>
constexpr GK_ElementType element_type_of() {
    if constexpr (std::is_same_v<C, int8_t>) return GK_ELEMENT_TYPE_INT8;
    else if constexpr (std::is_same_v<C, int16_t>) return GK_ELEMENT_TYPE_INT16;
    else if constexpr (std::is_same_v<C, int32_t>) return GK_ELEMENT_TYPE_INT32;
    else if constexpr (std::is_same_v<C, int64_t>) return GK_ELEMENT_TYPE_INT64;
    else if constexpr (std::is_same_v<C, uint8_t>) return GK_ELEMENT_TYPE_UINT8;
    else if constexpr (std::is_same_v<C, uint16_t>) return GK_ELEMENT_TYPE_UINT16;
    else if constexpr (std::is_same_v<C, uint32_t>) return GK_ELEMENT_TYPE_UINT32;
    else if constexpr (std::is_same_v<C, uint64_t>) return GK_ELEMENT_TYPE_UINT64;
    else if constexpr (std::is_same_v<C, float>) return GK_ELEMENT_TYPE_FLOAT32;
    else if constexpr (std::is_same_v<C, double>) return GK_ELEMENT_TYPE_FLOAT64;
    else if constexpr (std::is_same_v<C, GK_StringHandle>) return GK_ELEMENT_TYPE_STRING;
    else if constexpr (std::is_same_v<C, GK_ErrorHandle>) return GK_ELEMENT_TYPE_ERROR;
    else if constexpr (std::is_same_v<C, GK_ArrayHandle>) return GK_ELEMENT_TYPE_ARRAY;
    else if constexpr (std::is_same_v<C, GK_VectorHandle>) return GK_ELEMENT_TYPE_VECTOR;
    else static_assert(sizeof(C) == 0, "no element type for this value kind yet");
}

// A number is copied; an object handle is shared (the caller keeps its own handle).
template <class C>
Value to_value(C value) {
    if constexpr (std::is_arithmetic_v<C>) {
        return Value{element_type_of<C>(), value};
    } else {
        return Value{element_type_of<C>(), std::shared_ptr<void>(shared_value(value))};
    }
}

[[noreturn]] void fail_type_mismatch(GK_ElementType expected, GK_ElementType got);

// Reading a value as the kind it holds; an object comes out as a new handle sharing it.
template <class C>
C from_value(const Value& value) {
    if (value.type != element_type_of<C>()) fail_type_mismatch(element_type_of<C>(), value.type);
    if constexpr (std::is_arithmetic_v<C>) {
        return std::get<C>(value.data);
    } else {
        auto shared = std::static_pointer_cast<ValueOf<C>>(std::get<std::shared_ptr<void>>(value.data));
        return new_handle<C>(std::move(shared));
    }
}

bool known_element_type(GK_ElementType type);
GK_ElementType checked_element_type(GK_ElementType type);

const Value& item_at(const ElementList& list, uint64_t position);
const Value& element_value(GK_ElementHandle element);
// An element whose type the list does not hold is the caller's error.
void check_fits(const ElementList& list, const Value& value);
uint64_t index_of(const ElementList& list, const Value& value);
bool same_items(const ElementList& a, const ElementList& b);
GK_ElementHandle new_element(Value value);

}  // namespace geokern
