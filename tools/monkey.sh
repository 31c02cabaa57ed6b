#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The long monkey run: a million random events on the sanitizer build.
#   tools/monkey.sh [EVENTS] [SEED]
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=../tests/sanitizers/environment.sh
source tests/sanitizers/environment.sh
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_SANITIZE=ON \
    -DVANTREL_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-asan --target vantrel-monkey
seed="${2:-$RANDOM$RANDOM}"
time build-asan/bin/vantrel-monkey --events "${1:-1000000}" --seed "$seed"
