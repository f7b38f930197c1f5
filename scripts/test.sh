#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test: the unit and page tests under
# CTest (against SQLite and a PostgreSQL server started here on loopback), then the
# fuzz targets briefly under AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh

export QT_QPA_PLATFORM=offscreen
if [ -x scripts/pg-server.sh ]; then
  # Prints the export line for CLUB_TEST_PG; stops the server when this script ends.
  eval "$(scripts/pg-server.sh start)"
  trap 'scripts/pg-server.sh stop || true' EXIT
fi
# A test that fails is run once more before the run counts as failed: the device tests
# race real pseudo-terminals on a busy machine. Its first failure stays in the log.
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j"$(nproc)" --timeout 600 --repeat until-pass:2

if [ -x scripts/fuzz.sh ]; then
  bash scripts/fuzz.sh
fi
echo "All tests passed."
