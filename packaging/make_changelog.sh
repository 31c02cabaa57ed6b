#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Writes the package's Debian changelog, compressed the reproducible way (gzip -9n), from the
# git history: one entry for this version, one line per change, newest first, dated by the
# last change. A source tree without its own git history (an unpacked release tarball) gets
# one line for the version instead, dated by its release date. OUT is rewritten only when its
# contents change, so a build with nothing new does not repackage.
#   make_changelog.sh SOURCE_DIR VERSION RELEASE_DATE MAINTAINER OUT
set -euo pipefail
src="$1" version="$2" release_date="$3" maintainer="$4" out="$5"
export LC_ALL=C TZ=UTC
text=$(mktemp)
trap 'rm -f "$text" "$text.gz"' EXIT

# Only the history of this very tree counts: an unpacked tarball may sit inside another
# repository, whose history is not ours.
own_history() {
    command -v git >/dev/null || return 1
    local top
    top=$(git -C "$src" rev-parse --show-toplevel 2>/dev/null) || return 1
    [ "$(readlink -f "$top")" = "$(readlink -f "$src")" ] || return 1
    git -C "$src" rev-parse -q --verify HEAD >/dev/null
}

# Each change as a bullet, wrapped within 80 columns.
bullets() {
    while IFS= read -r line; do
        [ -n "$line" ] || continue
        fold -s -w 74 <<<"$line" | sed -e 's/ *$//' -e '1s/^/  * /' -e '2,$s/^/    /'
    done
}

if own_history; then
    changes=$(git -C "$src" log --no-merges --format=%s HEAD)
    date=$(git -C "$src" log -1 --format=%cd --date='format-local:%a, %d %b %Y %H:%M:%S +0000')
else
    changes="Version $version, built from a source tree without its git history."
    date=$(date -u -d "$release_date 12:00" '+%a, %d %b %Y %H:%M:%S +0000')
fi

{
    echo "vantrel ($version) unstable; urgency=medium"
    echo
    bullets <<<"$changes"
    echo
    echo " -- $maintainer  $date"
} >"$text"

gzip -9n -c "$text" >"$text.gz"
cmp -s "$text.gz" "$out" || mv "$text.gz" "$out"
