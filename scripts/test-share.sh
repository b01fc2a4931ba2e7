#!/usr/bin/env bash
# Prints the tests' share of the C++: the non-blank lines of the .cpp and .h files that git tracks
# under tests/, against those under src/ and tests/ together. The aim is a third at the most.
# Folders or files given as arguments are counted too, each on a line of its own, to measure a part
# of the tests: scripts/test-share.sh tests/ui tests/core
set -euo pipefail
cd "$(dirname "$0")/.."

# Non-blank lines of the tracked .cpp and .h files under the given paths.
lines() {
    git ls-files -z -- "$@" | { grep -zE '\.(cpp|h)$' || true; } | xargs -0r cat | grep -c '[^[:space:]]' || true
}

tests=$(lines tests)
src=$(lines src)
for part in "$@"; do
    echo "$part: $(lines "$part") lines"
done
awk -v t="$tests" -v s="$src" 'BEGIN {
    share = 100 * t / (t + s)
    printf "tests: %d lines of %d (src %d): %.1f %% of the C++ (at most 33.3 %% wanted)\n", t, t + s, s, share
}'
