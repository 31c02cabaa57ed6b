#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package, checks its layout and dependencies, has lintian find no error or
# warning in it, unpacks it into a throwaway root, checks that its programs look for libraries
# only in absolute folders, and plays the unpacked game under a virtual display: it starts,
# finds its help file beside itself through the games/vantrel link, and ends on Exit.
#   package_test.sh BUILD_DIR VERSION
set -u
build="$1"
version="$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$build" && cpack -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/out/vantrel_*.deb) || fail "no package made"
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

listing=$(dpkg-deb -c "$deb")
for path in usr/lib/vantrel/vantrel usr/lib/vantrel/vantrel-help usr/lib/vantrel/vantrel-squadron \
    usr/lib/vantrel/elt1.wav \
    usr/lib/vantrel/qr64.HLP usr/share/applications/org.vantrel.Vantrel.desktop \
    usr/share/metainfo/org.vantrel.Vantrel.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/org.vantrel.Vantrel.svg \
    usr/share/icons/hicolor/48x48/apps/org.vantrel.Vantrel.png \
    usr/share/man/man6/vantrel.6.gz usr/share/man/man6/vantrel-help.6.gz \
    usr/share/man/man6/vantrel-squadron.6.gz \
    usr/share/doc/vantrel/copyright usr/share/doc/vantrel/changelog.gz; do
    grep -q " \./$path\$" <<<"$listing" || fail "the package lacks $path"
done
# A game lives in /usr/games, and only there.
grep -q " \./usr/games/vantrel -> \.\./lib/vantrel/vantrel\$" <<<"$listing" ||
    fail "no games/vantrel link"
grep -q " \./usr/bin/" <<<"$listing" && fail "a program in usr/bin"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
echo "depends: $depends"
for needed in fonts-liberation2 libqt6widgets6 libqt6multimedia6 libqt6sql6-sqlite \
    libqt6charts6 libpq5; do
    grep -q "$needed" <<<"$depends" || fail "does not depend on $needed"
done
[ "$(dpkg-deb -f "$deb" Recommends)" = "qt6-wayland" ] || fail "does not recommend qt6-wayland"

# Errors and warnings fail, and so does lintian failing to run; notes of lesser weight are
# printed for the reader.
command -v lintian >/dev/null || fail "lintian is not installed (./dev.sh test installs it)"
lintian --display-info --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1
status=$?
grep -v 'root privileges' "$work/lintian.log"
grep -q '^[EW]: ' "$work/lintian.log" && fail "lintian found errors or warnings"
[ "$status" -eq 0 ] || fail "lintian ended with status $status"

root="$work/root"
dpkg-deb -x "$deb" "$root" || fail "cannot unpack"
# The copyright file and the changelog are made at build time from the repository.
head -n 1 "$root/usr/share/doc/vantrel/copyright" |
    grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' ||
    fail "the copyright file is not machine-readable"
zcat "$root/usr/share/doc/vantrel/changelog.gz" >"$work/changelog"
[ "$(dpkg-parsechangelog -l "$work/changelog" -S Version)" = "$version" ] ||
    fail "the changelog's latest entry is not $version"
"$(dirname "$0")/runpath_check.sh" "$root" ||
    fail "a packaged program searches for libraries in a relative folder"
[ "$("$root/usr/games/vantrel" --version)" = "vantrel $version" ] || fail "vantrel --version"
cat >"$work/play.sh" <<'PLAY'
#!/usr/bin/env bash
# Runs inside the virtual display: start, ask for help, exit.
game="$1"
folder="$(dirname "$(readlink -f "$game")")"
"$game" 2>"$2" &
pid=$!
window=$(timeout 20 xdotool search --sync --name '^Vantrel$' | head -n 1)
[ -n "$window" ] || { echo "no window"; kill $pid; exit 1; }
height=$(xdotool getwindowgeometry --shell "$window" | sed -n 's/^HEIGHT=//p')
menu=$((height - 426)) # the client area is 426 pixels high below the menu bar
xdotool mousemove --window "$window" 276 $((407 + menu)) click 1 # Help
# The help viewer starts from the program's own folder, for the help file beside it.
viewer=""
for _ in $(seq 1 100); do
    for proc in /proc/[0-9]*; do
        mapfile -d '' args <"$proc/cmdline" 2>/dev/null || continue
        [ "${args[0]:-}" = "$folder/vantrel-help" ] || continue
        [ "${args[1]:-}" = "$folder/qr64.HLP" ] || { echo "help file ${args[1]:-}"; exit 1; }
        viewer=${proc#/proc/}
    done
    [ -n "$viewer" ] && break
    sleep 0.1
done
[ -n "$viewer" ] || { echo "Help did not start the viewer beside the game"; kill $pid; exit 1; }
xdotool mousemove --window "$window" 354 $((407 + menu)) click 1 # Exit
for _ in $(seq 1 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
kill -0 $pid 2>/dev/null && { echo "the game did not end on Exit"; kill $pid; exit 1; }
wait $pid || { echo "the game ended with status $?"; exit 1; }
kill -0 "$viewer" 2>/dev/null || { echo "Exit closed the help viewer"; exit 1; }
kill "$viewer"
PLAY
chmod +x "$work/play.sh"
# A display of Xvfb's own choosing: picking a free number first, as xvfb-run -a does, races with
# the other tests' displays.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 1 300); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
# A home of its own, so the player's saved zoom and place on this machine change nothing.
env -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME="$work" XDG_RUNTIME_DIR="$work" \
    DISPLAY=":$(head -n 1 "$work/display")" "$work/play.sh" "$root/usr/games/vantrel" \
    "$work/game.log" || {
    cat "$work/game.log"
    fail "the unpacked game did not start, open its help and end cleanly"
}
echo "ok: the unpacked game started, opened its help beside itself and ended on Exit"
