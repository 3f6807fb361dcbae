"""AreaUnit against the exact definitions of its units, and the four enumeration classes."""

from fractions import Fraction

import pytest

from velmor_geometry import AreaUnit, AreaUnitId, GeodeticCurveType, GeometryExtendOptions, LinearUnitId

FOOT = Fraction(3048, 10000)
YARD = 3 * FOOT
MILE = 5280 * FOOT

# Square metres in one unit, by definition.
AREA_DEFINITIONS = {
    AreaUnitId.SquareMeters: Fraction(1),
    AreaUnitId.SquareCentimeters: Fraction(1, 10**4),
    AreaUnitId.SquareDecimeters: Fraction(1, 10**2),
    AreaUnitId.SquareMillimeters: Fraction(1, 10**6),
    AreaUnitId.SquareKilometers: Fraction(10**6),
    AreaUnitId.Hectares: Fraction(10**4),
    AreaUnitId.SquareFeet: FOOT**2,
    AreaUnitId.SquareYards: YARD**2,
    AreaUnitId.SquareMiles: MILE**2,
    AreaUnitId.Acres: 43560 * FOOT**2,
}


@pytest.mark.parametrize("unit_id", list(AREA_DEFINITIONS), ids=repr)
def test_square_meters_both_ways(unit_id):
    unit = AreaUnit(unit_id)
    square_meters = float(AREA_DEFINITIONS[unit_id])
    assert unit.to_square_meters(1.0) == square_meters
    assert unit.from_square_meters(square_meters) == pytest.approx(1.0, rel=1e-15)
    assert unit.to_square_meters(0) == 0.0


@pytest.mark.parametrize(
    "from_id, to_id",
    [(a, b) for a in AREA_DEFINITIONS for b in AREA_DEFINITIONS if a is not b],
    ids=repr,
)
def test_conversions_match_the_exact_ratio(from_id, to_id):
    source, target = AreaUnit(from_id), AreaUnit(to_id)
    exact = AREA_DEFINITIONS[from_id] / AREA_DEFINITIONS[to_id]
    assert source.convert_to(target, 1.0) == pytest.approx(float(exact), rel=2e-16)
    assert target.convert_from(source, 1.0) == pytest.approx(float(exact), rel=2e-16)


# Whole-number relations between units come out whole.
@pytest.mark.parametrize(
    "from_id, to_id, area, expected",
    [
        (AreaUnitId.Acres, AreaUnitId.SquareFeet, 1, 43560.0),
        (AreaUnitId.SquareFeet, AreaUnitId.Acres, 43560, 1.0),
        (AreaUnitId.SquareMiles, AreaUnitId.Acres, 1, 640.0),
        (AreaUnitId.SquareYards, AreaUnitId.SquareFeet, 2, 18.0),
        (AreaUnitId.SquareKilometers, AreaUnitId.Hectares, 3, 300.0),
        (AreaUnitId.Hectares, AreaUnitId.SquareMeters, 1.5, 15000.0),
    ],
)
def test_exact_whole_relations(from_id, to_id, area, expected):
    assert AreaUnit(from_id).convert_to(AreaUnit(to_id), area) == expected
    assert AreaUnit(to_id).convert_from(AreaUnit(from_id), area) == expected


def test_other_is_refused_with_the_runtime_record():
    with pytest.raises(RuntimeError, match=r"^Error \{ code: 1, .*0 is not a known area unit identifier"):
        AreaUnit(AreaUnitId.Other)


@pytest.mark.parametrize("argument", [109402, "Acres", LinearUnitId.Meters, None])
def test_constructor_wants_an_area_unit_id(argument):
    with pytest.raises(TypeError, match="unit_id"):
        AreaUnit(argument)


def test_argument_errors_name_the_parameter():
    acres = AreaUnit(AreaUnitId.Acres)
    with pytest.raises(TypeError, match="to_unit"):
        acres.convert_to(AreaUnitId.Acres, 1.0)
    with pytest.raises(TypeError, match="from_unit"):
        acres.convert_from(None, 1.0)
    with pytest.raises(TypeError, match="area"):
        acres.convert_to(acres, "1")
    with pytest.raises(TypeError, match="area"):
        acres.to_square_meters(None)
    assert acres.convert_to(to_unit=acres, area=2) == 2.0


def test_identifier_and_clone_are_new_objects():
    acres = AreaUnit(AreaUnitId.Acres)
    read = acres.area_unit_id()
    assert int(read) == 109402 and repr(read) == "AreaUnitId.Acres"
    assert read is not AreaUnitId.Acres
    assert (read == AreaUnitId.Acres) is False
    clone = acres.try_clone()
    assert clone is not acres
    assert int(clone.area_unit_id()) == 109402
    assert clone.convert_to(acres, 7.0) == 7.0


