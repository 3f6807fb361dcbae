#!/usr/bin/env bash
# Sets everything up (scripts/setup.sh), then runs the demo of the library on real geometry; its text
# output and its pictures go to build/demo.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh
# The text output and the SVG pictures of the results land together in build/demo.
mkdir -p build/demo
"$root/.venv/bin/python" examples/demo.py build/demo | tee build/demo/demo.txt
