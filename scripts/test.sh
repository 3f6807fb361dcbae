#!/usr/bin/env bash
# Sets everything up (scripts/setup.sh), then runs every test: the Python suite against the release
# build, and the native suites plus the Python suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh
venv="$root/.venv"
jobs=$(nproc)

echo "== Python tests (release build)"
"$venv/bin/python" -m pytest -q tests/python

echo "== Native tests and Python tests under ASan + UBSan"
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELMOR_SANITIZE=ON -DVELMOR_BUILD_TESTS=ON -DVELMOR_WERROR=ON \
  -DCMAKE_MAKE_PROGRAM="$venv/bin/ninja" -DPython_EXECUTABLE="$venv/bin/python" >/dev/null
cmake --build build/sanitize -j "$jobs"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build/sanitize --output-on-failure -j "$jobs"

# The interpreter itself is not instrumented and keeps its allocations until exit, so leak checking
# is left to the native suites.
# libstdc++ is preloaded with the ASan runtime so that ASan finds the real __cxa_throw it intercepts
# (the interpreter does not link libstdc++; without it the first C++ throw in the module aborts).
asan_runtime=$(g++ -print-file-name=libasan.so)
cxx_runtime=$(g++ -print-file-name=libstdc++.so)
ASAN_OPTIONS=detect_leaks=0 LD_PRELOAD="$asan_runtime $cxx_runtime" PYTHONPATH="$root/build/sanitize/src/python" \
  VELMOR_SANITIZED_BUILD=1 "$venv/bin/python" -m pytest -q -p no:cacheprovider tests/python

echo "== Fuzzing the WKT parser and the WKB reader (libFuzzer, ASan + UBSan)"
bash scripts/fuzz.sh 60
