"""Pictures of geometries (_repr_svg_): path commands against the closed form, and a real renderer."""
import math
import re
import shutil
import struct
import subprocess
import xml.etree.ElementTree as ET
import zlib

import pytest

import velmor_geometry as vg

SVG = "{http://www.w3.org/2000/svg}"


def parse(geometry):
    return ET.fromstring(geometry._repr_svg_())


def commands(path_data):
    """The path data as (letter, [numbers]) pairs."""
    return [(letter, [float(n) for n in numbers.split()])
            for letter, numbers in re.findall(r"([MLACZ])([^MLACZ]*)", path_data)]


def on_circle(cx, cy, r, angle):
    return [cx + r * math.cos(angle), cy + r * math.sin(angle)]


def circular_ring(cx, cy, r, start, turn):
    """A ring that starts with the circular arc of `turn` radians (counter-clockwise positive) and closes
    with straight sides through the centre."""
    first = on_circle(cx, cy, r, start)
    interior = on_circle(cx, cy, r, start + turn / 2)
    end = on_circle(cx, cy, r, start + turn)
    return [first, {"c": [end, interior]}, [cx, cy], first]


def on_ellipse(cx, cy, a, b, rotation, t):
    x, y = a * math.cos(t), b * math.sin(t)
    return [cx + x * math.cos(rotation) - y * math.sin(rotation), cy + x * math.sin(rotation) + y * math.cos(rotation)]


def approx_list(values):
    return pytest.approx(values, abs=1e-9)


@pytest.mark.parametrize("turn", [math.pi / 2, -math.pi / 2, 1.5 * math.pi, -1.5 * math.pi, 0.3, -5.9])
def test_circular_arc_becomes_an_svg_arc_with_its_radius_and_flags(turn):
    cx, cy, r, start = 10.0, -3.0, 2.5, 0.4
    polygon = vg.Polygon({"curveRings": [circular_ring(cx, cy, r, start, turn)]})
    path = parse(polygon).find(f"{SVG}path")
    steps = commands(path.get("d"))
    first = on_circle(cx, cy, r, start)
    end = on_circle(cx, cy, r, start + turn)
    assert steps[0] == ("M", approx_list([first[0], -first[1]]))
    letter, (rx, ry, rotation, large, sweep, x, y) = steps[1]
    assert letter == "A"
    assert (rx, ry, rotation) == approx_list([r, r, 0.0])
    # Large when the arc passes more than a half turn; SVG's sweep runs clockwise in the y-up frame.
    assert large == (1.0 if abs(turn) > math.pi else 0.0)
    assert sweep == (1.0 if turn < 0 else 0.0)
    assert [x, y] == approx_list([end[0], -end[1]])
    assert steps[-1] == ("Z", [])


@pytest.mark.parametrize("minor, clockwise, t0, t1", [
    (True, False, 0.2, 1.4),
    (False, False, 0.2, 5.0),
    (True, True, 1.4, 0.2),
    (False, True, 5.0, 0.2),
])
def test_elliptic_arc_keeps_its_axes_rotation_and_flags(minor, clockwise, t0, t1):
    cx, cy, a, ratio, rotation = 1.0, 2.0, 3.0, 0.4, 0.6
    start = on_ellipse(cx, cy, a, a * ratio, rotation, t0)
    end = on_ellipse(cx, cy, a, a * ratio, rotation, t1)
    ring = [start, {"a": [end, [cx, cy], minor, clockwise, rotation, a, ratio]}, [cx, cy], start]
    steps = commands(parse(vg.Polygon({"curveRings": [ring]})).find(f"{SVG}path").get("d"))
    letter, (rx, ry, degrees, large, sweep, x, y) = steps[1]
    assert letter == "A"
    # Rotation is counter-clockwise radians in the geometry, clockwise degrees once y points down.
    assert (rx, ry, degrees) == approx_list([a, a * ratio, -math.degrees(rotation)])
    assert (large, sweep) == (float(not minor), float(clockwise))
    assert [x, y] == approx_list([end[0], -end[1]])


