"""Projection between spatial references, datum transformations, the projection submodule and the
central meridian normalisation, checked against pyproj on the same points or against closed forms.

PyPI's pyproj carries its own, newer PROJ and may lack the grids of the machine's PROJ. Between systems
on one datum both choose the same conversion; across datums the tests pick the catalogue's first
transformation that needs no grid files and give pyproj that very operation."""

import math

import pytest

pyproj = pytest.importorskip("pyproj")

from velmor_geometry import Envelope, MultiPoint, Point, Polygon, Polyline, PanicException  # noqa: E402
from velmor_geometry import projection  # noqa: E402
from velmor_geometry.projection import DatumTransformation  # noqa: E402

MILLIMETRE = 1e-3
# About a millimetre on the ground, in degrees.
MILLIMETRE_IN_DEGREES = 1e-8

SAMPLES = {
    4326: [(15.0, 52.0), (12.5, 41.9), (16.37, 48.21), (9.0, 47.0)],
    3857: [(1669792.36, 6800125.45), (1391493.63, 5146011.68)],
    32633: [(500000.0, 5761038.21), (400000.0, 5200000.0)],
    4267: [(-100.0, 40.0), (-80.0, 35.0), (-120.0, 45.0)],
    2056: [(2600000.0, 1200000.0), (2700000.0, 1250000.0)],
    27700: [(400000.0, 300000.0), (530000.0, 180000.0)],
}


def tolerance(wkid):
    return MILLIMETRE_IN_DEGREES if pyproj.CRS.from_epsg(wkid).is_geographic else MILLIMETRE


def multipoint(wkid, points):
    return MultiPoint({"points": [list(p) for p in points], "spatialReference": {"wkid": wkid}})


def assert_points_near(result, expected, wkid):
    points = result.to_dict()["points"]
    assert len(points) == len(expected)
    for (x, y), (ex, ey) in zip(points, expected):
        assert x == pytest.approx(ex, abs=tolerance(wkid))
        assert y == pytest.approx(ey, abs=tolerance(wkid))


@pytest.mark.parametrize("source, target", [(4326, 3857), (4326, 32633), (3857, 32633), (32633, 4326),
                                            (3857, 4326), (32633, 3857)])
def test_projection_on_one_datum_agrees_with_pyproj(source, target):
    points = SAMPLES[source]
    transformer = pyproj.Transformer.from_crs(source, target, always_xy=True)
    expected = [transformer.transform(x, y) for x, y in points]
    result = multipoint(source, points).project({"wkid": target})
    assert result.spatial_reference.wkid == target
    assert_points_near(result, expected, target)


def first_gridless(source, target):
    for transformation in projection.get_transformations({"wkid": source}, {"wkid": target}):
        if not transformation.is_missing_projection_engine_files():
            return transformation
    pytest.fail("no transformation without grid files")


def pyproj_with_operation(source, target, name):
    """The pyproj transformer between the systems that runs the named stored operation."""
    group = pyproj.transformer.TransformerGroup(source, target, always_xy=True)
    for transformer in group.transformers:
        if name in transformer.description and "grid" not in transformer.definition:
            return transformer
    pytest.fail(f"pyproj has no operation named {name!r} between {source} and {target}")


@pytest.mark.parametrize("source, target", [(4267, 4326), (4326, 4267), (4326, 2056), (2056, 4326), (4326, 27700),
                                            (27700, 4326)])
def test_projection_with_a_chosen_transformation_agrees_with_pyproj_running_that_operation(source, target):
    transformation = first_gridless(source, target)
    transformer = pyproj_with_operation(source, target, transformation.name)
    points = SAMPLES[source]
    expected = [transformer.transform(x, y) for x, y in points]
    assert_points_near(multipoint(source, points).project_with_transformation({"wkid": target}, transformation),
                       expected, target)
    collected = projection.project_collection_with_transformation(
        [Point({"x": x, "y": y, "spatialReference": {"wkid": source}}) for x, y in points], {"wkid": target},
        transformation)
    for point, (ex, ey) in zip(collected, expected):
        assert point.x == pytest.approx(ex, abs=tolerance(target))
        assert point.y == pytest.approx(ey, abs=tolerance(target))


def test_a_transformation_given_the_other_way_round_is_applied_inverted():
    forward = first_gridless(4267, 4326)
    point = Point({"x": -100, "y": 40, "spatialReference": {"wkid": 4326}})
    assert point.project_with_transformation({"wkid": 4267}, forward).equals(
        point.project_with_transformation({"wkid": 4267}, forward.get_inverse()))


