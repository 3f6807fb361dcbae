import pytest

import velmor_geometry as vg


@pytest.mark.parametrize("cls", ["Part", "CurvePart", "Multipart", "CurveMultipart"])
def test_views_have_no_constructor_and_are_final(cls):
    with pytest.raises(TypeError):
        getattr(vg, cls)()
    with pytest.raises(TypeError):
        type("Sub", (getattr(vg, cls),), {})


def test_class_tree():
    assert vg.Linear.__mro__ == (vg.Linear, vg.CurveSegment, vg.Segment, object)
    assert vg.Coord.__mro__ == (vg.Coord, vg.Segment, object)
    type("MySegment", (vg.Segment,), {})
    type("MyCurveSegment", (vg.CurveSegment,), {})
    for final in (vg.Linear, vg.CircularArc, vg.EllipticArc, vg.BezierCurve, vg.Coord):
        with pytest.raises(TypeError):
            type("Sub", (final,), {})
        with pytest.raises(TypeError):
            final()