def test_bezier_curve_becomes_a_cubic_command():
    path = [[0, 0], {"b": [[6, 0], [1, 4], [5, -4]]}]
    line = parse(vg.Polyline({"curvePaths": [path]})).find(f"{SVG}path")
    assert line.get("fill") == "none"
    assert commands(line.get("d")) == [("M", [0, 0]), ("C", [1, -4, 5, 4, 6, 0])]


def test_full_circle_is_drawn_as_two_half_arcs():
    # A ring of one arc back to its start: SVG draws nothing for an arc whose ends coincide.
    ring = [[0, 0], {"c": [[0, 0], [4, 0]]}]
    steps = commands(parse(vg.Polygon({"curveRings": [ring]})).find(f"{SVG}path").get("d"))
    assert [letter for letter, _ in steps] == ["M", "A", "A", "Z"]
    assert steps[1][1] == approx_list([2, 2, 0, 0, 0, 4, 0])
    assert steps[2][1] == approx_list([2, 2, 0, 0, 0, 0, 0])


def view_box(svg):
    return [float(n) for n in svg.get("viewBox").split()]


def test_view_box_holds_the_arc_bulge_with_a_margin():
    # A half circle of radius 2 below the x axis, centred on (2, 0): it bulges to y = -2.
    ring = [[0, 0], {"c": [[4, 0], [2, -2]]}, [4, 4], [0, 4], [0, 0]]
    svg = parse(vg.Polygon({"curveRings": [ring]}))
    x, y, width, height = view_box(svg)
    extent = (0.0, -4.0, 4.0, 2.0)  # x from 0 to 4; flipped y from -4 (top) to 2 (the bulge)
    margin = max(extent[2] - extent[0], extent[3] - extent[1]) / 20
    assert [x, y, width, height] == approx_list([extent[0] - margin, extent[1] - margin,
                                                 extent[2] - extent[0] + 2 * margin,
                                                 extent[3] - extent[1] + 2 * margin])
    stroke = float(svg.find(f"{SVG}path").get("stroke-width"))
    assert stroke == pytest.approx(6.0 / 100)


def test_holes_are_subpaths_of_one_even_odd_path():
    polygon = vg.Polygon({"rings": [[[0, 0], [0, 10], [10, 10], [10, 0], [0, 0]],
                                    [[3, 3], [7, 3], [7, 7], [3, 7], [3, 3]]]})
    paths = parse(polygon).findall(f"{SVG}path")
    assert len(paths) == 1
    assert paths[0].get("fill-rule") == "evenodd"
    assert [letter for letter, _ in commands(paths[0].get("d"))].count("M") == 2


@pytest.mark.parametrize("geometry, centres", [
    (vg.Point({"x": 3, "y": 4}), [(3, -4)]),
    (vg.MultiPoint({"points": [[0, 0], [2, 5], [1, 1]]}), [(0, 0), (2, -5), (1, -1)]),
])
def test_points_are_circles(geometry, centres):
    circles = parse(geometry).iter(f"{SVG}circle")
    assert [(float(c.get("cx")), float(c.get("cy"))) for c in circles] == centres


@pytest.mark.parametrize("geometry", [
    vg.Point({"x": math.nan, "y": math.nan}),
    vg.Envelope({"xmin": math.nan, "ymin": math.nan, "xmax": math.nan, "ymax": math.nan}),
    vg.MultiPoint({"points": []}),
    vg.Polyline({"paths": []}),
    vg.Polygon({"rings": []}),
    vg.Polygon({"rings": [[[math.nan, 0], [math.nan, 1], [math.inf, 2]]]}),
])
def test_empty_or_undrawable_geometry_is_a_blank_picture_with_a_size(geometry):
    svg = parse(geometry)
    assert svg.tag == f"{SVG}svg" and len(svg) == 0
    assert (svg.get("width"), svg.get("height"), svg.get("viewBox")) == ("300", "300", "0 0 1 1")
    if shutil.which("rsvg-convert") is not None:
        # Renderers refuse a picture without a size; this one renders, fully transparent.
        png = subprocess.run(["rsvg-convert", "--format=png"], input=geometry._repr_svg_().encode(),
                             capture_output=True, check=True).stdout
        width, height, rows = png_pixels(png)
        assert (width, height) == (300, 300)
        assert all(row[i] == 0 for row in rows for i in range(3, len(row), 4))


