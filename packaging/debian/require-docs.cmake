# SPDX-License-Identifier: MIT
# Read by cpack: a package without its manual pages and changelog would not
# be what Debian (and lintian) expect, so none is built.
if(NOT CPACK_QUORVANA_DOCS_BUILT)
  message(FATAL_ERROR "the package needs its manual pages: apt-get install help2man, then configure again")
endif()
