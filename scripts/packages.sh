# SPDX-License-Identifier: MIT
# The Debian packages each part of the build needs, and one function that
# installs what is missing (as root) or says what to install (otherwise).
# Sourced by run.sh, test.sh and .ci/run.

# zlib: the exporter's PNG encoder; xxhash.h: the picture hash; libwebp: its
# WebP recordings; libpng: the tests read the exported PNGs back with it;
# libxrandr and libxinerama: the monitors the full-screen saver covers.
# libx11-xcb and libxcb-shm: the window's image handed to the X server as a memory file.
# libacl: a file written whole keeps its access control list (common/whole_file.h);
# acl and attr (setfacl, getfattr): the tests give files ACLs and attributes and compare them.
NATIVE_PACKAGES=(cmake g++ make pkg-config zlib1g-dev libxxhash-dev libwebp-dev libpng-dev libgtest-dev
                 libgmock-dev libbenchmark-dev libx11-dev libxext-dev libxrandr-dev libxinerama-dev
                 libx11-xcb-dev libxcb-shm0-dev libacl1-dev acl attr)
# The Wayland front end and its tests' clients: libwayland-dev (libwayland-client,
# the one Wayland library at run time, and wayland-scanner, which writes the
# protocol code at build time) and the protocol descriptions: wayland-protocols
# (xdg-shell, xdg-output, viewporter, fractional-scale) and, for wlroots' own
# (layer-shell, virtual-pointer), librust-wayland-protocols-dev, the one Debian
# 12 package that ships them (cmake/wayland_protocol.cmake finds both).
WAYLAND_PACKAGES=(libwayland-dev wayland-protocols librust-wayland-protocols-dev)
# The Wayland tests (tests/wayland): a headless sway as the compositor, with
# Xwayland for the X11 path; wtype makes the seat's keyboard and types keys;
# swayidle is the idle daemon README's line starts the saver with; grim takes
# an output's screenshot, imagemagick reads it; jq reads sway's answers (the
# seat, window sizes); procps (pgrep) finds what sway started; weston is the
# compositor without layer-shell that the fallback to X11 is tried on; swaybg
# is the background client the live wallpaper must show above.
# The desktops people run, headless (tests/wayland/desktop_smoke.sh and a
# harness each): kwin-wayland (Plasma's compositor) with
# plasma-wayland-protocols (fake-input, the tests' pointer and keyboard there),
# kscreen (kscreen-doctor changes its outputs) and qtwayland5 (the Qt platform
# kscreen-doctor needs to reach it); gnome-shell (mutter); cage (the wlroots
# kiosk); Weston's X11 backend runs in xvfb and takes its pointer and keyboard
# from it, driven by xdotool, its windows found by xwininfo (x11-utils);
# python3-dbus asks KWin and GNOME Shell for screenshots, input and outputs;
# dbus (dbus-daemon) gives each session its own buses.
WAYLAND_TEST_PACKAGES=(sway swaybg xwayland wtype swayidle grim jq imagemagick procps weston
                       kwin-wayland plasma-wayland-protocols kscreen qtwayland5 gnome-shell cage
                       xvfb xdotool x11-utils python3-dbus dbus)
# xserver-xephyr lays out the several monitors (Xinerama heads) of the
# multi-monitor tests; xscreensaver is the daemon one of them runs;
# x11-xserver-utils (xrandr -s) changes a resizeable Xephyr's screen size
# under the full-screen saver (Xvfb's RandR offers one size only);
# libxml2-utils (xmllint) reads the settings file xscreensaver-settings shows.
X11_TEST_PACKAGES=(xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick xserver-xephyr xscreensaver procps
                   libxml2-utils)
