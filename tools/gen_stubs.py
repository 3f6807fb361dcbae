"""Writes the stub-only package velmor_geometry-stubs (PEP 561) from the built module.

Usage: python tools/gen_stubs.py OUTPUT_DIR
(the module must be importable: installed, or its build directory on PYTHONPATH).

Names, parameters, parameter kinds and defaults come from the running module: its classes, its text
signatures and its descriptors, so the stubs cannot drift from it. The types come from the tables
below, which follow the documented interface. A member the tables do not know yet still gets a
correct stub with `Any` types, and its name is printed, so a new member never breaks the build but
is easy to type.
"""

import inspect
import pathlib
import sys
import types

import velmor_geometry
import velmor_geometry.projection
import velmor_geometry.utils

GEOMETRIES = "Iterable[Geometry | dict[str, Any] | str]"
GEOMETRY_ARGUMENT = "Geometry | dict[str, Any] | str"

# Parameter types by parameter name; (member, parameter) entries take precedence.
PARAMETERS = {
    "distance": "float", "max_deviation": "float | None", "max_segment_length": "float", "max_offset": "float",
    "remove_degenerate_parts": "bool", "delta_x": "float", "delta_y": "float", "angle": "float",
    "scale_x": "float", "scale_y": "float", "origin": "Point | None", "z": "float", "m": "float",
    "other": "Geometry", "rhs": "Geometry", "env": "Envelope", "envelope": "Envelope", "cutter": "Polyline",
    "relation": "str", "spatial_reference": "SpatialReference", "transformation": "DatumTransformation",
    "datum_transformation": "DatumTransformation", "unit": "LinearUnitId | None",
    "curve_type": "GeodeticCurveType | None", "geometries": GEOMETRIES, "collection": GEOMETRIES,
    "existing_boundaries": GEOMETRIES, "new_boundaries": GEOMETRIES, "distances": "Iterable[float]",
    "union_result": "bool", "merge": "bool", "primary": GEOMETRY_ARGUMENT, "container": GEOMETRY_ARGUMENT,
    "distance_unit": "LinearUnitId | None", "extender": "Polyline", "extend_options": "GeometryExtendOptions",
    "point": "Point", "tolerance": "float", "index": "int", "key": "int", "to_unit": "AreaUnit",
    "from_unit": "AreaUnit", "area": "float", "unit_id": "AreaUnitId", "sr": "dict[str, Any] | str",
    "polyline": "Polyline | dict[str, Any]", "polygon": "Polygon | dict[str, Any]",
    "multipoint": "MultiPoint | dict[str, Any]", "input_spatial_reference": "SpatialReference",
    "output_spatial_reference": "SpatialReference", "area_of_interest": "Envelope | None",
    "ignore_vertical": "bool", "coords": "Sequence[Sequence[float]]", "wkt": "str", "wkb": "bytes",
    "value": "Any", "state": "bytes",
}
MEMBER_PARAMETERS = {
("area_collection", "unit"): "AreaUnit | None",
    ("_area_geodetic", "unit"): "AreaUnit | None", ("_area_geodetic", "curve_type"): "GeodeticCurveType",
    ("_buffer_geodetic", "unit"): "LinearUnitId", ("_buffer_geodetic", "max_deviation"): "float",
    ("_buffer_geodetic", "curve_type"): "GeodeticCurveType", ("_densify_geodetic", "unit"): "LinearUnitId",
    ("_densify_geodetic", "curve_type"): "GeodeticCurveType", ("densify_collection", "unit"): "LinearUnitId | None",
    ("generalize_collection", "max_deviation"): "float", ("buffer_collection", "max_deviation"): "float",
    ("Point.__init__", "point"): "Point | dict[str, Any]", ("Envelope.__init__", "point"): "Envelope | dict[str, Any]",
    ("set_projection_engine_dir", "value"): "str", ("calculate_area", "unit"): "AreaUnitId | AreaUnit | None",
    ("from_wkb", "wkb"): "bytes | bytearray | memoryview | str",
    ("from_geojson", "value"): "dict[str, Any] | str | bytes | Any",
    ("from_geojson", "spatial_reference"): "SpatialReference | dict[str, Any] | None",
}

