#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The licence-line tool on a throwaway repository: each kind of source file gets the line in
# its own comment syntax (below a #! line), data files are left alone, a second run changes
# nothing, and --check lists exactly the files still without it.
#   spdx_tool_test.sh TOOL
set -u
tool="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { printf "FAIL: %b\n" "$*"; exit 1; }

repo="$work/repo"
mkdir -p "$repo/src" "$repo/tests/fuzz/corpus/x" "$repo/cmake"
cd "$repo" || exit 1
git init -q .
printf '#include <cstdio>\nint main() {}\n' >src/main.cpp
printf '#pragma once\n' >src/a.h
printf '#!/usr/bin/env bash\necho hi\n' >run.sh
printf 'echo sourced\n' >env.sh
printf '#!/usr/bin/env python3\nprint(1)\n' >check-things
printf 'project(x)\n' >CMakeLists.txt
printf 'set(A 1)\n' >cmake/extra.cmake
printf '// SPDX-License-Identifier: MIT\nint x;\n' >src/done.cpp
printf 'seed\n' >tests/fuzz/corpus/x/seed0
printf '# Title\n' >README.md
printf 'plain words\n' >LICENSE
printf 'click cmdGo\n' >tests/play.vts
chmod +x run.sh check-things
printf 'int untracked;\n' >untracked.cpp
git add -- * && git reset -q untracked.cpp

out=$("$tool" --check "$repo" 2>&1)
[ $? -eq 1 ] || fail "--check passed files without the line"
listed=$(grep -v '^spdx:' <<<"$out" | sort | tr '\n' ' ')
wanted="CMakeLists.txt check-things cmake/extra.cmake env.sh run.sh src/a.h src/main.cpp "
[ "$listed" = "$wanted" ] || fail "--check listed [$listed], wanted [$wanted]"

"$tool" "$repo" >/dev/null || fail "adding the lines failed"
expect() { # FILE CONTENT
    [ "$(cat "$1")" = "$(printf '%b' "$2")" ] || fail "$1 reads:\n$(cat "$1")"
}
expect src/main.cpp '// SPDX-License-Identifier: MIT\n#include <cstdio>\nint main() {}'
expect src/a.h '// SPDX-License-Identifier: MIT\n#pragma once'
expect run.sh '#!/usr/bin/env bash\n# SPDX-License-Identifier: MIT\necho hi'
expect env.sh '# SPDX-License-Identifier: MIT\necho sourced'
expect check-things '#!/usr/bin/env python3\n# SPDX-License-Identifier: MIT\nprint(1)'
expect CMakeLists.txt '# SPDX-License-Identifier: MIT\nproject(x)'
expect cmake/extra.cmake '# SPDX-License-Identifier: MIT\nset(A 1)'
expect src/done.cpp '// SPDX-License-Identifier: MIT\nint x;'
expect tests/fuzz/corpus/x/seed0 'seed'
expect README.md '# Title'
expect LICENSE 'plain words'
expect tests/play.vts 'click cmdGo'
expect untracked.cpp 'int untracked;'
[ -x run.sh ] && [ -x check-things ] || fail "adding the line lost the executable bit"

before=$(git diff | sha256sum)
"$tool" "$repo" >/dev/null || fail "the second run failed"
[ "$(git diff | sha256sum)" = "$before" ] || fail "the second run changed files again"
"$tool" --check "$repo" >/dev/null 2>&1 || fail "--check fails after the lines were added"

"$tool" --check "$work" >/dev/null 2>&1
[ $? -eq 77 ] || fail "outside a git checkout the check is not skipped"
echo "ok: the licence lines go where each file's syntax wants them, once"