def test_project_collection_agrees_with_project_and_keeps_order():
    geometries = [Point({"x": x, "y": y, "spatialReference": {"wkid": 4326}}) for x, y in SAMPLES[4326]]
    geometries.append({"paths": [[[15, 52], [16, 53]]], "spatialReference": {"wkid": 4326}})
    result = projection.project_collection(geometries, {"wkid": 32633})
    assert [type(g) for g in result] == [Point] * 4 + [Polyline]
    for geometry, projected in zip(geometries[:4], result):
        assert projected.equals(geometry.project({"wkid": 32633}))


def test_z_goes_through_a_horizontal_projection_unchanged():
    point = Point({"x": 15, "y": 52, "z": 123.25, "spatialReference": {"wkid": 4326}})
    assert point.project({"wkid": 32633}).z == 123.25


def test_a_circular_arc_becomes_chords_on_the_projected_circle():
    centre, radius = (500000.0, 5761038.0), 20000.0
    start = (centre[0] + radius, centre[1])
    end = (centre[0] - radius, centre[1])
    interior = (centre[0], centre[1] + radius)
    arc = Polyline({"curvePaths": [[list(start), {"c": [list(end), list(interior)]}]],
                    "spatialReference": {"wkid": 32633}})
    result = arc.project({"wkid": 4326}).to_dict()
    assert "curvePaths" not in result
    vertices = result["paths"][0]
    assert len(vertices) > 16
    back = pyproj.Transformer.from_crs(4326, 32633, always_xy=True)
    for lon, lat in vertices:
        x, y = back.transform(lon, lat)
        assert math.hypot(x - centre[0], y - centre[1]) == pytest.approx(radius, abs=0.01)
        assert y >= centre[1] - MILLIMETRE


def test_an_envelope_is_the_extent_of_its_projected_outline():
    box = (10.0, 50.0, 20.0, 55.0)
    envelope = Envelope({"xmin": box[0], "ymin": box[1], "xmax": box[2], "ymax": box[3],
                         "spatialReference": {"wkid": 4326}})
    result = envelope.project({"wkid": 32633})
    assert isinstance(result, Envelope)
    transformer = pyproj.Transformer.from_crs(4326, 32633, always_xy=True)
    expected = transformer.transform_bounds(*box, densify_pts=500)
    got = result.to_dict()
    for key, value in zip(("xmin", "ymin", "xmax", "ymax"), expected):
        assert got[key] == pytest.approx(value, abs=1.0)
    # Parallels bow towards the equator on the central meridian: the corners alone miss the lowest point.
    corners = [transformer.transform(x, y) for x in box[::2] for y in box[1::2]]
    assert got["ymin"] < min(y for _, y in corners) - 1000


@pytest.mark.parametrize("geometry, target", [
    ({"x": 15, "y": 91, "spatialReference": {"wkid": 4326}}, 32633),
    ({"x": 0, "y": -92, "spatialReference": {"wkid": 4326}}, 3857),
    ({"points": [[15, 52], [15, 95]], "spatialReference": {"wkid": 4326}}, 3857),
    # PROJ gives numbers for these, but they are no projection of the point: they do not map back onto
    # it, lie beyond latitude 90 or at the singular opposite pole of a polar projection.
    ({"x": -1e10, "y": 1e10, "spatialReference": {"wkid": 2056}}, 4326),
    ({"x": 5e7, "y": 0, "spatialReference": {"wkid": 2056}}, 4326),
    ({"x": 1e17, "y": 1e17, "spatialReference": {"wkid": 3857}}, 4326),
    ({"x": 0, "y": 95, "spatialReference": {"wkid": 4326}}, 4267),
    ({"x": 0, "y": 90, "spatialReference": {"wkid": 4326}}, 3031),
    ({"paths": [[[2600000, 1200000], [-1e10, 1e10]]], "spatialReference": {"wkid": 2056}}, 4326),
])
def test_points_that_cannot_be_projected_are_errors(geometry, target):
    from velmor_geometry import Geometry
    with pytest.raises(Exception) as raised:
        Geometry(geometry).project({"wkid": target})
    assert str(raised.value).startswith("Geokern library error: '")
    assert "cannot be projected" in str(raised.value)


