# SPDX-License-Identifier: MIT
# quorvana.scr as the tests build it: the shipped program's own sources,
# compiled with QUORVANA_TEST_PROBE so that its fractal windows also answer
# the probe message of test_probe.h (the tests ask them for their timer
# period and for what their backing store holds). It is written to
# probed/quorvana.scr, keeping the file name and so the settings' key. The
# shipped quorvana.scr carries no probe, and a test makes sure of that.

# The sources of a target, as absolute paths.
function(quorvana_sources_of target out)
  get_target_property(sources ${target} SOURCES)
  get_target_property(dir ${target} SOURCE_DIR)
  list(TRANSFORM sources PREPEND ${dir}/ REGEX "^[^/]")
  set(${out} ${sources} PARENT_SCOPE)
endfunction()

quorvana_sources_of(quorvana_wnd wnd_sources)
add_library(quorvana_wnd_probed STATIC ${wnd_sources} julia_wnd_probe.cpp)
target_compile_definitions(quorvana_wnd_probed PUBLIC QUORVANA_TEST_PROBE)
target_link_libraries(quorvana_wnd_probed PUBLIC quorvana_fw quorvana_render)

quorvana_sources_of(quorvana program_sources)
quorvana_sources_of(quorvana_app_core app_sources)
quorvana_sources_of(quorvana_ui ui_sources)
add_executable(quorvana_probed WIN32 ${program_sources} ${app_sources} ${ui_sources})
target_link_libraries(quorvana_probed PRIVATE quorvana_fw_main quorvana_resources quorvana_wnd_probed
                      quorvana_fw quorvana_render)
set_target_properties(quorvana_probed PROPERTIES OUTPUT_NAME quorvana SUFFIX .scr
                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/probed)

# The probe's message name, as test_probe.h spells it, must not be in the
# shipped program; the tests' build must hold it (or the search is broken).
file(STRINGS test_probe.h probe_line REGEX "kProbeMessageName\\[\\] = L\"")
string(REGEX REPLACE ".*L\"([^\"]*)\".*" "\\1" probe_name "${probe_line}")
add_test(NAME shipped_program_has_no_probe
         COMMAND ${CMAKE_COMMAND} -DSHIPPED=$<TARGET_FILE:quorvana> -DPROBED=$<TARGET_FILE:quorvana_probed>
                 -DNAME=${probe_name} -P ${CMAKE_CURRENT_SOURCE_DIR}/holds_no_test_aid.cmake)
set_tests_properties(shipped_program_has_no_probe PROPERTIES LABELS windows)