def test_envelope_is_a_filled_rectangle():
    path = parse(vg.Envelope({"xmin": 1, "ymin": 2, "xmax": 5, "ymax": 3})).find(f"{SVG}path")
    assert commands(path.get("d")) == [("M", [1, -2]), ("L", [1, -3]), ("L", [5, -3]), ("L", [5, -2]), ("Z", [])]


# Rendering: rsvg-convert (Debian's librsvg2-bin) writes a PNG that a few lines of zlib can read.

def png_pixels(data):
    """RGBA rows of an 8-bit RGBA, non-interlaced PNG."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    offset, idat, header = 8, b"", None
    while offset < len(data):
        length, kind = struct.unpack(">I4s", data[offset:offset + 8])
        body = data[offset + 8:offset + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        offset += 12 + length
    width, height, depth, colour, _, _, interlace = header
    assert (depth, colour, interlace) == (8, 6, 0)
    raw, stride, rows = zlib.decompress(idat), width * 4, []
    previous = bytearray(stride)
    for row in range(height):
        kind = raw[row * (stride + 1)]
        line = bytearray(raw[row * (stride + 1) + 1:(row + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - 4] if i >= 4 else 0
            up = previous[i]
            corner = previous[i - 4] if i >= 4 else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
        rows.append(line)
        previous = line
    return width, height, rows


@pytest.mark.skipif(shutil.which("rsvg-convert") is None, reason="rsvg-convert (librsvg2-bin) is not installed")
def test_renderer_shows_the_hole_of_a_curved_polygon():
    # A disc of radius 10 made of two half arcs, with a square hole around its centre.
    outer = [[-10, 0], {"c": [[10, 0], [0, 10]]}, {"c": [[-10, 0], [0, -10]]}]
    hole = [[-4, -4], [4, -4], [4, 4], [-4, 4], [-4, -4]]
    picture = vg.Polygon({"curveRings": [outer], "rings": [hole]})._repr_svg_()
    png = subprocess.run(["rsvg-convert", "--format=png"], input=picture.encode(), capture_output=True,
                         check=True).stdout
    width, height, rows = png_pixels(png)
    x0, y0, box_width, box_height = view_box(ET.fromstring(picture))
    scale = width / box_width

    def alpha(x, y):
        column, row = int((x - x0) * scale), int((-y - y0) * scale)
        return rows[row][column * 4 + 3]

    assert alpha(0, 0) == 0          # the centre of the hole
    assert alpha(0, 7) > 0           # inside the disc, above the hole (the arc's bulge is drawn)
    assert alpha(0, -7) > 0          # below the hole
    assert alpha(9.5, 9.5) == 0      # outside the disc, inside its extent


@pytest.mark.parametrize("path, drawn", [
    # A vertex that cannot be drawn lifts the pen: the next one starts a new subpath.
    ([[0, 0], [math.nan, 1], [2, 2], [3, 3]], [("M", [0, 0]), ("M", [2, -2]), ("L", [3, -3])]),
    # Curves that do not make a shape are drawn as the line between their ends.
    ([[0, 0], {"c": [[2, 0], [math.nan, 1]]}], [("M", [0, 0]), ("L", [2, 0])]),
    ([[0, 0], {"c": [[2, 0], [1, 0]]}], [("M", [0, 0]), ("L", [2, 0])]),
    ([[0, 0], {"b": [[2, 0], [math.inf, 0], [1, 1]]}], [("M", [0, 0]), ("L", [2, 0])]),
    ([[0, 0], {"a": [[2, 0], [1, 0], True, False, 0.0, 0.0, 1.0]}], [("M", [0, 0]), ("L", [2, 0])]),
    # A minor elliptic arc back to its start is empty.
    ([[0, 0], {"a": [[0, 0], [1, 0], True, False, 0.0, 1.0, 1.0]}, [0, 1]], [("M", [0, 0]), ("L", [0, -1])]),
])
def test_undrawable_values_never_reach_the_path(path, drawn):
    line = parse(vg.Polyline({"curvePaths": [path]})).find(f"{SVG}path")
    assert commands(line.get("d")) == drawn
