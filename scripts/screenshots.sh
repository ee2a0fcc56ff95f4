#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The screenshots of docs/linux.md and docs/windows.md, taken from the real programs on virtual displays
# of their own, each cropped to its window:
#   windows-settings.png       quorvana.scr /c under Wine: the settings dialog, its live preview
#   installer-scope.png        Setup under Wine: the page that asks for whom to install
#   xscreensaver-settings.png  xscreensaver-settings with Quorvana chosen and its preview
#   xscreensaver-speed.png     Quorvana's settings there: the speed slider
#
# Usage: scripts/screenshots.sh [OUT_DIR]    (default: docs/screenshots)
#   QUORVANA_NATIVE_BUILD, QUORVANA_WINDOWS_BUILD: the build folders
#   (default build/native and build/windows, with the target installer built).
#
# Runs headless, as root: xscreensaver looks for a mode's settings only in
# /usr/share/xscreensaver/config, so Quorvana's are put there in a mount
# namespace of this script's own (the system's folder stays as it is), and
# the daemon and xscreensaver-settings, which refuse root, run as nobody with
# a HOME of their own. Every process it starts ends with it.
# Exit status: 0 done, 1 a screenshot could not be taken or Wine lacks the
# font of its caption buttons, 77 not root or a build missing (a skip for
# CTest).
set -euo pipefail
case ${1:-} in
-h | --help)
    cat <<'TEXT'
Usage: scripts/screenshots.sh [OUT_DIR]    (default: docs/screenshots)
Takes the documents' screenshots from the real programs on virtual displays:
the Windows settings dialog and Setup's scope page under Wine, and
xscreensaver-settings with Quorvana and its speed slider. Needs root and the
native and Windows builds (QUORVANA_NATIVE_BUILD, QUORVANA_WINDOWS_BUILD:
default build/native and build/windows, with the target installer built).
Exit status: 0 done, 1 a screenshot could not be taken, 77 not root or a
build missing.
TEXT
    exit 0
    ;;
esac

here=$(cd "$(dirname "$0")/.." && pwd)
native=${QUORVANA_NATIVE_BUILD:-$here/build/native}
windows=${QUORVANA_WINDOWS_BUILD:-$here/build/windows}

# Inside the namespace (see the end): Quorvana in xscreensaver-settings.
if [ "${1:-}" = --xscreensaver-inside ]; then
    out=$2 work=$3
    mount --bind "$work/config" /usr/share/xscreensaver/config
    Xvfb -displayfd 3 -screen 0 1024x700x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
    xvfb=$!
    # The programs first, then their display: what they started loses its
    # X connection and ends too.
    trap 'kill $(jobs -p | grep -vx "$xvfb") 2>/dev/null; sleep 1; kill "$xvfb"; wait' EXIT
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    DISPLAY=":$(cat "$work/display")"
    export DISPLAY
    # setpriv, unlike runuser, becomes the program: its process id is the job's.
    as_nobody() {
        setpriv --reuid=nobody --regid=nogroup --clear-groups \
            env HOME="$work/home" PATH="$work/bin:/usr/bin:/bin" DISPLAY="$DISPLAY" "$@"
    }
    as_nobody xscreensaver -no-splash >>"$work/xscreensaver.log" 2>&1 &
    sleep 2
    as_nobody xscreensaver-settings >>"$work/xscreensaver.log" 2>&1 &
    # The largest visible window of xscreensaver-settings other than $1.
    settings_window() {
        local w best='' area=0 WIDTH HEIGHT
        for w in $(xdotool search --onlyvisible --class '^xscreensaver-settings$' 2>/dev/null); do
            [ "$w" != "${1:-}" ] || continue
            eval "$(xdotool getwindowgeometry --shell "$w")"
            [ $((WIDTH * HEIGHT)) -gt "$area" ] && best=$w area=$((WIDTH * HEIGHT))
        done
        [ "$area" -gt 10000 ] && echo "$best"
    }
    wait_for_window() {  # WHAT [EXCLUDED]
        local w
        for _ in $(seq 300); do w=$(settings_window "${2:-}") && { echo "$w"; return; }; sleep 0.1; done
        echo "screenshots: $1 did not open; xscreensaver said:" >&2
        cat "$work/xscreensaver.log" >&2
        exit 1
    }
    capture_x() {  # WINDOW FILE: the screen cropped to the window, children included
        local X Y WIDTH HEIGHT
        eval "$(xdotool getwindowgeometry --shell "$1")"
        import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$2"
    }
    main=$(wait_for_window xscreensaver-settings)
    sleep 8  # the preview draws a good part of a picture
    capture_x "$main" "$out/xscreensaver-settings.png"
    xdotool windowfocus --sync "$main" key alt+s  # the "Settings..." button
    speed=$(wait_for_window "Quorvana's settings" "$main")
    xdotool windowmove --sync "$speed" 40 40 windowraise "$speed"  # placed beside the screen, with no window manager
    sleep 2
    capture_x "$speed" "$out/xscreensaver-speed.png"
    exit 0
