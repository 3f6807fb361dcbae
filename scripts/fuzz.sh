#!/usr/bin/env bash
# Builds the libFuzzer harnesses of the WKT parser, the WKB reader, geokern's geometry JSON reader and its
# planar engine with clang (ASan + UBSan) and runs each for the given number of seconds (default 60),
# starting from the seed inputs. Any crash, leak, hang or sanitizer report fails the run; libFuzzer
# leaves the offending input in build/fuzz/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
seconds=${1:-60}
venv="$root/.venv"
source scripts/build_options.sh

CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELMOR_BUILD_FUZZERS=ON -DVELMOR_BUILD_MODULE=OFF -DVELMOR_WERROR=ON "${ccache_launcher[@]}" \
  -DCMAKE_MAKE_PROGRAM="$venv/bin/ninja" -DPython_EXECUTABLE="$venv/bin/python" >/dev/null
cmake --build build/fuzz --target velmor_wkt_fuzzer velmor_wkb_fuzzer geokern_json_fuzzer geokern_engine_fuzzer

# run_fuzzer NAME EXECUTABLE HARNESS_DIR: seeds in HARNESS_DIR/seeds/NAME, dictionary HARNESS_DIR/NAME.dict.
run_fuzzer() {
  local reader=$1 executable=$2 fuzz=$3
  mkdir -p "build/fuzz/corpus/$reader"
  # The engine's results are bounded by design (densify stops at 2^25 vertices), but under ASan a
  # result near such a bound can take more than libFuzzer's default 2 GB; the limit is 6 GB.
  local options=(-max_total_time="$seconds" -max_len=4096 -timeout=30 -rss_limit_mb=6144 -print_final_stats=1)
  [ -f "$fuzz/$reader.dict" ] && options+=(-dict="$fuzz/$reader.dict")
  # Leaks inside GEOS itself, on its own failure paths, are listed in HARNESS_DIR/lsan.supp; any
  # other leak fails the run.
  local lsan_options=""
  [ -f "$fuzz/lsan.supp" ] && lsan_options="suppressions=$fuzz/lsan.supp"
  local log="$root/build/fuzz/$reader.log"
  echo "fuzz: $reader for ${seconds}s"
  if ! (cd build/fuzz && UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 LSAN_OPTIONS="$lsan_options" \
        "$executable" "${options[@]}" "corpus/$reader" "$fuzz/seeds/$reader" >"$log" 2>&1); then
    tail -n 80 "$log"
    echo "fuzz: $reader failed (input saved in build/fuzz/)"
    exit 1
  fi
  grep -E "^(Done|stat::number_of_executed_units|stat::peak_rss_mb)" "$log" || true
}

run_fuzzer wkt src/formats/velmor_wkt_fuzzer "$root/src/formats/fuzz"
run_fuzzer wkb src/formats/velmor_wkb_fuzzer "$root/src/formats/fuzz"
run_fuzzer json geokern/geokern_json_fuzzer "$root/geokern/fuzz"
run_fuzzer engine geokern/geokern_engine_fuzzer "$root/geokern/fuzz"