# Result types by member name ("Class.member" entries take precedence).
RESULTS = {
    **dict.fromkeys(["contains", "crosses", "disjoint", "equals", "intersects", "overlaps", "relate", "touches",
                     "within", "is_simple", "is_polygon", "is_clockwise"], "bool"),
    **dict.fromkeys(["boundary", "clip", "convex_hull", "densify", "_densify", "_densify_geodetic", "difference",
                     "generalize", "intersect", "move_relative", "normalize_central_meridian", "project",
                     "project_with_transformation", "remove_m", "remove_z", "remove_z_and_m", "rotate", "scale",
                     "set_m", "set_z", "set_z_and_m", "simplify", "symmetric_difference", "union",
                     "union_collection", "difference_geom_minus_collection"], "Geometry"),
    **dict.fromkeys(["buffer", "_buffer", "_buffer_geodetic"], "Polygon"),
    **dict.fromkeys(["combine_extents", "combine_extents_collection"], "Envelope"),
    **dict.fromkeys(["cut", "intersections", "auto_complete", "boundary_collection", "clip_collection",
                     "cut_collection", "densify_collection", "difference_collection_minus_geom",
                     "generalize_collection", "intersection_collection", "intersections_collection",
                     "move_relative_collection", "normalize_central_meridian_collection", "remove_m_collection",
                     "remove_z_and_m_collection", "remove_z_collection", "rotate_collection", "scale_collection",
                     "set_m_collection", "set_z_and_m_collection", "set_z_collection", "simplify_collection",
                     "project_collection", "project_collection_with_transformation"], "list[Geometry]"),
    **dict.fromkeys(["contains_collection", "crosses_collection", "disjoint_from_collection",
                     "intersects_collection", "overlaps_collection", "touches_collection", "within_collection"],
                    "bool"),
    **dict.fromkeys(["calculate_area", "_area_planear", "_area_geodetic", "calculate_length", "distance_to",
                     "area_collection", "length_collection", "fraction_along", "convert_to", "convert_from",
                     "to_square_meters", "from_square_meters"], "float"),
    "buffer_collection": "list[Polygon]", "convex_hull_collection": "list[Geometry] | Geometry", "distances_from_collection": "list[float]",
    "is_simple_collection": "list[bool]", "label_point_collection": "list[Point]", "label_point": "Point",
    "with_point_along": "Point", "from_wkt": "Self", "from_wkb": "Self", "from_geojson": "Self", "extend": "Polyline | None",
    "to_dict": "dict[str, Any]", "_repr_svg_": "str",
    **dict.fromkeys(["append", "insert", "remove", "clear"], "None"),
    "Part.pop": "Coord | None", "CurvePart.pop": "CurveSegment | None", "Multipart.pop": "Part | None",
    "CurveMultipart.pop": "CurvePart | None", "area_unit_id": "AreaUnitId", "try_clone": "AreaUnit",
    "get_projection_engine_dir": "str | None", "set_projection_engine_dir": "None",
    "get_transformations": "list[DatumTransformation]", "__setstate__": "None",
    "get_inverse": "DatumTransformation", "is_missing_projection_engine_files": "bool",
    **dict.fromkeys(["wkt_to_geojson_dict", "wkb_to_geojson_dict", "wkt_to_ovrajson_dict", "wkb_to_ovrajson_dict"],
                    "dict[str, Any]"),
    # Protocol methods.
    "__len__": "int", "__str__": "str", "__repr__": "str", "__int__": "int", "__hash__": "int",
    "__setitem__": "None", "__delitem__": "None", "Part.__getitem__": "Coord", "Part.__iter__": "Iterator[Coord]",
    "CurvePart.__getitem__": "CurveSegment", "CurvePart.__iter__": "Iterator[CurveSegment]",
    "Multipart.__getitem__": "Part", "Multipart.__iter__": "Iterator[Part]", "CurveMultipart.__getitem__": "CurvePart",
    "Coord.__getitem__": "float", "Coord.__iter__": "Iterator[float]",
    **dict.fromkeys(["__eq__", "__ne__", "__lt__", "__le__", "__gt__", "__ge__"], "bool"),
}

