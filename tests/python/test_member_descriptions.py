"""help() reads like a reference: every public method and property describes itself after its signature."""
import inspect

import pytest

import velmor_geometry
import velmor_geometry.projection
import velmor_geometry.utils

MODULES = [velmor_geometry, velmor_geometry.projection, velmor_geometry.utils]
# Their docstrings are the text signature alone, fixed as the interface defines them.
SIGNATURE_ONLY = {"wkb_to_ovrajson_dict", "wkb_to_geojson_dict", "wkt_to_ovrajson_dict", "wkt_to_geojson_dict"}
SEPARATOR = "\n--\n\n"


def public_items():
    for module in MODULES:
        for name in getattr(module, "__all__", []):
            item = getattr(module, name)
            if inspect.ismodule(item) or name == "__version__":
                continue
            if inspect.isclass(item):
                for member_name, member in vars(item).items():
                    if not member_name.startswith("_") and is_method_or_property(member):
                        yield f"{name}.{member_name}", member
            elif name not in SIGNATURE_ONLY:
                yield f"{module.__name__}.{name}", item


def is_method_or_property(member):
    return (inspect.isroutine(member) or inspect.isdatadescriptor(member)) and not isinstance(member, type)


def description(member):
    doc = member.__doc__ or ""
    return doc.split(SEPARATOR, 1)[1] if SEPARATOR in doc else doc


@pytest.mark.parametrize("name, member", list(public_items()),
                         ids=lambda value: value if isinstance(value, str) else "")
def test_member_has_a_description(name, member):
    assert len(description(member).split()) >= 3, f"{name} has no description: {member.__doc__!r}"


def test_the_signature_stays_the_first_line():
    # The description follows the separator, so Python still reads the text signature.
    assert (velmor_geometry.Geometry.buffer.__text_signature__ ==
            "($self, distance, unit=None, max_deviation=None, curve_type=None)")
    assert velmor_geometry.Part.append.__text_signature__ == "($self, value)"
    assert velmor_geometry.AreaUnit.convert_to.__text_signature__ == "($self, to_unit, area)"


@pytest.mark.parametrize("cls, doc", [
    (velmor_geometry.Polygon, None),
    (velmor_geometry.Part, None),
    (velmor_geometry.GeometryExtendOptions, "Flags for the type of extend operation to perform."),
])
def test_class_docstrings_are_unchanged(cls, doc):
    assert cls.__doc__ == doc


def test_help_of_a_class_shows_the_descriptions():
    text = pydoc_text(velmor_geometry.Polygon)
    assert "The straight rings as a live Multipart view" in text
    assert "A Polygon around the geometry at the distance" in text


def pydoc_text(item):
    import pydoc
    return pydoc.render_doc(item, renderer=pydoc.plaintext)
