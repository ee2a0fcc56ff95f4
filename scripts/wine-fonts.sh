#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Lets the Wine prefix $WINEPREFIX (with $DISPLAY set as for any wine
# command) use Wine's own fonts. Run once per prefix, by
# tests/windows/wine-session and scripts/run-wine.sh.
#
# Why: Debian 12's fonts-wine puts Wine's fonts in /usr/share/wine/fonts, but
# its Wine 8 looks for them in "<data folder>\../fonts", a path that never
# resolves, and fontconfig does not know the folder. Without them Wine has no
# Marlett, the symbol font of the caption buttons, and draws their letters
# instead: the close box as "r", minimise, maximise and close as "0 1 r".
# Wine also reads the folders named in HKCU\Software\Wine\Fonts "Path".
set -euo pipefail
case ${1:-} in
"") ;;
-h | --help)
    echo "Usage: scripts/wine-fonts.sh"
    echo "Lets the Wine prefix \$WINEPREFIX use Wine's own fonts (fonts-wine), Marlett among them."
    exit 0
    ;;
*) echo "wine-fonts.sh: unknown argument '$1' (it takes none)" >&2; exit 2 ;;
esac
fonts=/usr/share/wine/fonts
[ -f "$fonts/marlett.ttf" ] || { echo "wine-fonts: $fonts/marlett.ttf is missing: apt-get install fonts-wine" >&2; exit 1; }
wine=$(command -v wine64 || command -v wine)
"$wine" reg add 'HKCU\Software\Wine\Fonts' /v Path /d "Z:${fonts//\//\\}" /f >/dev/null 2>&1
