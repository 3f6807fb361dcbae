#include "svg_writer.hpp"

#include <algorithm>
#include <cmath>
#include <span>
#include <string_view>

#include "lock_messages.hpp"
#include "number_format.hpp"
#include "svg_path.hpp"

namespace velmor::core {
namespace {

constexpr const char* fill_colour = "#66cc99";
constexpr const char* stroke_colour = "#555555";
// The longer side of the picture in pixels; notebooks scale it as they like.
constexpr double picture_pixels = 300.0;

void append_attribute(std::string& out, const char* name, double value) {
    out += ' ';
    out += name;
    out += "=\"";
    append_number(out, value);
    out += '"';
}

// The drawing's frame: the extent with its margin, and the unit that strokes and points scale with.
struct Frame {
    double x;
    double y;
    double width;
    double height;
    double unit;

    explicit Frame(const SvgBounds& bounds) {
        // A single point or a straight horizontal line has no extent along one or both axes.
        const double side = std::max(bounds.xmax - bounds.xmin, bounds.ymax - bounds.ymin);
        const double size = side > 0.0 && std::isfinite(side) ? side : 1.0;
        const double margin = size / 20.0;
        x = bounds.xmin - margin;
        y = bounds.ymin - margin;
        width = bounds.xmax - bounds.xmin + 2.0 * margin;
        height = bounds.ymax - bounds.ymin + 2.0 * margin;
        unit = size / 100.0;
    }
};

// Nothing to draw is still a picture: renderers refuse an svg element without a size, so the empty one
// keeps the usual size over a unit view box.
std::string empty_document() {
    std::string out = "<svg xmlns=\"http://www.w3.org/2000/svg\"";
    append_attribute(out, "width", picture_pixels);
    append_attribute(out, "height", picture_pixels);
    out += " viewBox=\"0 0 1 1\"/>";
    return out;
}

std::string document(const SvgBounds& bounds, const std::string& body) {
    if (bounds.empty()) return empty_document();
    const Frame frame(bounds);
    const double scale = picture_pixels / std::max(frame.width, frame.height);
    std::string out = "<svg xmlns=\"http://www.w3.org/2000/svg\"";
    append_attribute(out, "width", std::round(frame.width * scale));
    append_attribute(out, "height", std::round(frame.height * scale));
    out += " viewBox=\"";
    const char* separator = "";
    for (const double value : {frame.x, frame.y, frame.width, frame.height}) {
        out += separator;
        append_number(out, value);
        separator = " ";
    }
    out += "\" preserveAspectRatio=\"xMinYMin meet\">";
    out += body;
    out += "</svg>";
    return out;
}

std::string area_element(const SvgPath& path, double unit) {
    std::string out = "<path fill-rule=\"evenodd\" fill=\"";
    out += fill_colour;
    out += "\" fill-opacity=\"0.6\" stroke=\"";
    out += stroke_colour;
    out += '"';
    append_attribute(out, "stroke-width", unit);
    out += " d=\"" + path.data() + "\"/>";
    return out;
}

std::string line_element(const SvgPath& path, double unit) {
    std::string out = "<path fill=\"none\" stroke=\"";
    out += fill_colour;
    out += '"';
    append_attribute(out, "stroke-width", 2.0 * unit);
    out += " d=\"" + path.data() + "\"/>";
    return out;
}

// The circles of a point set: x and y columns in the geometry's frame.
std::string point_elements(std::span<const double> xs, std::span<const double> ys) {
    SvgBounds bounds;
    for (std::size_t i = 0; i < xs.size(); ++i) bounds.add(xs[i], svg_y(ys[i]));
    if (bounds.empty()) return empty_document();
    const double unit = Frame(bounds).unit;
    std::string body = "<g fill=\"";
    body += fill_colour;
    body += "\" stroke=\"";
    body += stroke_colour;
    body += '"';
    append_attribute(body, "stroke-width", unit);
    body += '>';
    for (std::size_t i = 0; i < xs.size(); ++i) {
        if (!std::isfinite(xs[i]) || !std::isfinite(ys[i])) continue;
        body += "<circle";
        append_attribute(body, "cx", xs[i]);
        append_attribute(body, "cy", svg_y(ys[i]));
        append_attribute(body, "r", 3.0 * unit);
        body += "/>";
    }
    body += "</g>";
    return document(bounds, body);
}

// The container and then each part are locked while read, with the messages the text writer uses.
template <class Container>
void add_parts(SvgPath& path, const Container& container, std::string_view lock_message, bool rings) {
    for (const auto& part : *container.lock(lock_message)) {
        const auto guard = part.lock(lock_messages::kAny);
        if (rings) {
            path.add_ring(*guard);
        } else {
            path.add_path(*guard);
        }
    }
}

using Element = std::string (*)(const SvgPath&, double);

std::string path_document(const SvgPath& path, Element element) {
    if (path.bounds().empty()) return empty_document();
    return document(path.bounds(), element(path, Frame(path.bounds()).unit));
}

}  // namespace

std::string write_svg(const Polyline& polyline) {
    SvgPath path;
    add_parts(path, polyline.curve_paths(), lock_messages::kCurvePathsText, false);
    add_parts(path, polyline.paths(), lock_messages::kRings, false);
    return path_document(path, line_element);
}

std::string write_svg(const Polygon& polygon) {
    SvgPath path;
    add_parts(path, polygon.curve_rings(), lock_messages::kCurveRingsText, true);
    add_parts(path, polygon.rings(), lock_messages::kRings, true);
    return path_document(path, area_element);
}

std::string write_svg(const Multipoint& multipoint) {
    const auto points = multipoint.points().lock(lock_messages::kPointsText);
    return point_elements(points->xs(), points->ys());
}

std::string write_svg(const PointValue& point) {
    const double x[] = {point.x};
    const double y[] = {point.y};
    return point_elements(x, y);
}

std::string write_svg(const EnvelopeValue& envelope) {
    Part rectangle(false, false);
    rectangle.push(envelope.xmin, envelope.ymin, std::nullopt, std::nullopt);
    rectangle.push(envelope.xmin, envelope.ymax, std::nullopt, std::nullopt);
    rectangle.push(envelope.xmax, envelope.ymax, std::nullopt, std::nullopt);
    rectangle.push(envelope.xmax, envelope.ymin, std::nullopt, std::nullopt);
    SvgPath path;
    path.add_ring(rectangle);
    return path_document(path, area_element);
}

}  // namespace velmor::core
