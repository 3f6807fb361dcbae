#include "dict_forms/circular_arc_from_center.hpp"

#include "runtime/convert/segment_conversion.hpp"
#include "runtime/geometry.hpp"
#include "runtime/segments.hpp"

namespace velmor::py {

Result<core::CurveData> circular_arc_from_center(const core::Coord& start, const core::Coord& end,
                                                 const core::Coord& center, bool minor, bool clockwise) {
    const runtime::Point start_point = runtime::create_point(start);
    const runtime::Point end_point = runtime::create_point(end);
    const runtime::Point center_point = runtime::create_point(center);
    auto arc = runtime::create_circular_arc_with_center(start_point, end_point, center_point, minor, !clockwise,
                                                        nullptr);
    if (!arc) return fail(runtime::to_native_error(arc.error()));
    return runtime::convert::curve_data_from_segment(arc->get());
}

}  // namespace velmor::py
