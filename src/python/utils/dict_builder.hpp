#pragma once

#include <cstdint>

#include "dict_keys.hpp"
#include "formats/geometry_builder.hpp"
#include "object_stack.hpp"

namespace velmor::py::utils {

// What the GeoJSON and OvraJSON builders share: the object stack, the SRID (4326 unless EWKB names
// another), the flag that a point's own coordinate is being read, and the final step that hands the
// finished dictionary to the caller.
class DictBuilder : public formats::GeometryBuilder {
  public:
    explicit DictBuilder(const DictKeys& keys) : keys_(keys) {}

    formats::Status srid(std::int32_t value) override {
        srid_ = value;
        return {};
    }

    // The top of the stack once the walk is done: IndexError "empty stack" when nothing was built,
    // TypeError when it is not a dict.
    Result<Ref> take_result();

  protected:
    const DictKeys& keys_;
    ObjectStack stack_;
    std::int32_t srid_ = 4326;
    bool collecting_point_ = false;
};

}  // namespace velmor::py::utils
