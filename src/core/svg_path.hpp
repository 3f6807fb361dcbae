#pragma once

#include <string>

#include "curve_part.hpp"
#include "part.hpp"

namespace velmor::core {

// SVG's y of a point: SVG's y axis grows downwards. `0.0 - y` rather than `-y`, so that a zero stays
// "0" and is not written "-0".
inline double svg_y(double y) {
    return 0.0 - y;
}

// The x-y range of what a picture shows, in the picture's own frame.
struct SvgBounds {
    double xmin;
    double ymin;
    double xmax;
    double ymax;

    SvgBounds();
    void add(double x, double y);
    bool empty() const { return xmin > xmax; }
};

// SVG path data of native parts. SVG's y axis grows downwards, so every point (x, y) is written as
// (x, -y): the picture then shows north up, and a counter-clockwise arc stays counter-clockwise on
// screen. True curves stay true curves: circular and elliptic arcs become `A` commands, Bezier
// curves `C` commands; an arc that closes on itself becomes two half arcs, since SVG draws nothing
// for an arc whose ends coincide. A vertex or curve value that is not finite cannot be drawn: the
// path is lifted over it (the next drawable vertex starts a new subpath) and its curve becomes a line.
// The bounds cover every drawn point, the bulges of arcs and curves included.
class SvgPath {
  public:
    // Rings are closed with `Z`, so an implicitly closed ring shows its closing side.
    void add_ring(const Part& part) { add(part, true); }
    void add_ring(const CurvePart& part) { add(part, true); }
    void add_path(const Part& part) { add(part, false); }
    void add_path(const CurvePart& part) { add(part, false); }

    const std::string& data() const { return data_; }
    const SvgBounds& bounds() const { return bounds_; }

  private:
    void add(const Part& part, bool ring);
    void add(const CurvePart& part, bool ring);

    std::string data_;
    SvgBounds bounds_;
};

}  // namespace velmor::core
