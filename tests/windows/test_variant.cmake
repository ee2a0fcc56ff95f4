# SPDX-License-Identifier: MIT
# quorvana.scr as the tests build it: the shipped program's own libraries,
# linked with the tests' window observer (probe_observer.cpp) in place of
# the shipped one, so that its fractal windows also answer the probe message
# of test_probe.h (the tests ask them for their timer period, for what their
# backing store holds and for their picture's constant) and its saver draws
# from a seed the tests know. It is written to probed/quorvana.scr, keeping
# the file name and so the settings' key. The shipped quorvana.scr carries no
# probe, and a test makes sure of that.

# The observer as an object library: its bodies are linked whole and first.
# The tests that make windows in their own process link it too.
add_library(quorvana_probe_observer OBJECT probe_observer.cpp)
target_link_libraries(quorvana_probe_observer PUBLIC quorvana_wnd_core)

get_target_property(program_sources quorvana SOURCES)
list(TRANSFORM program_sources PREPEND ${PROJECT_SOURCE_DIR}/app/)
add_executable(quorvana_probed WIN32 ${program_sources})
target_link_libraries(quorvana_probed PRIVATE quorvana_fw_main quorvana_resources quorvana_app_core
                      quorvana_probe_observer)
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
