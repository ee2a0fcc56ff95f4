# SPDX-License-Identifier: MIT
# quorvana_runnable(VAR TARGET): sets VAR to a path that runs TARGET's program
# on the build machine with the arguments given, for the commands that call a
# program by path (help2man, the test scripts). Natively that is the program
# itself. In a cross build with an emulator (the arm64 preset's qemu) it is a
# script of the same file name, under <build>/runnable/, that runs the program
# under the emulator: it keeps the program's process id (exec), its standard
# streams, its status and the signals it ends by; CTest adds the emulator by
# itself only where a test's command is the target.
function(quorvana_runnable var target)
  if(NOT CMAKE_CROSSCOMPILING OR NOT CMAKE_CROSSCOMPILING_EMULATOR)
    set(${var} $<TARGET_FILE:${target}> PARENT_SCOPE)
    return()
  endif()
  set(command "")
  foreach(word IN LISTS CMAKE_CROSSCOMPILING_EMULATOR)
    string(APPEND command "'${word}' ")
  endforeach()
  set(script ${CMAKE_BINARY_DIR}/runnable/$<TARGET_FILE_NAME:${target}>)
  set(${var} ${script} PARENT_SCOPE)
  # One script per program, whichever folders ask for it.
  get_property(made GLOBAL PROPERTY quorvana_runnable_${target})
  if(made)
    return()
  endif()
  set_property(GLOBAL PROPERTY quorvana_runnable_${target} ON)
  file(GENERATE OUTPUT ${script}
       CONTENT "#!/bin/sh\n# ${target} under the emulator (cmake/runnable.cmake)\nexec ${command}'$<TARGET_FILE:${target}>' \"$@\"\n"
       FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endfunction()
