"""The runtime core's engine functions called directly through ctypes, so that their results can be
checked against shapely before the Python engine methods exist. Geometries go in and come out as
OvraJSON text; every runtime error becomes an EngineError with the core's code and messages.

The library is $GEOKERN_LIBRARY when set (a build directory's libgeokern.so), else the one the module
itself loads first (at sys.prefix, where pip puts it), else the one a development build drops under
geokern_bin/.
"""

import ctypes
import json
import os
import sys
from pathlib import Path

_ROOT = Path(__file__).resolve().parents[2]

c_void_p, c_double, c_char_p, c_uint8, c_int32, c_int64, c_uint64 = (
    ctypes.c_void_p, ctypes.c_double, ctypes.c_char_p, ctypes.c_uint8, ctypes.c_int32, ctypes.c_int64,
    ctypes.c_uint64)


class EngineError(Exception):
    def __init__(self, code, message, detail):
        super().__init__(f"{message} {detail}".strip())
        self.code, self.message, self.detail = code, message, detail


class _Handler(ctypes.Structure):
    _fields_ = [("callback", ctypes.CFUNCTYPE(None, c_void_p, c_void_p)), ("user", c_void_p)]


def library_path():
    chosen = os.environ.get("GEOKERN_LIBRARY")
    if chosen:
        return Path(chosen)
    installed = Path(sys.prefix) / "libgeokern.so"
    return installed if installed.exists() else _ROOT / "geokern_bin/linux-x86_64/libgeokern.so"