@pytest.mark.parametrize("source, target, xy", [
    (4326, 32633, (60.0, 0.0)),  # 45 degrees off the zone's central meridian
    (4326, 32633, (-165.0, 0.0)),  # the far side of the central meridian, over the pole
    (4326, 32633, (100.0, 60.0)),
    (4326, 3031, (30.0, -40.0)),  # north of the polar system's area
    (32633, 4326, (6125021.0, 0.0)),
    (3857, 4326, (1e7, 3.2e7)),  # beyond latitude 85 in Web Mercator
    (4326, 3857, (190.0, 10.0)),  # a longitude past 180, as geodesic buffers keep them, comes back as -170
])
def test_points_outside_the_areas_of_use_that_map_back_project_as_pyproj_does(source, target, xy):
    ours = Point({"x": xy[0], "y": xy[1], "spatialReference": {"wkid": source}}).project({"wkid": target})
    theirs = pyproj.Transformer.from_crs(source, target, always_xy=True).transform(*xy)
    tolerance = MILLIMETRE_IN_DEGREES if target == 4326 else MILLIMETRE
    assert (ours.x, ours.y) == pytest.approx(theirs, abs=tolerance)


def test_the_point_that_cannot_be_projected_is_named():
    points = MultiPoint({"points": [[8.5, 47.3], [9.0, 47.0], [0.0, 95.0]], "spatialReference": {"wkid": 4326}})
    with pytest.raises(Exception) as raised:
        points.project({"wkid": 2056})
    assert str(raised.value) == ("Geokern library error: 'Invalid argument: Point 2 (0, 95) cannot be "
                                 "projected into the output spatial reference'")


# Coordinates are named by their shortest digits, as numbers are everywhere else.
@pytest.mark.parametrize("x, y, text", [(1e308, 1, "(1e+308, 1)"), (0.1, 91.25, "(0.1, 91.25)"), (-5e-324, 95, "(-5e-324, 95)")])
def test_a_point_that_cannot_be_projected_is_named_by_its_shortest_digits(x, y, text):
    from velmor_geometry import Geometry
    with pytest.raises(Exception) as raised:
        Geometry({"x": x, "y": y, "spatialReference": {"wkid": 4326}}).project({"wkid": 3857})
    assert f"Point 0 {text} cannot be projected into the output spatial reference" in str(raised.value)


def test_a_geometry_without_a_spatial_reference_cannot_be_projected():
    with pytest.raises(Exception, match="Geokern library error: .*no spatial reference"):
        Point({"x": 1, "y": 2}).project({"wkid": 3857})


def test_the_transformation_argument_must_be_a_datum_transformation():
    point = Point({"x": 1, "y": 2, "spatialReference": {"wkid": 4326}})
    with pytest.raises(TypeError, match="transformation"):
        point.project_with_transformation({"wkid": 3857}, None)
    with pytest.raises(TypeError, match="datum_transformation"):
        projection.project_collection_with_transformation([point], {"wkid": 3857}, "NAD27 to WGS 84 (3)")


# --- the catalogue and its objects ---

def test_transformations_are_objects_named_like_their_text_between_the_two_systems():
    transformations = projection.get_transformations({"wkid": 4267}, {"wkid": 4326})
    assert transformations
    for transformation in transformations:
        assert type(transformation) is DatumTransformation
        assert transformation.object_type in ("Geographic", "HorizontalVertical")
        assert str(transformation) == repr(transformation) == transformation.name
    first = transformations[0]
    assert first.input_spatial_reference.wkid == 4267
    assert first.output_spatial_reference.wkid == 4326
    inverse = first.get_inverse()
    assert (inverse.input_spatial_reference.wkid, inverse.output_spatial_reference.wkid) == (4326, 4267)


def test_an_area_of_interest_keeps_the_transformations_that_apply_there():
    everywhere = {t.name for t in projection.get_transformations({"wkid": 4267}, {"wkid": 4326})}
    area = {"xmin": -80, "ymin": 40, "xmax": -79, "ymax": 41}
    in_pennsylvania = [t.name for t in projection.get_transformations({"wkid": 4267}, {"wkid": 4326}, area)]
    as_envelope = [t.name for t in projection.get_transformations(
        {"wkid": 4267}, {"wkid": 4326}, Envelope(dict(area, spatialReference={"wkid": 4326})))]
    assert in_pennsylvania == as_envelope
    assert 0 < len(in_pennsylvania) < len(everywhere)
    assert set(in_pennsylvania) <= everywhere


@pytest.mark.parametrize("call, error, message", [
    (lambda: projection.get_transformations({"wkid": 4326}, {"wkid": 4326}), None, []),
    (lambda: projection.get_transformations({"wkid": 4326}, {"wkid": 4267},
                                            Polygon({"rings": [[[0, 0], [1, 0], [1, 1], [0, 0]]]})),
     TypeError, "Envelope from_py expects an Envelope object or dict"),
    (lambda: projection.get_transformations({"wkid": 4326}, {"wkid": 4267}, None, 1), TypeError, "ignore_vertical"),
    (lambda: projection.project_collection([], {"wkid": 4326}), None, []),
    (lambda: projection.project_collection([], {}), ValueError,
     "Failed to convert {} into a geometry engine spatial reference"),
    (lambda: DatumTransformation(), TypeError, "DatumTransformation"),
    (lambda: projection.set_projection_engine_dir(5), TypeError, "value"),
])
def test_submodule_edge_cases(call, error, message):
    if error is None:
        assert call() == message
    else:
        with pytest.raises(error) as raised:
            call()
        assert message in str(raised.value)


