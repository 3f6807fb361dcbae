#!/usr/bin/env bash
# Sets everything up (scripts/setup.sh), then runs every test: the Python suite against the release
# build, a build for each other supported interpreter, and the native suites plus the Python suite
# again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh
venv="$root/.venv"
jobs=$(nproc)
cmake_common=(-G Ninja -DVELMOR_WERROR=ON -DCMAKE_MAKE_PROGRAM="$venv/bin/ninja")

echo "== Python tests (release build)"
"$venv/bin/python" -m pytest -q tests/python

# The installed stubs were written from the installed module by its build; stubtest holds them to it.
echo "== Type stubs against the module (stubtest)"
"$venv/bin/python" -m mypy.stubtest velmor_geometry --allowlist tools/stubtest_allowlist.txt

# The documentation's own code type-checks against those stubs; any error fails the run.
echo "== mypy --strict over the README's code blocks and examples/"
"$venv/bin/python" tools/check_types.py

# The module keeps building on the other supported interpreters (3.11 to 3.13) where pyenv has them.
if command -v pyenv >/dev/null 2>&1; then
  for version in 3.11 3.13; do
    other=$(ls -d "$(pyenv root)"/versions/"$version".*/bin/python"$version" 2>/dev/null | sort -V | tail -n 1 || true)
    [ -n "$other" ] || continue
    echo "== Building the module for $("$other" -V)"
    cmake -S . -B "build/python$version" "${cmake_common[@]}" -DCMAKE_BUILD_TYPE=Release \
      -DPython_EXECUTABLE="$other" >/dev/null
    cmake --build "build/python$version" -j "$jobs" --target velmor_geometry >/dev/null
    (cd /tmp && PYTHONPATH="$root/build/python$version/src/python" "$other" -c \
      'import velmor_geometry.utils as u; assert u.is_clockwise([(0, 0), (0, 1), (1, 1)])')
  done
fi

echo "== Native tests and Python tests under ASan + UBSan"
cmake -S . -B build/sanitize "${cmake_common[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELMOR_SANITIZE=ON -DVELMOR_BUILD_TESTS=ON -DPython_EXECUTABLE="$venv/bin/python" >/dev/null
cmake --build build/sanitize -j "$jobs"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build/sanitize --output-on-failure -j "$jobs"

echo "== Fuzzing the WKT parser and the WKB reader (libFuzzer, ASan + UBSan)"
bash scripts/fuzz.sh 60

# The interpreter itself is not instrumented and keeps its allocations until exit, so leak checking
# is left to the native suites.
# libstdc++ is preloaded too: ASan resolves its __cxa_throw interceptor at start-up, before the module
# would bring libstdc++ in, and a C++ exception (an internal failure) would otherwise abort the process.
# The module loads the runtime core from sys.prefix first, so the run gets an environment of its own
# whose prefix holds the instrumented library and which sees the main environment's packages; the
# suite checks that this is the library it runs on.
sanitize_env="$root/build/sanitize/venv"
[ -x "$sanitize_env/bin/python" ] || "$venv/bin/python" -m venv --without-pip "$sanitize_env"
"$venv/bin/python" -c 'import sysconfig; print(sysconfig.get_paths()["purelib"])' \
  >"$("$sanitize_env/bin/python" -c 'import sysconfig; print(sysconfig.get_paths()["purelib"])')/main_env.pth"
cp "$root/build/sanitize/geokern/libgeokern.so" "$sanitize_env/libgeokern.so"
echo "== Python tests under ASan + UBSan, runtime core $sanitize_env/libgeokern.so"
asan_runtime=$(g++ -print-file-name=libasan.so)
cxx_runtime=$(g++ -print-file-name=libstdc++.so)
ASAN_OPTIONS=detect_leaks=0 LD_PRELOAD="$asan_runtime $cxx_runtime" PYTHONPATH="$root/build/sanitize/src/python" \
  VELMOR_SANITIZED_BUILD=1 GEOKERN_LIBRARY="$sanitize_env/libgeokern.so" \
  "$sanitize_env/bin/python" -m pytest -q -p no:cacheprovider tests/python
