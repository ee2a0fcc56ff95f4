# SPDX-License-Identifier: MIT
# cmake -DSHIPPED=FILE -DPROBED=FILE -DNAME=TEXT -P holds_no_test_aid.cmake
# Fails when the shipped program holds NAME (as UTF-16 or as bytes), or when
# the tests' variant does not: the search must find the name where it is.
function(holds file name result)
  file(READ ${file} contents HEX)
  string(HEX "${name}" bytes)
  string(REGEX REPLACE "(..)" "\\100" wide "${bytes}")
  string(FIND "${contents}" "${wide}" at_wide)
  string(FIND "${contents}" "${bytes}" at_bytes)
  if(at_wide EQUAL -1 AND at_bytes EQUAL -1)
    set(${result} FALSE PARENT_SCOPE)
  else()
    set(${result} TRUE PARENT_SCOPE)
  endif()
endfunction()

holds(${SHIPPED} "${NAME}" shipped)
holds(${PROBED} "${NAME}" probed)
if(shipped)
  message(FATAL_ERROR "${SHIPPED} holds \"${NAME}\", a test aid")
endif()
if(NOT probed)
  message(FATAL_ERROR "${PROBED} does not hold \"${NAME}\": the search is broken")
endif()
message(STATUS "${SHIPPED} holds no \"${NAME}\"; ${PROBED} does")
