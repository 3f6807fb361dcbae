#include "geometry/svg_picture.hpp"

#include "core/svg_writer.hpp"
#include "geometry/envelope.hpp"
#include "geometry/geometry_class.hpp"
#include "geometry/multipoint.hpp"
#include "geometry/point.hpp"
#include "geometry/polygon.hpp"
#include "geometry/polyline.hpp"

namespace velmor::py {
namespace {

// A geometry class and the native value its instances hold.
template <class V, PyTypeObject* (*Type)()>
struct Drawable {
    using Value = V;
    static PyTypeObject* type() { return Type(); }
};

// The picture of self, drawn from the value of the first class it is an instance of.
template <class First, class... Rest>
Result<std::string> picture(PyObject* self) {
    PyTypeObject* type = First::type();
    if (type == nullptr) return fail(python_error());
    if (PyObject_TypeCheck(self, type)) {
        return geometry_class::read<typename First::Value>(
            self, [](const auto& value) { return core::write_svg(value); });
    }
    if constexpr (sizeof...(Rest) == 0) {
        // A bare Geometry holds no value: nothing to draw.
        return core::write_svg(core::PointValue{});
    } else {
        return picture<Rest...>(self);
    }
}

PyObject* repr_svg(PyObject* self, PyObject*) {
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(
            std::string text,
            (picture<Drawable<core::PointValue, point_type>, Drawable<core::EnvelopeValue, envelope_type>,
                     Drawable<core::Polyline, polyline_type>, Drawable<core::Polygon, polygon_type>,
                     Drawable<core::Multipoint, multipoint_type>>(self)));
        return geometry_class::text_object(text);
    });
}

}  // namespace

PyMethodDef svg_picture_method() {
    return {
        "_repr_svg_", repr_svg, METH_NOARGS,
        "_repr_svg_($self)\n--\n\n"
        "An SVG picture of the geometry, as notebooks show it (str). North is up; circular and elliptic arcs "
        "are drawn as arcs and Bezier curves as cubic curves; polygon holes stay open (even-odd fill). An "
        "empty geometry gives a blank picture of the usual size."};
}

}  // namespace velmor::py
