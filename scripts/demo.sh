#!/usr/bin/env bash
# Sets everything up (scripts/setup.sh), then runs the demo of the library on real geometry.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh
"$root/.venv/bin/python" examples/demo.py
