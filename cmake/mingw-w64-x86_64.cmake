# SPDX-License-Identifier: MIT
# Cross-builds the Windows saver with Debian's MinGW-w64 (g++-mingw-w64-x86-64).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
# Debian ships a win32-threads and a posix-threads flavour. The exporter's
# encoder threads need std::thread, which GCC 12 offers only in the posix
# flavour (its winpthreads is linked in statically like the rest).
find_program(CMAKE_C_COMPILER NAMES ${triple}-gcc-posix REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${triple}-g++-posix REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${triple}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# No DLL beside the .scr: the C and C++ runtimes are linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

find_program(WINE_PROGRAM NAMES wine64 wine)
if(WINE_PROGRAM)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_PROGRAM})
endif()