class Engine:
    """One loaded library with the signatures the tests need, declared on first use."""

    # name: (restype, argtypes without the trailing handler)
    SIGNATURES = {
        "Geometry_fromJSON": (c_void_p, [c_char_p]),
        "Geometry_toJSON": (c_void_p, [c_void_p]),
        "Geometry_destroy": (None, [c_void_p]),
        "String_cStr": (c_char_p, [c_void_p]),
        "String_destroy": (None, [c_void_p]),
        "Error_getCode": (c_int32, [c_void_p]),
        "Error_getMessage": (c_void_p, [c_void_p]),
        "Error_getAdditionalMessage": (c_void_p, [c_void_p]),
        "Error_destroy": (None, [c_void_p]),
        "Array_getSize": (c_uint64, [c_void_p]),
        "Array_at": (c_void_p, [c_void_p, c_uint64]),
        "Array_destroy": (None, [c_void_p]),
        "Element_getValueAsGeometry": (c_void_p, [c_void_p]),
        "Element_destroy": (None, [c_void_p]),
        "Element_fromGeometry": (c_void_p, [c_void_p]),
        "Element_fromFloat64": (c_void_p, [c_double]),
        "Vector_create": (c_void_p, [c_int32]),
        "Vector_add": (None, [c_void_p, c_void_p]),
        "Vector_destroy": (None, [c_void_p]),
        "ProximityResult_getCoordinate": (c_void_p, [c_void_p]),
        "ProximityResult_getDistance": (c_double, [c_void_p]),
        "ProximityResult_getPartIndex": (c_int64, [c_void_p]),
        "ProximityResult_getPointIndex": (c_int64, [c_void_p]),
        "ProximityResult_destroy": (None, [c_void_p]),
        "Unit_destroy": (None, [c_void_p]),
    }

    def __init__(self, path=None):
        self.lib = ctypes.CDLL(str(path or library_path()))
        self._errors = []
        callback_type = _Handler._fields_[0][1]
        self._callback = callback_type(self._capture)
        self._handler = _Handler(self._callback, None)
        self._functions = {}

    def function(self, name, restype=None, argtypes=None):
        if name not in self._functions:
            if argtypes is None:
                restype, argtypes = self.SIGNATURES[name]
            f = getattr(self.lib, "GK_" + name)
            f.restype = restype
            f.argtypes = list(argtypes) + [ctypes.POINTER(_Handler)]
            self._functions[name] = f
        return self._functions[name]

    def _capture(self, _user, error):
        plain = self.function("Error_getCode")
        code = plain(error, None)
        message = self._text(self.function("Error_getMessage")(error, None))
        detail = self._text(self.function("Error_getAdditionalMessage")(error, None))
        self.function("Error_destroy")(error, None)
        self._errors.append(EngineError(code, message, detail))

    def _text(self, handle):
        if not handle:
            return ""
        text = self.function("String_cStr")(handle, None).decode()
        self.function("String_destroy")(handle, None)
        return text

    def call(self, name, *args, restype=None, argtypes=None):
        """Calls GK_<name>(*args, handler); raises the first runtime error it reported."""
        f = self.function(name, restype, argtypes)
        result = f(*args, ctypes.byref(self._handler))
        if self._errors:
            error, self._errors = self._errors[0], []
            raise error
        return result

    # --- geometries as OvraJSON text ---

    def geometry(self, value):
        text = value if isinstance(value, str) else json.dumps(value)
        return Handle(self, self.call("Geometry_fromJSON", text.encode()), "Geometry_destroy")

    def to_json(self, handle):
        if not handle:
            return None
        return json.loads(self._text(self.call("Geometry_toJSON", handle)))

    def geometries(self, array):
        """The geometries of a runtime array as OvraJSON dictionaries; the array is released."""
        try:
            result = []
            for i in range(self.call("Array_getSize", array)):
                element = self.call("Array_at", array, i)
                geometry = self.call("Element_getValueAsGeometry", element)
                self.call("Element_destroy", element)
                result.append(self.to_json(geometry))
                self.call("Geometry_destroy", geometry)
            return result
        finally:
            self.call("Array_destroy", array)

    def vector(self, items, kind):
        """A runtime vector of geometries (kind "geometry": OvraJSON dicts or texts) or of floats."""
        vector = self.call("Vector_create", 50 if kind == "geometry" else 43)
        keep = []
        for item in items:
            if kind == "geometry":
                g = self.geometry(item)
                keep.append(g)
                element = self.call("Element_fromGeometry", g.handle)
            else:
                element = self.call("Element_fromFloat64", float(item))
            self.call("Vector_add", vector, element)
            self.call("Element_destroy", element)
        return Handle(self, vector, "Vector_destroy")

    def engine(self, operation, *args, result="geometry"):
        """GK_GeometryEngine_<operation> on OvraJSON geometries (dicts or texts) and plain numbers.

        result: "geometry" (an OvraJSON dict or None), "bool", "double", "array" (a list of dicts).
        """
        handles, argtypes, values = [], [], []
        for arg in args:
            if isinstance(arg, Handle):
                argtypes.append(c_void_p)
                values.append(arg.handle)
            elif isinstance(arg, dict) or (isinstance(arg, str) and arg.lstrip().startswith("{")):
                g = self.geometry(arg)
                handles.append(g)
                argtypes.append(c_void_p)
                values.append(g.handle)
            elif isinstance(arg, str):
                argtypes.append(c_char_p)
                values.append(arg.encode())
            elif arg is None:
                argtypes.append(c_void_p)
                values.append(None)
            elif isinstance(arg, bool):
                argtypes.append(c_uint8)
                values.append(int(arg))
            elif isinstance(arg, int) and not isinstance(arg, bool) and getattr(arg, "_as_int32", False):
                argtypes.append(c_int32)
                values.append(arg)
            else:
                argtypes.append(c_double)
                values.append(float(arg))
        restype = {"geometry": c_void_p, "bool": c_uint8, "double": c_double, "array": c_void_p,
                   "proximity": c_void_p}[result]
        raw = self.call("GeometryEngine_" + operation, *values, restype=restype, argtypes=argtypes)
        if result == "geometry":
            try:
                return self.to_json(raw)
            finally:
                if raw:
                    self.call("Geometry_destroy", raw)
        if result == "bool":
            return bool(raw)
        if result == "array":
            return self.geometries(raw)
        if result == "proximity":
            return self.proximity(raw)
        return raw

    def proximity(self, raw):
        try:
            point = self.call("ProximityResult_getCoordinate", raw)
            coordinate = self.to_json(point)
            self.call("Geometry_destroy", point)
            return {"coordinate": coordinate, "distance": self.call("ProximityResult_getDistance", raw),
                    "part": self.call("ProximityResult_getPartIndex", raw),
                    "point": self.call("ProximityResult_getPointIndex", raw)}
        finally:
            self.call("ProximityResult_destroy", raw)


class Int32(int):
    """An enumeration argument passed as int32 (offset types, extend options, ...)."""
    _as_int32 = True


class Handle:
    """Owns one runtime handle and releases it with its family's destroy function."""

    def __init__(self, engine, handle, destroy):
        self.engine, self.handle, self.destroy = engine, handle, destroy

    def __del__(self):
        if self.handle:
            self.engine.function(self.destroy)(self.handle, None)
            self.handle = None


_shared = None


def engine():
    """The process's one Engine."""
    global _shared
    if _shared is None:
        _shared = Engine()
    return _shared
