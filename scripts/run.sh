#!/usr/bin/env bash
# Installs what is missing, builds Chronolien and starts it from its application folder build/app/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCHRONOLIEN_TESTS=OFF -DCHRONOLIEN_BENCH=OFF
cmake --build build
exec build/app/chronolien