def test_the_projection_engine_directory_is_set_read_and_cleared(tmp_path):
    assert projection.set_projection_engine_dir(str(tmp_path)) is None
    assert projection.get_projection_engine_dir() == str(tmp_path)
    assert projection.set_projection_engine_dir(None) is None
    assert projection.get_projection_engine_dir() is None
    with pytest.raises(Exception, match="Geokern library error: .*does not exist"):
        projection.set_projection_engine_dir(str(tmp_path / "missing"))
    (tmp_path / "file").write_text("")
    with pytest.raises(Exception) as raised:
        projection.set_projection_engine_dir(str(tmp_path / "file"))
    assert str(raised.value) == f"Geokern library error: 'Invalid argument: {tmp_path / 'file'} is not a directory'"
    assert projection.get_projection_engine_dir() is None


# --- the central meridian ---

def wgs84(geometry):
    return dict(geometry, spatialReference={"wkid": 4326})


@pytest.mark.parametrize("x, expected", [(10.0, 10.0), (180.0, -180.0), (181.0, -179.0), (-181.0, 179.0),
                                         (545.0, -175.0), (-540.0, -180.0), (1000.0, -80.0),
                                         (3600000.5, 0.5)])
def test_points_fold_into_the_range_of_longitudes(x, expected):
    result = Point(wgs84({"x": x, "y": 10})).normalize_central_meridian()
    assert (result.x, result.y) == (expected, 10)


@pytest.mark.parametrize("geometry, expected", [
    ({"paths": [[[10, 0], [20, 5]]]}, {"paths": [[[10, 0], [20, 5]]]}),
    ({"paths": [[[370, 0], [380, 5]]]}, {"paths": [[[10, 0], [20, 5]]]}),
    ({"paths": [[[170, 0], [190, 10]]]}, {"paths": [[[170, 0], [180, 5]], [[-180, 5], [-170, 10]]]}),
    ({"paths": [[[890, 0], [910, 10]]]}, {"paths": [[[170, 0], [180, 5]], [[-180, 5], [-170, 10]]]}),
    ({"points": [[190, 1], [-190, 2], [20, 3]]}, {"points": [[-170, 1], [170, 2], [20, 3]]}),
])
def test_multiparts_are_cut_at_the_antimeridian_and_moved_into_range(geometry, expected):
    from velmor_geometry import Geometry
    result = Geometry(wgs84(geometry)).normalize_central_meridian().to_dict()
    del result["spatialReference"]
    assert result == expected


def test_a_polygon_across_the_antimeridian_keeps_its_area_in_two_pieces():
    polygon = Polygon(wgs84({"rings": [[[170, 0], [170, 10], [200, 10], [200, 0], [170, 0]]]}))
    result = polygon.normalize_central_meridian()
    assert len(result.to_dict()["rings"]) == 2
    assert result.area == pytest.approx(polygon.area)
    xmin, _, xmax, _ = result.extent
    assert (xmin, xmax) == (-180, 180)


def test_web_mercator_wraps_at_half_the_equator():
    half = math.pi * 6378137.0
    line = Polyline({"paths": [[[half - 1000, 0], [half + 1000, 0]]], "spatialReference": {"wkid": 3857}})
    paths = line.normalize_central_meridian().to_dict()["paths"]
    assert [[x for x, _ in path] for path in paths] == [
        [pytest.approx(half - 1000), pytest.approx(half)], [pytest.approx(-half), pytest.approx(-half + 1000)]]
    point = Point({"x": 3 * half, "y": 5, "spatialReference": {"wkid": 3857}}).normalize_central_meridian()
    assert point.x == pytest.approx(-half)


@pytest.mark.parametrize("geometry", [
    {"paths": [[[500000, 0], [900000, 10]]], "spatialReference": {"wkid": 32633}},
    {"paths": [[[370, 0], [380, 5]]]},
])
def test_systems_that_do_not_wrap_come_back_unchanged(geometry):
    from velmor_geometry import Geometry
    assert Geometry(geometry).normalize_central_meridian().to_dict() == Geometry(geometry).to_dict()
