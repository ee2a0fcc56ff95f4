# SPDX-License-Identifier: MIT
# Reproducible builds: the same commit built in any folder, at any time,
# gives the same bytes (scripts/release.sh --check proves it).
# - No build path in a binary: __FILE__ and debug information name the
#   source tree as "." and the build tree as "build". GCC tries the map
#   given last first, so the build tree (often inside the source) wins.
# - No link time in a PE header (quorvana.scr, the exporter).
# - QUORVANA_SOURCE_DATE_EPOCH, the time archives give their files: the
#   SOURCE_DATE_EPOCH of the environment (the release sets it to the last
#   commit's date), else the last commit's date when the sources are a
#   checkout of their own, else the time of configuring (a source archive
#   has no history). Never 0: the installer would install files dated 1970
#   and the zip, which cannot go back that far, would say 1980.
add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.>"
                    "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_BINARY_DIR}=build>")
if(WIN32)
  add_link_options(LINKER:--no-insert-timestamp)
endif()

if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(QUORVANA_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  # An archive unpacked inside someone else's checkout must not take that
  # checkout's last commit.
  execute_process(COMMAND git rev-parse --show-toplevel WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                  OUTPUT_VARIABLE checkout OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  file(REAL_PATH "${PROJECT_SOURCE_DIR}" sources)
  set(QUORVANA_SOURCE_DATE_EPOCH "")
  if(checkout AND EXISTS "${checkout}")
    file(REAL_PATH "${checkout}" checkout)
    if(checkout STREQUAL sources)
      execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                      OUTPUT_VARIABLE QUORVANA_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    endif()
  endif()
  if(NOT QUORVANA_SOURCE_DATE_EPOCH MATCHES "^[1-9][0-9]*$")
    string(TIMESTAMP QUORVANA_SOURCE_DATE_EPOCH "%s" UTC)
  endif()
endif()

