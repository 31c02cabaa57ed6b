#!/usr/bin/env bash
# Builds the Debian package, checks its layout and dependencies, unpacks it into a throwaway
# root, and plays the unpacked game under a virtual display: it starts, finds its help file
# beside itself through the bin/vantrel link, and ends on Exit.
#   package_test.sh BUILD_DIR
set -u
build="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$build" && cpack -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/out/vantrel_*.deb) || fail "no package made"
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

listing=$(dpkg-deb -c "$deb")
for path in usr/lib/vantrel/vantrel usr/lib/vantrel/vantrel-help usr/lib/vantrel/elt1.wav \
    usr/lib/vantrel/qr64.HLP usr/share/applications/org.vantrel.Vantrel.desktop \
    usr/share/metainfo/org.vantrel.Vantrel.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/org.vantrel.Vantrel.svg \
    usr/share/icons/hicolor/48x48/apps/org.vantrel.Vantrel.png; do
    grep -q " \./$path\$" <<<"$listing" || fail "the package lacks $path"
done
grep -q " \./usr/bin/vantrel -> \.\./lib/vantrel/vantrel\$" <<<"$listing" || fail "no bin/vantrel link"
depends=$(dpkg-deb -f "$deb" Depends)
echo "depends: $depends"
for needed in fonts-liberation2 libqt6widgets6 libqt6multimedia6; do
    grep -q "$needed" <<<"$depends" || fail "does not depend on $needed"
done
[ "$(dpkg-deb -f "$deb" Recommends)" = "qt6-wayland" ] || fail "does not recommend qt6-wayland"

root="$work/root"
dpkg-deb -x "$deb" "$root" || fail "cannot unpack"
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
XDG_RUNTIME_DIR="$work" xvfb-run -a -s "-screen 0 1024x768x24" \
    "$work/play.sh" "$root/usr/bin/vantrel" "$work/game.log" || {
    cat "$work/game.log"
    fail "the unpacked game did not start, open its help and end cleanly"
}
echo "ok: the unpacked game started, opened its help beside itself and ended on Exit"
