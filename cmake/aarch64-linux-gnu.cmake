# SPDX-License-Identifier: MIT
# Cross-builds the Linux programs for arm64 (Raspberry Pi 4 and 5, ARM
# laptops and servers) with Debian's cross toolchain (crossbuild-essential-arm64)
# against the :arm64 libraries of Debian's multiarch (dpkg --add-architecture
# arm64): headers are shared in /usr/include, libraries live in
# /usr/lib/aarch64-linux-gnu, which CMake searches once it knows the target.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(triple aarch64-linux-gnu)
find_program(CMAKE_C_COMPILER NAMES ${triple}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${triple}-g++ REQUIRED)
set(CMAKE_LIBRARY_ARCHITECTURE ${triple})
# GCC and clang fuse a multiply and an add into one rounding by default on
# arm64, which changes the pictures. The project forbids it for its own
# targets; the toolchain forbids it for anything else built with it.
set(CMAKE_C_FLAGS_INIT -ffp-contract=off)
set(CMAKE_CXX_FLAGS_INIT -ffp-contract=off)

# pkg-config reads the arm64 .pc files only, never the build machine's.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/${triple}/pkgconfig:/usr/share/pkgconfig)
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

# The package Debian installs these programs from.
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE arm64)

# Tests and the manual pages run the programs under user-mode emulation
# (qemu-user-static), nothing through binfmt_misc. The loader and C library
# are libc6:arm64's, in /lib/ld-linux-aarch64.so.1 and /lib/${triple}, as on a
# Raspberry Pi: the cross toolchain's own under /usr/${triple} (-L there) may
# be an older build than the libc6:arm64 that the :arm64 libraries bring, and
# the loader of one with the C library of the other hangs at the first thread.
find_program(QEMU_AARCH64 NAMES qemu-aarch64-static qemu-aarch64)
if(QEMU_AARCH64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QEMU_AARCH64} -L /)
endif()
