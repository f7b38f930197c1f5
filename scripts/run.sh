#!/usr/bin/env bash
# Installs what is needed, builds, and starts clubmgr on the club folder ./club
# (or $CLUB_DIR), which is created and filled with a demo club the first time.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
CLUB_DIR=${CLUB_DIR:-$PWD/club}
if [ ! -f "$CLUB_DIR/Volaro_Europe.mdb" ]; then
  build/bin/clubmgr --club "$CLUB_DIR" --init-db --demo
fi
exec build/bin/clubmgr --club "$CLUB_DIR" "$@"