FLOAT, OPTIONAL_FLOAT, BOOL = "float", "float | None", "bool"
# Property types by name ("Class.name" entries take precedence); a second type is what assignment takes.
PROPERTIES = {
    **dict.fromkeys(["x", "y", "xmin", "xmax", "ymin", "ymax", "interior_x", "interior_y", "center_x", "center_y",
                     "rotation", "axis", "ratio", "ctrl1_x", "ctrl1_y", "ctrl2_x", "ctrl2_y", "length"], FLOAT),
    **dict.fromkeys(["z", "m", "zmin", "zmax", "mmin", "mmax", "area"], OPTIONAL_FLOAT),
    **dict.fromkeys(["has_z", "has_m", "hasM", "is_empty", "has_curves", "minor", "clockwise"], BOOL),
    **dict.fromkeys(["idmin", "idmax", "wkid", "latest_wkid", "vcs_wkid", "latest_vcs_wkid"], "int | None"),
    **dict.fromkeys(["SpatialReference.wkt", "SpatialReference.wkt2"], "str | None"),
    "wkt": "str", "wkb": "bytes", "ewkb": "bytes", "__geo_interface__": "dict[str, Any]",
    **dict.fromkeys(["id", "ids"], "None"),
    "spatial_reference": ("SpatialReference | None", "dict[str, Any]"),
    "geometry_type": "str", "JSON": "str", "extent": "tuple[float, float, float, float]",
    "geoextent": "tuple[float, float, float, float]", "centroid": "tuple[float, float]", "envelope": "Envelope",
    "label_point": "Point", "polyline": "Polyline",
    **dict.fromkeys(["rings", "paths"], ("Multipart", "Multipart | list[Any]")),
    **dict.fromkeys(["curve_rings", "curve_paths"], ("CurveMultipart", "CurveMultipart | list[Any]")),
    "points": ("Part", "Part | list[Any]"),
    "name": "str", "object_type": "str",
    **dict.fromkeys(["input_spatial_reference", "output_spatial_reference"], "SpatialReference | None"),
    "Point.x": (FLOAT, OPTIONAL_FLOAT), "Point.y": (FLOAT, OPTIONAL_FLOAT),
    **{f"Envelope.{name}": (FLOAT, OPTIONAL_FLOAT) for name in ["xmin", "xmax", "ymin", "ymax"]},
    **{f"Envelope.{name}": (OPTIONAL_FLOAT, OPTIONAL_FLOAT) for name in ["idmin", "idmax"]},
}
# Members whose result depends on a flag: (parameter, result when True, result when False). Their stubs
# are overloads on the flag's literal value, so a call with a literal flag gets the exact type.
FLAG_OVERLOADS = {
    "Geometry.buffer_collection": ("union_result", "Polygon", "list[Polygon]"),
    "Geometry.convex_hull_collection": ("merge", "Geometry", "list[Geometry]"),
}
# Constructors that their text signature does not describe. Geometry's class keeps the signature
# "Geometry()" while the factory installed at import builds a geometry from one value (keywords ignored);
# stubtest sees only the signature, so tools/stubtest_allowlist.txt names this one.
CONSTRUCTORS = {"Geometry": "cls, value: dict[str, Any] | str | bytes, /, **ignored: Any"}
# Properties that take assignment. A getset descriptor does not show whether it has a setter.
SETTABLE = {
    "Point": {"x", "y", "z", "m", "spatial_reference"},
    "Envelope": {"xmin", "xmax", "ymin", "ymax", "zmin", "zmax", "mmin", "mmax", "idmin", "idmax",
                 "spatial_reference"},
    "Polyline": {"paths", "curve_paths", "spatial_reference"},
    "Polygon": {"rings", "curve_rings", "spatial_reference"},
    "MultiPoint": {"points", "spatial_reference"},
    "SpatialReference": {"wkid", "latest_wkid", "vcs_wkid", "latest_vcs_wkid", "wkt", "wkt2"},
    "Coord": {"x", "y", "z", "m"},
    "CurveSegment": {"x", "y", "z", "m"},
    "CircularArc": {"interior_x", "interior_y"},
    "EllipticArc": {"center_x", "center_y", "minor", "clockwise", "rotation", "axis", "ratio"},
    "BezierCurve": {"ctrl1_x", "ctrl1_y", "ctrl2_x", "ctrl2_y"},
}
# Special members that stubs state although object has them too: the comparisons. Every other special
# member of a class is stated when object lacks it (object's own come from the standard stubs).
PROTOCOL = ["__len__", "__getitem__", "__setitem__", "__delitem__", "__iter__", "__next__", "__int__", "__eq__",
            "__ne__", "__lt__", "__le__", "__gt__", "__ge__", "__and__", "__rand__", "__or__", "__ror__",
            "__invert__"]