fi

[ "$(id -u)" -eq 0 ] || { echo "screenshots: run as root (see the top of $0)" >&2; exit 77; }
for file in "$native/linux/quorvana" "$windows/quorvana.scr" "$windows"/QuorvanaSetup-*.exe; do
    [ -e "$file" ] || { echo "screenshots: $file is missing: build it first" >&2; exit 77; }
done
out=$(mkdir -p "${1:-$here/docs/screenshots}" && cd "${1:-$here/docs/screenshots}" && pwd)
work=$(mktemp -d)
chmod 755 "$work"
session=$here/tests/windows/wine-session
trap '"$session" stop "$work/wine" >/dev/null 2>&1 || true; rm -rf "$work"' EXIT

# Windows: one Wine session, a desktop of a plain colour that the crop removes.
"$session" start "$work/wine" 800x600x24 >/dev/null
in_wine() { "$session" exec "$work/wine" "$@"; }
# Wine draws the caption buttons (close, minimise, maximise) as symbols of
# Marlett; without that font it draws their letters ("r" for the close box),
# which no Windows user sees. Checked before any screenshot is written: the
# font must be in Wine's list of fonts, as Wine registers every font it loads.
if ! in_wine wine reg query 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' \
        /v 'Marlett (TrueType)' >/dev/null 2>&1; then
    echo "screenshots: Wine has no Marlett, the font of its caption buttons, which would show letters" \
         "(scripts/wine-fonts.sh lets Wine use fonts-wine's)" >&2
    exit 1
fi
capture_wine() {  # FILE: the desktop, cropped to the window on it
    in_wine import -window root "$work/desktop.png"
    convert "$work/desktop.png" -fuzz 2% -trim +repage "$1"
}
setups=("$windows"/QuorvanaSetup-*.exe)
"$session" run "$work/wine" "$windows/quorvana.scr" /c >/dev/null 2>&1 &
sleep 8
capture_wine "$out/windows-settings.png"
in_wine wineserver -k >/dev/null 2>&1 || true
sleep 1
"$session" run "$work/wine" "${setups[0]}" >/dev/null 2>&1 &
sleep 6
in_wine xdotool key Return  # Next, from the welcome page
sleep 2
capture_wine "$out/installer-scope.png"
in_wine wineserver -k >/dev/null 2>&1 || true

# X11: a user who registered Quorvana and chose it alone. nobody may not
# reach the build tree (under /root, say): it runs a copy of the saver.
mkdir "$work/home" "$work/config" "$work/bin"
chown nobody: "$work/home"
install -m 755 "$native/linux/quorvana" "$work/bin/quorvana"
runuser -u nobody -- env HOME="$work/home" PATH="$work/bin:/usr/bin:/bin" "$work/bin/quorvana" --register >/dev/null
entries_before_ours=$(awk '/^programs:/ { p = 1 } p' "$work/home/.xscreensaver" | grep -c '\\n\\$')
printf 'mode:\t\tone\nselected:\t%s\n' "$entries_before_ours" >>"$work/home/.xscreensaver"
cp /usr/share/xscreensaver/config/*.xml "$here/xscreensaver/quorvana.xml" "$work/config/"
chmod -R a+rX "$work/config"
unshare --mount --propagation private "$0" --xscreensaver-inside "$out" "$work"

# Small files: the pictures have few colours.
status=0
for name in windows-settings installer-scope xscreensaver-settings xscreensaver-speed; do
    file=$out/$name.png
    if [ ! -s "$file" ] || [ "$(identify -format '%k' "$file")" -lt 16 ]; then
        echo "screenshots: $file is missing or blank" >&2
        status=1
        continue
    fi
    mogrify -strip -define png:compression-level=9 "$file"
    echo "$file: $(identify -format '%wx%h' "$file"), $(($(stat -c %s "$file") / 1024)) KB"
done
exit $status
