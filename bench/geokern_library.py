"""The runtime core library for the benchmark scripts, found where the module itself looks first."""

import argparse
import ctypes
import sys
from pathlib import Path


def default_library():
    for candidate in (Path(sys.prefix) / "libgeokern.so",
                      Path(__file__).resolve().parent.parent / "geokern_bin/linux-x86_64/libgeokern.so"):
        if candidate.exists():
            return candidate
    raise SystemExit("libgeokern.so not found; pass --library")


def load(path, signatures):
    """The library at `path` (None: the default one) with GK_<name> declared for each
    name: (result type, argument types before the error handler) of `signatures`."""
    library = ctypes.CDLL(str(path or default_library()))
    for name, (restype, argtypes) in signatures.items():
        function = getattr(library, "GK_" + name)
        function.restype, function.argtypes = restype, list(argtypes) + [ctypes.c_void_p]
    return library


def arguments(count=None):
    """The command line of a benchmark: --library PATH and --repeat N, and --count N (default `count`)
    for a script that takes one."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--library", type=Path, default=None)
    if count is not None:
        parser.add_argument("--count", type=int, default=count)
    parser.add_argument("--repeat", type=int, default=3)
    return parser.parse_args()