# run.sh --screenshot: a virtual display (xvfb-run needs xauth) and import.
SCREENSHOT_PACKAGES=(xvfb xauth imagemagick)
# The Debian package and its tests: help2man makes the man pages from --help;
# dpkg-dev (dpkg-shlibdeps) and file let CPack derive Depends from the
# binaries; lintian, groff-base and man-db check the package and its pages;
# xscreensaver is the real daemon the installed package is run with; procps
# (pgrep) finds the display mode it started.
PACKAGE_PACKAGES=(help2man dpkg-dev file lintian groff-base man-db xscreensaver procps)
# The release (scripts/release.sh --check) and README's installation commands
# (tests/release): unzip opens the release's zip; diffoscope-minimal explains
# a difference between two builds; xsecurelock runs the display mode under
# its lock on Xvfb; sway (headless), swayidle, xwayland and grim run
# quorvana --fullscreen on Wayland and take its screenshot.
RELEASE_PACKAGES=(unzip diffoscope-minimal xsecurelock sway swayidle xwayland grim imagemagick procps)
# The fuzzers and soaks (scripts/stress.sh, the fuzz preset): clang with
# libFuzzer and the sanitizers' run-time libraries, which Debian's clang only
# recommends; llvm for llvm-symbolizer, so sanitizer reports name functions
# and lines.
FUZZ_PACKAGES=(clang libclang-rt-14-dev llvm)
# Wine's X11 driver and its fonts are only recommended by Debian's wine
# packages; the saver's windows and dialogs need them under a bare Xvfb.
# fonts-wine holds Marlett, the symbols of the caption buttons, which Wine 8
# finds only when scripts/wine-fonts.sh names its folder.
# nsis builds the Windows installer, zip the portable zip (with no extra
# fields, so it is reproducible); libz-mingw-w64-dev is the zlib that the
# Windows exporter links (Wine itself brings only its run-time DLL).
# xserver-xephyr: the saver on several monitors is tested on Xephyr's
# Xinerama heads, which Wine takes as monitors.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 libz-mingw-w64-dev nsis zip wine wine64 fonts-wine fonts-liberation
                  libxrender1 libxrandr2 libxcursor1 libxi6 libxcomposite1 libxinerama1 libxfixes3 libxxf86vm1
                  xvfb xauth xdotool imagemagick xserver-xephyr)

# The arm64 build (cmake --preset arm64) and its tests: Debian's cross
# toolchain; the arm64 libraries of every -dev package above and of
# libwayland-dev (the other Wayland packages are descriptions, the same for
# every architecture), from Debian's multiarch (need_packages adds the
# architecture); qemu-user-static runs the arm64 programs; mmdebstrap unpacks the arm64 root the package is tried in.
ARM64_PACKAGES=(crossbuild-essential-arm64 qemu-user-static mmdebstrap)
for p in "${NATIVE_PACKAGES[@]}" libwayland-dev; do [[ $p != *-dev ]] || ARM64_PACKAGES+=("$p:arm64"); done

need_packages() {
    local missing=() architectures=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    # Packages of another architecture (name:arch) need it added to dpkg first.
    for p in "${missing[@]}"; do
        [[ $p != *:* ]] || [ "${p#*:}" = "$(dpkg --print-architecture)" ] ||
            dpkg --print-foreign-architectures | grep -qx "${p#*:}" || architectures+=("${p#*:}")
    done
    mapfile -t architectures < <(printf '%s\n' "${architectures[@]}" | sort -u | sed '/^$/d')
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing Debian packages. Install them as root, then run this again:" >&2
        for p in "${architectures[@]}"; do echo "  dpkg --add-architecture $p" >&2; done
        [ ${#architectures[@]} -eq 0 ] || echo "  apt-get update" >&2
        echo "  apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing ${missing[*]} ..." >&2
    export DEBIAN_FRONTEND=noninteractive
    for p in "${architectures[@]}"; do dpkg --add-architecture "$p"; done
    # Another apt run on the machine (a second checkout's script) may hold the lock for a while.
    apt-get -o DPkg::Lock::Timeout=600 update -qq
    apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}" >&2
}
