#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang and runs each for a bounded time
# (CHRONOLIEN_FUZZ_SECONDS, 15 by default), starting from the seeds beside them. Exits non-zero
# when a target crashes, leaks or breaks one of its checks; the input that did it is kept in
# build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${CHRONOLIEN_FUZZ_SECONDS:-15}"
targets=(fuzz_extract_headers fuzz_mail_date fuzz_list_sizes fuzz_reply_assembler)

if ! command -v clang++ >/dev/null; then
    echo "fuzz: clang++ is missing (Debian packages clang, libclang-rt-14-dev)" >&2
    exit 1
fi
cmake -S tests/fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build-fuzz

mkdir -p build-fuzz/findings
status=0
for target in "${targets[@]}"; do
    corpus="build-fuzz/corpus/$target"
    mkdir -p "$corpus"
    echo "fuzz: $target for ${seconds}s"
    # The sanitizers' reports go to the target's log; only its summary is shown unless it fails.
    if ! ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "build-fuzz/$target" "$corpus" "tests/fuzz/seeds/$target" \
        -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -timeout=10 \
        -artifact_prefix="build-fuzz/findings/$target-" -print_final_stats=1 \
        >"build-fuzz/$target.log" 2>&1; then
        echo "fuzz: $target FAILED" >&2
        tail -n 60 "build-fuzz/$target.log" >&2
        status=1
    else
        grep -E '^(stat::number_of_executed_units|Done )' "build-fuzz/$target.log" || true
    fi
done
if [ "$status" -eq 0 ]; then
    echo "fuzz: ${#targets[@]} targets ran ${seconds}s each without a crash"
fi
exit "$status"
