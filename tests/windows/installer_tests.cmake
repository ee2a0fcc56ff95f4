# SPDX-License-Identifier: MIT
# The installer and the portable zip. The installer test changes HKLM, the
# system folder and the screen saver, so it runs in a Wine session (prefix
# and Xvfb) of its own, apart from the other Windows tests.
set(installer_session_dir ${CMAKE_CURRENT_BINARY_DIR}/installer-session)
add_test(NAME installer_session_start COMMAND ${session} start ${installer_session_dir} 1280x800x24)
set_tests_properties(installer_session_start PROPERTIES FIXTURES_SETUP installer_session TIMEOUT 180
                     LABELS windows)
add_test(NAME installer_session_stop COMMAND ${session} stop ${installer_session_dir})
set_tests_properties(installer_session_stop PROPERTIES FIXTURES_CLEANUP installer_session TIMEOUT 60
                     LABELS windows)

add_executable(installer_test installer_test.cpp)
target_link_libraries(installer_test PRIVATE quorvana_wine_harness shell32 ole32 version)
add_dependencies(installer_test installer)
string(REPLACE "/" "\\" setup_wine "Z:${QUORVANA_SETUP}")
add_test(NAME installer_test
         COMMAND ${session} run ${installer_session_dir} $<TARGET_FILE:installer_test>
                 ${setup_wine} ${shipped_wine} ${QUORVANA_VERSION})
set_tests_properties(installer_test PROPERTIES FIXTURES_REQUIRED installer_session LABELS windows TIMEOUT 600)

add_test(NAME portable_zip COMMAND ${CMAKE_COMMAND} -E tar tf ${QUORVANA_PORTABLE_ZIP})
set_tests_properties(portable_zip PROPERTIES LABELS windows
                     PASS_REGULAR_EXPRESSION "^quorvana.scr\nREADME.txt\nLICENSE.txt\n$")
add_test(NAME portable_zip_readme COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/readme_txt_test.sh ${QUORVANA_PORTABLE_ZIP})
set_tests_properties(portable_zip_readme PROPERTIES LABELS windows)

# The README's screenshots, taken again from the real programs by
# scripts/screenshots.sh into this build folder; CI runs them once with
# -L screenshots. They need root and the native build (build/native) beside
# this one; without either the test is skipped.
add_test(NAME screenshots COMMAND ${PROJECT_SOURCE_DIR}/scripts/screenshots.sh ${CMAKE_CURRENT_BINARY_DIR}/screenshots)
set_tests_properties(screenshots PROPERTIES LABELS screenshots SKIP_RETURN_CODE 77 TIMEOUT 300
                     ENVIRONMENT "QUORVANA_WINDOWS_BUILD=${PROJECT_BINARY_DIR}")
