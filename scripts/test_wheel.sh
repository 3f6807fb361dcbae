#!/usr/bin/env bash
# Tries the wheel of scripts/build_wheel.sh as a user gets it: installs it into a fresh virtual
# environment and runs the smoke suite (tests/wheel/smoke.py) in a private mount namespace in which
# PROJ's data and the system's copy of every library the wheel carries (GEOS, PROJ, GeographicLib and
# the libraries PROJ links) are an empty directory and empty files, so a wheel that still leans on the
# system fails. Then checks the check: with the wheel's own GEOS removed, the suite must fail.
# Needs root for the mount namespace (CI runs as root).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
venv="$root/.venv"
export PATH="$venv/bin:$PATH"
work="$root/build/wheel"
fresh="$work/venv"
wheel=$(echo "$root"/dist/*.whl)
[ -f "$wheel" ] || { echo "test_wheel: no wheel in dist/ (run scripts/build_wheel.sh)"; exit 1; }

proj_data=$(pkg-config --variable=datadir proj 2>/dev/null || true)
proj_data=${proj_data:-/usr/share/proj}

echo "test_wheel: auditwheel show $(basename "$wheel")"
auditwheel show "$wheel"

rm -rf "$fresh"
"$("$venv/bin/python" -c 'import sys; print(sys._base_executable)')" -m venv --without-pip "$fresh"
start=$EPOCHREALTIME
"$venv/bin/python" -m pip --python "$fresh/bin/python" install -q --no-index --no-deps "$wheel"
echo "test_wheel: pip install of the wheel into a fresh environment took $(awk "BEGIN { printf \"%.1f\", $EPOCHREALTIME - $start }") s"
packages=$("$fresh/bin/python" -c 'import sysconfig; print(sysconfig.get_path("platlib"))')
libs="$packages/velmor_geometry.libs"

"$venv/bin/python" tests/wheel/peer_values.py "$proj_data" >"$work/peer_values.json"

# The files to hide: PROJ's data directory, and the system's file of each library the wheel carries a
# copy of (auditwheel names a copy after the file with a hash inserted), except those the bare
# interpreter loads itself for the suite's standard modules (libffi for ctypes). GEOS, PROJ and
# GeographicLib must be among them, or the check proves nothing.
"$fresh/bin/python" - "$libs" "$proj_data" >"$work/hidden.txt" <<'PY'
import ctypes, json, math, pathlib, pickle, re, subprocess, sys  # noqa: F401 (the suite's own modules)
libs, proj_data = pathlib.Path(sys.argv[1]), sys.argv[2]
carried = {re.sub(r"-[0-9a-f]{8}(?=[.])", "", path.name, count=1) for path in libs.iterdir()}
own = {str(pathlib.Path(line.split()[-1]).resolve()) for line in open("/proc/self/maps") if "/" in line}
known = subprocess.run(["ldconfig", "-p"], capture_output=True, text=True, check=True).stdout
system = {str(pathlib.Path(line.split(" => ")[1]).resolve()) for line in known.splitlines() if " => " in line}
hidden = sorted(path for path in system if pathlib.Path(path).name in carried and path not in own)
for needed in ("libgeos_c.", "libgeos.", "libproj.", "libGeographicLib."):
    if not any(pathlib.Path(path).name.startswith(needed) for path in hidden):
        sys.exit(f"test_wheel: the system's {needed}so* is not among the files to hide")
print("\n".join([proj_data] + hidden))
PY
echo "test_wheel: hiding $(wc -l <"$work/hidden.txt") system files and directories: $(xargs -n1 basename <"$work/hidden.txt" | tr '\n' ' ')"

# smoke_hidden: the smoke suite from the fresh environment, with the hidden files bind-mounted over.
smoke_hidden() {
  (cd / && env -u GEOMETRY_LIB_PATH -u PROJ_DATA -u PROJ_LIB -u PYTHONPATH -u LD_LIBRARY_PATH \
    unshare --mount --propagation private -- bash -euc '
      list=$1; shift
      empty_file=$(mktemp); empty_dir=$(mktemp -d)
      while read -r path; do
        if [ -d "$path" ]; then mount --bind "$empty_dir" "$path"; else mount --bind "$empty_file" "$path"; fi
      done <"$list"
      exec "$@"' hide "$work/hidden.txt" "$fresh/bin/python" "$root/tests/wheel/smoke.py" "$work/peer_values.json")
}

echo "test_wheel: smoke suite from the installed wheel, system libraries and PROJ data hidden"
smoke_hidden

echo "test_wheel: the check of the check: without the wheel's GEOS the smoke suite must fail"
rm -f "$libs"/libgeos_c-*.so* "$libs"/libgeos-*.so*
if smoke_hidden >"$work/without_geos.log" 2>&1; then
  cat "$work/without_geos.log"
  echo "test_wheel: the smoke suite passed without the wheel's GEOS: it does not test the wheel"
  exit 1
fi
echo "test_wheel: it failed as it must: $(grep -m1 -E 'Error|Exception' "$work/without_geos.log" || tail -n 1 "$work/without_geos.log")"
