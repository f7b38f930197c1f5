#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run and test.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends \
    build-essential cmake ninja-build pkg-config git ca-certificates \
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql \
    libqt6printsupport6 libgl-dev fonts-dejavu-core \
    libxlsxwriter-dev libzip-dev zlib1g-dev \
    googletest libgtest-dev libgmock-dev libbenchmark-dev \
    clang libclang-rt-14-dev \
    xvfb xauth poppler-utils python3 python3-openpyxl \
    postgresql postgresql-client
