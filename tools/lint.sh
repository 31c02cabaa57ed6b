#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Static analysis of our code. Exits non-zero on any finding.
#   tools/lint.sh          cppcheck (seconds; the test command runs it)
#   tools/lint.sh --tidy   cppcheck and clang-tidy with .clang-tidy (several minutes)
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t sources < <(git ls-files '*.cpp' | grep -vE '^tests/fuzz/')

python3 tools/check_rooms.py

echo "cppcheck on ${#sources[@]} files"
cppcheck --quiet --error-exitcode=1 --inline-suppr --library=qt --library=googletest \
    --std=c++20 --enable=warning,performance,portability \
    --suppress=missingIncludeSystem --suppress=unknownMacro -I src -I . "${sources[@]}"

if [ "${1:-}" = "--tidy" ]; then
    [ -f build/compile_commands.json ] || cmake -S . -B build -G Ninja >/dev/null
    cmake --build build >/dev/null # the generated Qt files must exist
    echo "clang-tidy on ${#sources[@]} files"
    run-clang-tidy -quiet -p build -j "$(nproc)" "${sources[@]}" 2>/dev/null |
        sed 's/\x1b\[[0-9;]*m//g' |
        grep -vE '^(clang-tidy|[0-9]+ warnings? generated|Suppressed|Use -header-filter)' \
            >build/clang-tidy.log || true
    if grep -E '(warning|error):' build/clang-tidy.log; then
        echo "clang-tidy: findings above (build/clang-tidy.log)"
        exit 1
    fi
fi
echo "lint: clean"