def test_area_unit_surface():
    assert AreaUnit.__text_signature__ == "(unit_id)"
    assert AreaUnit.convert_to.__text_signature__ == "($self, to_unit, area)"
    assert AreaUnit.from_square_meters.__text_signature__ == "($self, area)"
    with pytest.raises(TypeError):

        class Derived(AreaUnit):
            pass


ENUMERATIONS = [
    (AreaUnitId, {
        "Other": 0, "Acres": 109402, "Hectares": 109401, "SquareCentimeters": 109451, "SquareDecimeters": 109450,
        "SquareFeet": 109405, "SquareKilometers": 109414, "SquareMeters": 109404, "SquareMillimeters": 109452,
        "SquareMiles": 109439, "SquareYards": 109442,
    }),
    (LinearUnitId, {
        "Other": 0, "Centimeters": 1033, "Feet": 9002, "Inches": 109008, "Kilometers": 9036, "Meters": 9001,
        "Miles": 9093, "Millimeters": 1025, "NauticalMiles": 9030, "Yards": 9096,
    }),
    (GeodeticCurveType, {
        "Geodesic": 0, "Loxodrome": 1, "GreatElliptic": 2, "NormalSection": 3, "ShapePreserving": 4,
    }),
]


@pytest.mark.parametrize("cls, members", ENUMERATIONS, ids=lambda x: getattr(x, "__name__", ""))
def test_enumeration_members(cls, members):
    for name, code in members.items():
        member = getattr(cls, name)
        assert member is getattr(cls, name)
        assert type(member) is cls
        assert int(member) == code
        assert repr(member) == str(member) == f"{cls.__name__}.{name}"
        assert (member == code) is False
        assert member == member
        assert hash(member) == hash(member)
    assert len({id(getattr(cls, name)) for name in members}) == len(members)
    with pytest.raises(TypeError):
        cls()
    assert cls.__doc__ is None
    assert cls.__module__ == "velmor_geometry"


FLAGS = {
    "DEFAULT": 0,
    "RELOCATE_ENDS": 1,
    "KEEP_END_ATTRIBUTES": 2,
    "NO_END_ATTRIBUTES": 4,
    "DO_NOT_EXTEND_FROM_START_POINT": 8,
    "DO_NOT_EXTEND_FROM_END_POINT": 16,
}


def test_extend_options_named_values():
    for name, bits in FLAGS.items():
        value = getattr(GeometryExtendOptions, name)
        assert value is getattr(GeometryExtendOptions, name)
        assert repr(value) == str(value) == f"GeometryExtendOptions({bits})"
    assert GeometryExtendOptions.__doc__ == "Flags for the type of extend operation to perform."
    with pytest.raises(TypeError):
        GeometryExtendOptions()
    with pytest.raises(TypeError):
        int(GeometryExtendOptions.RELOCATE_ENDS)


@pytest.mark.parametrize(
    "expression, text",
    [
        (lambda o: o.DO_NOT_EXTEND_FROM_START_POINT | o.DO_NOT_EXTEND_FROM_END_POINT, "GeometryExtendOptions(24)"),
        (lambda o: o.RELOCATE_ENDS | o.KEEP_END_ATTRIBUTES, "GeometryExtendOptions(3)"),
        (lambda o: (o.RELOCATE_ENDS | o.KEEP_END_ATTRIBUTES) & o.KEEP_END_ATTRIBUTES, "GeometryExtendOptions(2)"),
        (lambda o: o.RELOCATE_ENDS & o.KEEP_END_ATTRIBUTES, "GeometryExtendOptions(0)"),
        (lambda o: ~o.DEFAULT, "GeometryExtendOptions(4294967295)"),
        (lambda o: ~o.NO_END_ATTRIBUTES & ~o.RELOCATE_ENDS, "GeometryExtendOptions(4294967290)"),
        (lambda o: ~~o.RELOCATE_ENDS, "GeometryExtendOptions(1)"),
    ],
)
def test_extend_options_operators(expression, text):
    result = expression(GeometryExtendOptions)
    assert repr(result) == text
    assert type(result) is GeometryExtendOptions


def test_extend_options_results_are_new_and_identity_equal():
    combined = GeometryExtendOptions.RELOCATE_ENDS | GeometryExtendOptions.DEFAULT
    assert combined is not GeometryExtendOptions.RELOCATE_ENDS
    assert (combined == GeometryExtendOptions.RELOCATE_ENDS) is False


@pytest.mark.parametrize("other", [1, True, None, LinearUnitId.Meters])
def test_extend_options_refuse_other_operands(other):
    with pytest.raises(TypeError):
        GeometryExtendOptions.RELOCATE_ENDS | other
    with pytest.raises(TypeError):
        other & GeometryExtendOptions.RELOCATE_ENDS
