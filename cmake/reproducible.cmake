# SPDX-License-Identifier: MIT
# Reproducible builds: the same commit built in any folder, at any time,
# gives the same bytes (scripts/release.sh --check proves it).
# - No build path in a binary: __FILE__ and debug information name the
#   source tree as "." and the build tree as "build". GCC tries the map
#   given last first, so the build tree (often inside the source) wins.
# - No link time in a PE header (quorvana.scr, the exporter).
# - QUORVANA_SOURCE_DATE_EPOCH, the time archives give their files: the
#   SOURCE_DATE_EPOCH of the environment (the release sets it to the last
#   commit's date), else the last commit's date, else 0.
add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.>"
                    "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_BINARY_DIR}=build>")
if(WIN32)
  add_link_options(LINKER:--no-insert-timestamp)
endif()

if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(QUORVANA_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                  OUTPUT_VARIABLE QUORVANA_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
                  ERROR_QUIET RESULT_VARIABLE git_failed)
  if(git_failed OR QUORVANA_SOURCE_DATE_EPOCH STREQUAL "")
    set(QUORVANA_SOURCE_DATE_EPOCH 0)
  endif()
endif()