BASETYPE_FLAG = 1 << 10
SELF_TYPED = {"__and__", "__rand__", "__or__", "__ror__", "__invert__", "__copy__", "__deepcopy__"}

unknown = []


def lookup(table, owner, name, what):
    for key in (f"{owner}.{name}" if owner else None, name):
        if key in table:
            return table[key]
    unknown.append(f"{what} {owner + '.' if owner else ''}{name}")
    return "Any"


def parameter_type(qualified, name, parameter):
    """The type of a parameter of the member `name` ("Class.name" as `qualified`)."""
    for table, key in ((MEMBER_PARAMETERS, (qualified, parameter)), (MEMBER_PARAMETERS, (name, parameter)),
                       (PARAMETERS, parameter)):
        if key in table:
            return table[key]
    unknown.append(f"parameter {parameter} of {qualified}")
    return "Any"


def render_parameters(signature, qualified, name, first=None, skip_first=False, forced=None):
    parts = [first] if first else []
    kinds = []
    parameters = list(signature.parameters.values())
    if skip_first and parameters:
        kinds.append(parameters[0].kind)
        parameters = parameters[1:]
    for parameter in parameters:
        if parameter.kind is inspect.Parameter.VAR_POSITIONAL:
            text = f"*{parameter.name}: Any"
        elif parameter.kind is inspect.Parameter.VAR_KEYWORD:
            text = f"**{parameter.name}: Any"
        elif forced and parameter.name in forced:
            text = f"{parameter.name}: {forced[parameter.name]}"
        else:
            text = f"{parameter.name}: {parameter_type(qualified, name, parameter.name)}"
            if parameter.default is not inspect.Parameter.empty:
                text += " = ..."
        parts.append(text)
        kinds.append(parameter.kind)
    # A "/" after the last positional-only parameter keeps the runtime's parameter kinds.
    positional_only = [i for i, kind in enumerate(kinds) if kind is inspect.Parameter.POSITIONAL_ONLY]
    if positional_only:
        parts.insert(positional_only[-1] + 1, "/")
    return ", ".join(parts)


def function_stub(name, function, owner=None, static=False, class_method=False):
    """The stub of a module function, or of a method of the class `owner` (`function` is the bound method
    for a class method, whose signature then lacks the class)."""
    signature = inspect.signature(function)
    owner_name = owner.__name__ if owner else ""
    qualified = f"{owner_name}.{name}" if owner else name
    result = owner_name if owner and name in SELF_TYPED else lookup(RESULTS, owner_name, name, "result")
    indent = "    " if owner else ""
    lines = [f"{indent}@staticmethod"] if static else [f"{indent}@classmethod"] if class_method else []

    def rendered(forced=None):
        if class_method:
            return render_parameters(signature, qualified, name, first="cls", forced=forced)
        if owner and not static:
            return render_parameters(signature, qualified, name, first="self", skip_first=True, forced=forced)
        return render_parameters(signature, qualified, name, forced=forced)

    # Polygon.label_point, a method, stands where Geometry has a property of that name.
    shadows = owner and any(isinstance(vars(base).get(name), types.GetSetDescriptorType)
                            for base in owner.__mro__[1:])
    ignore = "  # type: ignore[override]" if shadows else ""
    if qualified not in FLAG_OVERLOADS:
        lines.append(f"{indent}def {name}({rendered()}) -> {result}: ...{ignore}")
        return lines
    flag, when_true, when_false = FLAG_OVERLOADS[qualified]
    decorators = lines
    lines = []
    for flag_type, flag_result in [("Literal[True]", when_true), ("Literal[False]", when_false),
                                   ("bool", f"{when_true} | {when_false}")]:
        lines += decorators + [f"{indent}@overload",
                               f"{indent}def {name}({rendered({flag: flag_type})}) -> {flag_result}: ...{ignore}"]
    return lines


def property_stub(owner, name, settable):
    types_ = lookup(PROPERTIES, owner, name, "property")
    read, write = types_ if isinstance(types_, tuple) else (types_, types_)
    lines = ["    @property", f"    def {name}(self) -> {read}: ..."]
    if settable:
        lines += [f"    @{name}.setter", f"    def {name}(self, value: {write}) -> None: ..."]
    return lines


def is_public_member(name):
    if name in ("__new__", "__init__", "__doc__", "__module__", "__hash__"):
        return False
    special = name.startswith("__") and name.endswith("__")
    return (not name.startswith("_") or name == "_repr_svg_" or name in PROTOCOL
            or (special and not hasattr(object, name)))


