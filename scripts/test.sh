#!/usr/bin/env bash
# Installs the packages that building and testing need (scripts/install-deps.sh test), builds
# Chronolien with AddressSanitizer and UndefinedBehaviorSanitizer and with warnings as errors,
# runs the fuzz targets for a bounded time (about a minute; CHRONOLIEN_FUZZ=0 leaves them out),
# then every test. Extra arguments go to ctest (e.g. -R settings_file) and leave the fuzzing out.
# CHRONOLIEN_PACKAGES_ONLY=1 stops after the packages.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
[ "${CHRONOLIEN_PACKAGES_ONLY:-0}" = 1 ] && exit 0
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCHRONOLIEN_SANITIZE=ON -DCHRONOLIEN_WERROR=ON
cmake --build build-test
if [ $# -eq 0 ] && [ "${CHRONOLIEN_FUZZ:-1}" != 0 ]; then
    scripts/fuzz.sh
fi
cd build-test
ctest --output-on-failure --timeout 600 "$@"
../scripts/test-share.sh
