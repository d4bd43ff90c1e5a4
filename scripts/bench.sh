#!/usr/bin/env bash
# Builds Zintar as it ships (MinSizeRel, x86 and x64) with the benchmarks, runs them under wine on a
# display and prefix of its own, and prints one table of Zintar beside the floor programs. The same
# table goes to build/bench-results.txt. Extra arguments go to the benchmark driver, for example
# `--idle 10` (seconds each program idles; default 60), `--reps 5`, `--only startup,keys`.
set -u
source "$(dirname "$0")/common.sh"

ensure_build_tools || exit 1
ensure_wine_tools || exit 1

results=$ZINTAR_BUILD_DIR/bench-results.txt
# Build trees of their own, so that the test builds (tests on) are not reconfigured back and forth.
ZINTAR_BUILD_DIR=$ZINTAR_BUILD_DIR/bench
say "Building x86..."
build_zintar x86 -DZINTAR_TESTS=OFF -DZINTAR_BENCH=ON || exit 1
say "Building x64..."
build_zintar x64 -DZINTAR_TESTS=OFF -DZINTAR_BENCH=ON || exit 1

begin_wine_run bench || exit 1

table=$run_dir/table.txt
say "Running the benchmarks..."
wine "$ZINTAR_BUILD_DIR/x64/bin/zintar_bench.exe" --x86 "Z:$ZINTAR_BUILD_DIR/x86/bin/Zintar.exe" \
    --out "Z:$table" "$@" </dev/null >/dev/null || { say "The benchmark driver failed."; exit 1; }
[ -s "$table" ] || { say "The benchmark driver wrote no table."; exit 1; }

{
    echo "Zintar benchmarks, $(date -u '+%Y-%m-%d %H:%M UTC'); $(nproc) cores, $(uname -m)," \
        "$(wine --version 2>/dev/null | head -n 1)"
    echo "Medians; ratio = Zintar / floor; the floor is a program of ours doing the least the platform allows."
    cat "$table"
} >"$results"
cat "$results"
