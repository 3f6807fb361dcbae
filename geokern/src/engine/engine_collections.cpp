#include "engine/engine_collections.hpp"

#include "object_elements.hpp"

namespace geokern::engine {

std::vector<std::shared_ptr<GeometryValue>> geometries_of(GK_VectorHandle vector) {
    return objects_of_vector<GK_GeometryHandle>(GK_ELEMENT_TYPE_GEOMETRY, vector);
}

std::vector<double> numbers_of(GK_VectorHandle vector) {
    const VectorValue& list = value_of(vector);
    std::vector<double> numbers;
    numbers.reserve(list.items.size());
    for (const Value& item : list.items) {
        if (item.type == GK_ELEMENT_TYPE_FLOAT64) numbers.push_back(std::get<double>(item.data));
        else if (item.type == GK_ELEMENT_TYPE_FLOAT32) numbers.push_back(std::get<float>(item.data));
        else fail_type_mismatch(GK_ELEMENT_TYPE_FLOAT64, item.type);
    }
    return numbers;
}

GK_ArrayHandle geometry_array(std::vector<GeometryValue> geometries) {
    std::vector<std::shared_ptr<GeometryValue>> shared;
    shared.reserve(geometries.size());
    for (GeometryValue& geometry : geometries) shared.push_back(std::make_shared<GeometryValue>(std::move(geometry)));
    return object_array(GK_ELEMENT_TYPE_GEOMETRY, shared);
}

}  // namespace geokern::engine
