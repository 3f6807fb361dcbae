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

    // Dictionaries have no curve containers: a curve polygon is built as a polygon, a multicurve as a
    // multi line string, a multisurface as a multipolygon, and a circular string or compound curve as
    // a line string whose arcs the concrete builder takes through arc().
    formats::Status circularstring_begin(bool tagged) final { return linestring_begin(tagged); }
    formats::Status circularstring_end(bool tagged) final { return linestring_end(tagged); }
    formats::Status compoundcurve_begin(bool tagged) final { return linestring_begin(tagged); }
    formats::Status compoundcurve_end(bool tagged) final { return linestring_end(tagged); }
    formats::Status compound_piece(formats::GeometryType) final { return {}; }
    formats::Status curvepolygon_begin(bool tagged) final { return polygon_begin(tagged); }
    formats::Status curvepolygon_end(bool tagged) final { return polygon_end(tagged); }
    formats::Status multicurve_begin() final { return multilinestring_begin(); }
    formats::Status multicurve_end() final { return multilinestring_end(); }
    formats::Status multisurface_begin() final { return multipolygon_begin(); }
    formats::Status multisurface_end() final { return multipolygon_end(); }

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
