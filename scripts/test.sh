#!/usr/bin/env bash
# Builds Zintar for x86 and x64 and runs every test under wine on a display of its own.
# The last line is "N passed, N failed"; the exit code is non-zero on any failure.
# Extra arguments go to ctest (for example -R unit_tests).
set -u
source "$(dirname "$0")/common.sh"

ensure_build_tools || exit 1
ensure_wine_tools || exit 1

say "Building x86 (compile check)..."
build_zintar x86 -DZINTAR_TESTS=OFF || { echo "0 passed, 1 failed"; exit 1; }
say "Building x64 with tests..."
build_zintar x64 -DZINTAR_TESTS=ON -DZINTAR_BENCH=OFF || { echo "0 passed, 1 failed"; exit 1; }

begin_wine_run test || { echo "0 passed, 1 failed"; exit 1; }

mkdir -p "$run_dir/results"
export GTEST_OUTPUT="xml:Z:${run_dir}/results/"
ctest --test-dir "$ZINTAR_BUILD_DIR/x64" --output-on-failure -j1 ${ZINTAR_CTEST_FLAGS:-} "$@" </dev/null | tee "$run_dir/ctest.log"

# Count test cases from the GoogleTest reports; a test program that left no report (it crashed
# or timed out) counts as one failure.
passed=0
failed=0
while read -r name; do
    report="$run_dir/results/$name.xml"
    if [ -f "$report" ]; then
        read -r cases failures skipped < <(awk '
            /<testcase /{ n++; open = 1 }
            /<failure/{ if (open) { f++; open = 0 } }
            /<skipped/{ if (open) { s++; open = 0 } }
            END { print n + 0, f + 0, s + 0 }' "$report")
        passed=$((passed + cases - failures - skipped))
        failed=$((failed + failures))
    else
        say "$name left no report"
        failed=$((failed + 1))
    fi
done < <(ctest --test-dir "$ZINTAR_BUILD_DIR/x64" -N "$@" | sed -n 's/^ *Test *#[0-9]*: //p')

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && grep -q '100% tests passed' "$run_dir/ctest.log"
