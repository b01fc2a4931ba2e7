#!/usr/bin/env bash
# Installs the packages that building and running need (scripts/install-deps.sh run), builds a
# release of Chronolien and starts it from its application folder build/app/.
# CHRONOLIEN_PACKAGES_ONLY=1 stops after the packages.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
[ "${CHRONOLIEN_PACKAGES_ONLY:-0}" = 1 ] && exit 0
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCHRONOLIEN_TESTS=OFF -DCHRONOLIEN_BENCH=OFF \
    -DCHRONOLIEN_WERROR=OFF
cmake --build build
exec build/app/chronolien