def is_final(cls):
    return not cls.__flags__ & BASETYPE_FLAG


def is_disjoint_base(cls):
    """Whether instances have a layout of their own (PEP 800), as CPython 3.12 decides it."""
    base = cls.__base__
    return cls.__basicsize__ != base.__basicsize__ or cls.__itemsize__ != base.__itemsize__


def class_stub(cls):
    base = cls.__base__.__name__ if cls.__base__ is not object else None
    lines = ["@final"] if is_final(cls) else ["@disjoint_base"] if is_disjoint_base(cls) else []
    lines.append(f"class {cls.__name__}{f'({base})' if base else ''}:")
    header = len(lines)
    if cls.__dict__.get("__doc__"):
        lines.append(f"    {cls.__doc__!r}")
    text_signature = getattr(cls, "__text_signature__", None)
    if cls.__name__ in CONSTRUCTORS:
        lines.append(f"    def __new__({CONSTRUCTORS[cls.__name__]}) -> {cls.__name__}: ...")
    elif text_signature and text_signature != "()":
        # The constructors are tp_new slots, so the stubs declare __new__.
        signature = inspect.signature(cls)
        parameters = render_parameters(signature, f"{cls.__name__}.__init__", "__init__", first="cls")
        lines.append(f"    def __new__({parameters}) -> Self: ...")
    if "__hash__" in cls.__dict__ and cls.__dict__["__hash__"] is None:
        lines.append("    __hash__: ClassVar[None]  # type: ignore[assignment]")
    settable = SETTABLE.get(cls.__name__, set())
    for name, member in cls.__dict__.items():
        if not is_public_member(name):
            continue
        if isinstance(member, cls):
            lines.append(f"    {name}: ClassVar[{cls.__name__}]")
        elif isinstance(member, types.GetSetDescriptorType):
            lines += property_stub(cls.__name__, name, name in settable)
        elif isinstance(member, types.ClassMethodDescriptorType):
            lines += function_stub(name, getattr(cls, name), cls, class_method=True)
        elif isinstance(member, staticmethod) or (callable(member) and getattr(member, "__self__", None) is cls):
            lines += function_stub(name, getattr(cls, name), cls, static=True)
        elif callable(member):
            lines += function_stub(name, member, cls)
    if len(lines) == header:
        lines.append("    ...")
    return lines


HEADER = """# Generated by tools/gen_stubs.py from the built module; do not edit.
from typing import Any, ClassVar, Iterable, Iterator, Literal, Self, Sequence, final, overload

from typing_extensions import disjoint_base
"""


def module_stub(module, imports):
    lines = [HEADER + imports]
    names = getattr(module, "__all__", None)
    if names is None:
        return "\n".join(lines)
    lines.append(f"__all__ = {names!r}\n")
    for name in names:
        item = getattr(module, name)
        if isinstance(item, type):
            lines += class_stub(item) + [""]
        elif isinstance(item, types.ModuleType):
            continue
        elif name == "__version__":
            lines.append("__version__: str\n")
        else:
            lines += function_stub(name, item) + [""]
    return "\n".join(lines)


def main(output):
    package = pathlib.Path(output) / "velmor_geometry-stubs"
    package.mkdir(parents=True, exist_ok=True)
    projection = velmor_geometry.projection
    has_transformation = hasattr(projection, "DatumTransformation")
    main_imports = ("from . import projection as projection, utils as utils\n" +
                    ("from .projection import DatumTransformation\n" if has_transformation
                     else "from typing import Any as DatumTransformation\n"))
    sibling_imports = ("from velmor_geometry import (Envelope, Geometry, GeodeticCurveType, LinearUnitId, Point,\n"
                       "                             SpatialReference)\n")
    if not has_transformation:
        sibling_imports += "from typing import Any as DatumTransformation\n"
    (package / "__init__.pyi").write_text(module_stub(velmor_geometry, main_imports))
    (package / "projection.pyi").write_text(module_stub(projection, sibling_imports))
    (package / "utils.pyi").write_text(module_stub(velmor_geometry.utils, ""))
    for item in sorted(set(unknown)):
        print(f"gen_stubs: no type known for {item}; typed Any", file=sys.stderr)


if __name__ == "__main__":
    main(sys.argv[1])
