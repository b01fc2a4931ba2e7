#!/usr/bin/env bash
# Times one mail check of 5 accounts x 30 messages against a private Dovecot on loopback beside a
# minimal POP3 client sending the same commands, and prints both medians and their ratio.
#
#   bench/run_mail_bench.sh          # 7 rounds
#   ROUNDS=15 bench/run_mail_bench.sh
#
# It builds its own optimised tree in build-bench/ (no sanitizers). Dovecot comes from
# scripts/install-deps.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
ROUNDS=${ROUNDS:-7}

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DCHRONOLIEN_TESTS=OFF -DCHRONOLIEN_BENCH=ON >/dev/null
cmake --build build-bench --target bench_mail_check >&2
build-bench/bench/bench_mail_check "$ROUNDS"
