#!/usr/bin/env bash
# clang-tidy over the project's own sources (not the generated moc files),
# with the checked-in .clang-tidy and the default build's compile commands.
# Prints every finding; fails if there is one.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/default
[ -f "$build/compile_commands.json" ] || { echo "configure first: cmake --preset default" >&2; exit 1; }
runner=$(command -v run-clang-tidy || command -v run-clang-tidy-14 || true)
[ -n "$runner" ] || { echo "run-clang-tidy is missing (package clang-tidy)" >&2; exit 1; }

log=$(mktemp)
status=0
"$runner" -quiet -p "$build" -j "$(nproc)" "$PWD/(platform|power|window|tests|bench)/.*\.cpp$" >"$log" 2>&1 || status=$?
grep -E '(warning|error):' "$log" || true
rm -f "$log"
[ "$status" -eq 0 ] && echo "clang-tidy: no findings"
exit "$status"
