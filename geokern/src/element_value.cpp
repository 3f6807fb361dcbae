#include "element_value.hpp"

#include <algorithm>
#include <string>

namespace geokern {

bool same_items(const ElementList& a, const ElementList& b) {
    return a.value_type == b.value_type &&
           std::ranges::equal(a.items, b.items, [](const Value& x, const Value& y) { return same_value(x, y); });
}

bool same_value(const Value& a, const Value& b) {
    if (a.type != b.type) return false;
    const auto* object_a = std::get_if<std::shared_ptr<void>>(&a.data);
    const auto* object_b = std::get_if<std::shared_ptr<void>>(&b.data);
    if (object_a == nullptr || object_b == nullptr) return a.data == b.data;
    if (*object_a == *object_b) return true;
    switch (a.type) {
        case GK_ELEMENT_TYPE_STRING:
            return static_cast<const StringValue*>(object_a->get())->text ==
                   static_cast<const StringValue*>(object_b->get())->text;
        case GK_ELEMENT_TYPE_ARRAY:
        case GK_ELEMENT_TYPE_VECTOR:
            return same_items(*static_cast<const ElementList*>(object_a->get()),
                              *static_cast<const ElementList*>(object_b->get()));
        default:
            return false;
    }
}

void fail_type_mismatch(GK_ElementType expected, GK_ElementType got) {
    fail(GK_ERROR_TYPE_MISMATCH, "element type mismatch.",
         "expected a value of type " + std::to_string(expected) + " but found one of type " + std::to_string(got) +
             ".");
}

bool known_element_type(GK_ElementType type) {
    switch (type) {
        case GK_ELEMENT_TYPE_ARRAY: case GK_ELEMENT_TYPE_BUFFER: case GK_ELEMENT_TYPE_DATUM_TRANSFORMATION:
        case GK_ELEMENT_TYPE_DICTIONARY: case GK_ELEMENT_TYPE_ERROR: case GK_ELEMENT_TYPE_VECTOR:
        case GK_ELEMENT_TYPE_INT8: case GK_ELEMENT_TYPE_INT16: case GK_ELEMENT_TYPE_INT32:
        case GK_ELEMENT_TYPE_INT64: case GK_ELEMENT_TYPE_UINT8: case GK_ELEMENT_TYPE_UINT16:
        case GK_ELEMENT_TYPE_UINT32: case GK_ELEMENT_TYPE_UINT64: case GK_ELEMENT_TYPE_STRING:
        case GK_ELEMENT_TYPE_FLOAT32: case GK_ELEMENT_TYPE_FLOAT64: case GK_ELEMENT_TYPE_GEOMETRY:
        case GK_ELEMENT_TYPE_SPATIAL_REFERENCE: case GK_ELEMENT_TYPE_GEOGRAPHIC_TRANSFORMATION_STEP:
        case GK_ELEMENT_TYPE_HORIZONTAL_VERTICAL_TRANSFORMATION_STEP:
            return true;
        default:
            return false;
    }
}

GK_ElementType checked_element_type(GK_ElementType type) {
    if (!known_element_type(type)) {
        fail(GK_ERROR_INVALID_ARGUMENT, "invalid element type.", std::to_string(type) + " is not an element type.");
    }
    return type;
}

const Value& item_at(const ElementList& list, uint64_t position) {
    if (position >= list.items.size()) fail_out_of_range(position, list.items.size());
    return list.items[position];
}

const Value& element_value(GK_ElementHandle element) { return value_of(element).value; }

void check_fits(const ElementList& list, const Value& value) {
    if (value.type != list.value_type) fail_type_mismatch(list.value_type, value.type);
}

uint64_t index_of(const ElementList& list, const Value& value) {
    const auto found =
        std::ranges::find_if(list.items, [&](const Value& item) { return same_value(item, value); });
    return found == list.items.end() ? npos : static_cast<uint64_t>(found - list.items.begin());
}

GK_ElementHandle new_element(Value value) { return make_handle<GK_ElementHandle>(ElementValue{std::move(value)}); }

}  // namespace geokern
