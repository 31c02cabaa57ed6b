#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Gives every tracked source file an SPDX licence line at its top, so the licence travels with
# each file. Running it again changes nothing.
#   tools/spdx.sh [REPO]           add the line where it is missing
#   tools/spdx.sh --check [REPO]   list the files without it; exit 1 if there are any
# REPO defaults to this repository. Outside a git checkout there is no list of tracked files,
# and the tool exits 77 (skipped) without touching anything.
# Source files: C++ (// comments), and shell, Python and CMake (# comments, below a #! line).
# Data, documents and test fixtures carry no comment syntax of their own and are left alone.
set -euo pipefail

licence="MIT"
check=0
if [ "${1:-}" = "--check" ]; then
    check=1
    shift
fi
repo="${1:-$(dirname "$0")/..}"
if ! git -C "$repo" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    echo "spdx: $repo is not a git checkout; nothing to check" >&2
    exit 77
fi
cd "$(git -C "$repo" rev-parse --show-toplevel)"

# The comment that starts a line in FILE, or nothing when FILE is not a source file.
comment_for() {
    # The fuzzers' seeds are raw input; the CI entry point belongs to the CI set-up.
    case "$1" in tests/fuzz/corpus/* | .ci/*) return 0 ;; esac
    case "${1##*/}" in
    *.cpp | *.cc | *.c | *.h | *.hpp) echo "//" ;;
    *.sh | *.py | *.cmake | CMakeLists.txt) echo "#" ;;
    *.*) ;;
    *) [ "$(head -c 2 "$1")" = "#!" ] && echo "#" ;;
    esac
    return 0
}

has_line() { head -n 5 "$1" | grep -q "SPDX-License-Identifier:"; }

missing=0
while IFS= read -r -d '' file; do
    [ -f "$file" ] && [ ! -L "$file" ] || continue
    comment=$(comment_for "$file")
    [ -n "$comment" ] || continue
    has_line "$file" && continue
    missing=$((missing + 1))
    if [ "$check" -eq 1 ]; then
        echo "$file"
        continue
    fi
    line="$comment SPDX-License-Identifier: $licence"
    updated=$(mktemp)
    if [ "$(head -c 2 "$file")" = "#!" ]; then
        { head -n 1 "$file"; echo "$line"; tail -n +2 "$file"; } >"$updated"
    else
        { echo "$line"; cat "$file"; } >"$updated"
    fi
    cat "$updated" >"$file" # keeps the file's mode
    rm -f "$updated"
done < <(git ls-files -z)

if [ "$check" -eq 1 ]; then
    if [ "$missing" -gt 0 ]; then
        echo "spdx: $missing source files lack an SPDX-License-Identifier line; run tools/spdx.sh" >&2
        exit 1
    fi
    echo "spdx: every source file names its licence"
elif [ "$missing" -gt 0 ]; then
    echo "spdx: added the licence line to $missing files"
fi
