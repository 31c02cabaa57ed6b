#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The package's changelog, made from the git history: a valid Debian changelog for this
# version, newest change first, within 80 columns, dated by the last commit, and the same bytes
# every time. A source tree without its own history (an unpacked tarball, even one sitting
# inside another repository) gets one line dated by the release.
#   changelog_test.sh MAKE_CHANGELOG
set -u
make_changelog="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
maintainer="The Vantrel developers <developers@vantrel.org>"
make() { "$make_changelog" "$1" 2.5 2031-03-04 "$maintainer" "$2" || fail "no changelog for $1"; }
field() { zcat "$1" >"$work/text" && dpkg-parsechangelog -l "$work/text" -S "$2"; }

repo="$work/repo"
git init -q "$repo"
commit() { # DATE SUBJECT
    GIT_COMMITTER_DATE="$1" GIT_AUTHOR_DATE="$1" git -C "$repo" -c user.name=t \
        -c user.email=t@example.org commit -q --allow-empty -m "$2"
}
commit "2031-03-01T10:00:00+02:00" "Fly the first step"
long="Keep every line of a long change within eighty columns, so the changelog reads well in a terminal and lintian accepts it"
commit "2031-03-02T23:30:00-05:00" "$long"

make "$repo" "$work/a.gz"
[ "$(field "$work/a.gz" Version)" = "2.5" ] || fail "version"
[ "$(field "$work/a.gz" Distribution)" = "unstable" ] || fail "distribution"
[ "$(field "$work/a.gz" Maintainer)" = "$maintainer" ] || fail "maintainer"
# The last commit's time, in UTC.
[ "$(field "$work/a.gz" Date)" = "Mon, 03 Mar 2031 04:30:00 +0000" ] ||
    fail "date $(field "$work/a.gz" Date)"
changes=$(field "$work/a.gz" Changes | tr -s ' \n' ' ')
[[ "$changes" == *"* Keep every line"*"lintian accepts it * Fly the first step"* ]] ||
    fail "changes, newest first: $changes"
awk 'length($0) > 80 && !/^ -- / { bad = 1 } END { exit bad }' "$work/text" ||
    fail "a line longer than 80 columns"
make "$repo" "$work/b.gz"
cmp -s "$work/a.gz" "$work/b.gz" || fail "two runs gave different bytes"

# Rewritten only when it reads differently, so an unchanged build does not repackage.
touch -d 2000-01-01 "$work/b.gz"
make "$repo" "$work/b.gz"
[ "$(stat -c %Y "$work/b.gz")" = "$(date -d 2000-01-01 +%s)" ] || fail "rewritten unchanged"

for tree in "$work/tarball" "$repo/unpacked"; do
    mkdir -p "$tree"
    make "$tree" "$work/c.gz"
    [ "$(field "$work/c.gz" Version)" = "2.5" ] || fail "version without history"
    [ "$(field "$work/c.gz" Date)" = "Tue, 04 Mar 2031 12:00:00 +0000" ] ||
        fail "date without history: $(field "$work/c.gz" Date)"
    [ "$(zcat "$work/c.gz" | grep -c '^  \* ')" = 1 ] || fail "$tree took another history"
done
echo "ok: the changelog reads as Debian wants, from the history or without it"
