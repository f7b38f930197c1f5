#!/usr/bin/env bash
# Builds the libFuzzer targets with clang under AddressSanitizer and UBSan in a separate
# build folder (build-fuzz) and runs each briefly from its seed corpus.
#   FUZZ_SECONDS  time per target (default 20)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${FUZZ_BUILD_DIR:-build-fuzz}
SECONDS_PER_TARGET=${FUZZ_SECONDS:-20}
JOBS=${FUZZ_JOBS:-2}

cmake -S . -B "$BUILD_DIR" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer" \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer" \
  -DCLUB_FUZZ=ON -DCLUB_BUILD_GUI=OFF -DCLUB_BUILD_BENCH=OFF >/dev/null

targets=(fuzz_frame_receiver fuzz_wire_receiver fuzz_hex_to_bin fuzz_device_link fuzz_newer_devices
  fuzz_older_devices fuzz_newer_answers fuzz_older_answers)
cmake --build "$BUILD_DIR" --target "${targets[@]}" -j"$JOBS"

export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
for t in "${targets[@]}"; do
  seeds="fuzz/corpus/${t#fuzz_}"
  work="$BUILD_DIR/corpus/${t#fuzz_}"
  mkdir -p "$work"
  log="$BUILD_DIR/$t.log"
  echo "== $t for ${SECONDS_PER_TARGET}s"
  # A finding leaves its input as crash-*/leak-*/timeout-* in $BUILD_DIR.
  if ! "$BUILD_DIR/bin/$t" -max_total_time="$SECONDS_PER_TARGET" -max_len=400 -timeout=5 \
      -artifact_prefix="$BUILD_DIR/" -print_final_stats=1 "$work" "$seeds" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz target $t failed (full log: $log)" >&2
    exit 1
  fi
  grep -E '^stat::(number_of_executed_units|new_units_added)' "$log" || true
done
echo "fuzz targets ran clean"
