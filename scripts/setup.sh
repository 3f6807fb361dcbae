#!/usr/bin/env bash
# Sets up everything on a fresh Debian machine and builds the module: Debian packages, a virtual
# environment under .venv, PyPI packages, then the extension module and the runtime core library.
# Running it again only rebuilds what changed.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
source scripts/build_options.sh

debian_packages=(
  build-essential git pkg-config
  ccache                               # every build compiles through it
  libgtest-dev libgmock-dev            # native tests
  libgeos-dev                          # planar topology
  libproj-dev proj-data                # spatial references and datum transformations
  libgeographiclib-dev                 # geodesy
  rapidjson-dev                        # OvraJSON text in the runtime core
  clang libclang-rt-14-dev             # libFuzzer harnesses
  postgresql postgresql-15-postgis-3   # the database round trip of WKB and EWKB
  librsvg2-bin                         # rsvg-convert renders the geometry pictures in tests
)

install_debian_packages() {
  local missing=()
  for package in "${debian_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "setup: installing Debian packages: ${missing[*]}"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# CPython 3.12: $VELMOR_PYTHON if given, else the newest 3.12 under pyenv, else python3.12 on PATH.
find_python() {
  local candidates=()
  [ -n "${VELMOR_PYTHON:-}" ] && candidates+=("$VELMOR_PYTHON")
  if command -v pyenv >/dev/null 2>&1; then
    local found
    found=$(ls -d "$(pyenv root)"/versions/3.12.*/bin/python3.12 2>/dev/null | sort -V | tail -n 1 || true)
    [ -n "$found" ] && candidates+=("$found")
  fi
  candidates+=(python3.12 python3)
  for candidate in "${candidates[@]}"; do
    if "$candidate" -c 'import sys; sys.exit(sys.version_info[:2] < (3, 11))' >/dev/null 2>&1; then
      command -v "$candidate"
      return
    fi
  done
  echo "setup: no CPython 3.11 or newer found" >&2
  exit 1
}

install_debian_packages

venv="$root/.venv"
if [ ! -x "$venv/bin/python" ]; then
  python=$(find_python)
  echo "setup: creating .venv with $python"
  "$python" -m venv "$venv"
fi
"$venv/bin/python" -m pip install -q --upgrade pip
"$venv/bin/python" -m pip install -q -r requirements-dev.txt

# The module, built in place so rebuilds are incremental; warnings are errors.
"$venv/bin/python" -m pip install -q --no-build-isolation --no-deps "${release_build_options[@]}" .
echo "setup: done ($("$venv/bin/python" -c 'import velmor_geometry as v; print("velmor_geometry", v.__version__)'))"
