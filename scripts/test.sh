#!/usr/bin/env bash
# Sets everything up (scripts/setup.sh), then runs every test: the Python suite against the release
# build, the wheel packed from that build and tried where the system's libraries are hidden, a build
# for each other supported interpreter, and the native suites plus the Python suite again under
# AddressSanitizer and UndefinedBehaviorSanitizer. Each step prints its wall time, and the times are
# listed again at the end.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
source scripts/build_options.sh
venv="$root/.venv"
jobs=$(nproc)
cmake_common=(-G Ninja -DVELMOR_WERROR=ON -DCMAKE_MAKE_PROGRAM="$venv/bin/ninja" "${ccache_launcher[@]}")

step_times=()
list_step_times() {
  [ ${#step_times[@]} -eq 0 ] && return
  echo "== Wall time of each step"
  printf '%s\n' "${step_times[@]}"
}
trap list_step_times EXIT

# step TITLE COMMAND...: one step of the run, with its title and wall time.
step() {
  local title=$1
  shift
  echo "== $title"
  local start=$EPOCHREALTIME
  "$@"
  local seconds
  seconds=$(awk "BEGIN { printf \"%.0f\", $EPOCHREALTIME - $start }")
  echo "== $title: $seconds s"
  step_times+=("$(printf '%6s s  %s' "$seconds" "$title")")
}

python_tests() {
  "$venv/bin/python" -m pytest -q tests/python
}

# The installed stubs were written from the installed module by its build; stubtest holds them to it.
type_stubs() {
  "$venv/bin/python" -m mypy.stubtest velmor_geometry --allowlist tools/stubtest_allowlist.txt
}

# The documentation's own code type-checks against those stubs; any error fails the run.
readme_types() {
  "$venv/bin/python" tools/check_types.py
}

# The module keeps building on the other supported interpreters (3.11 to 3.13) where pyenv has them. Only
# the module is built, with the release build's compilers (the build backend picks them from the
# interpreter's configuration), so that through ccache the sources that do not include Python's headers
# are the release build's objects again.
other_interpreters() {
  command -v pyenv >/dev/null 2>&1 || return 0
  local version other compilers
  mapfile -t compilers < <(sed -n 's/^CMAKE_\(C\|CXX\)_COMPILER:FILEPATH=\(.*\)/-DCMAKE_\1_COMPILER=\2/p' \
                           build/release/CMakeCache.txt)
  for version in 3.11 3.13; do
    other=$(ls -d "$(pyenv root)"/versions/"$version".*/bin/python"$version" 2>/dev/null | sort -V | tail -n 1 || true)
    [ -n "$other" ] || continue
    echo "building the module for $("$other" -V)"
    cmake -S . -B "build/python$version" "${cmake_common[@]}" "${compilers[@]}" -DCMAKE_BUILD_TYPE=Release \
      -DPython_EXECUTABLE="$other" >/dev/null
    cmake --build "build/python$version" -j "$jobs" --target velmor_geometry >/dev/null
    (cd /tmp && PYTHONPATH="$root/build/python$version/src/python" "$other" -c \
      'import velmor_geometry.utils as u; assert u.is_clockwise([(0, 0), (0, 1), (1, 1)])')
  done
}

sanitized_native_tests() {
  cmake -S . -B build/sanitize "${cmake_common[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVELMOR_SANITIZE=ON -DVELMOR_BUILD_TESTS=ON -DPython_EXECUTABLE="$venv/bin/python" >/dev/null
  cmake --build build/sanitize -j "$jobs"
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --test-dir build/sanitize --output-on-failure -j "$jobs"
}

# The interpreter itself is not instrumented and keeps its allocations until exit, so leak checking
# is left to the native suites.
# libstdc++ is preloaded too: ASan resolves its __cxa_throw interceptor at start-up, before the module
# would bring libstdc++ in, and a C++ exception (an internal failure) would otherwise abort the process.
# The module loads the runtime core from sys.prefix first, so the run gets an environment of its own
# whose prefix holds the instrumented library and which sees the main environment's packages; the
# suite checks that this is the library it runs on.
sanitized_python_tests() {
  local sanitize_env="$root/build/sanitize/venv"
  [ -x "$sanitize_env/bin/python" ] || "$venv/bin/python" -m venv --without-pip "$sanitize_env"
  "$venv/bin/python" -c 'import sysconfig; print(sysconfig.get_paths()["purelib"])' \
    >"$("$sanitize_env/bin/python" -c 'import sysconfig; print(sysconfig.get_paths()["purelib"])')/main_env.pth"
  cp "$root/build/sanitize/geokern/libgeokern.so" "$sanitize_env/libgeokern.so"
  echo "runtime core $sanitize_env/libgeokern.so"
  local asan_runtime cxx_runtime
  asan_runtime=$(g++ -print-file-name=libasan.so)
  cxx_runtime=$(g++ -print-file-name=libstdc++.so)
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ASAN_OPTIONS=detect_leaks=0 \
    LD_PRELOAD="$asan_runtime $cxx_runtime" PYTHONPATH="$root/build/sanitize/src/python" \
    VELMOR_SANITIZED_BUILD=1 GEOKERN_LIBRARY="$sanitize_env/libgeokern.so" \
    "$sanitize_env/bin/python" -m pytest -q -p no:cacheprovider tests/python
}

step "Setup and release build (scripts/setup.sh)" bash scripts/setup.sh
step "Python tests (release build)" python_tests
step "Type stubs against the module (stubtest)" type_stubs
step "mypy --strict over the README's code blocks and examples/" readme_types
step "Self-contained wheel from the release build (scripts/build_wheel.sh)" bash scripts/build_wheel.sh
step "The wheel installed and tried with the system's libraries hidden (scripts/test_wheel.sh)" \
  bash scripts/test_wheel.sh
step "The module for the other interpreters" other_interpreters
step "Native tests under ASan + UBSan" sanitized_native_tests
step "Fuzzing the WKT parser, the WKB reader, the JSON reader and the engine (libFuzzer, ASan + UBSan)" \
  bash scripts/fuzz.sh 60
step "Python tests under ASan + UBSan" sanitized_python_tests
