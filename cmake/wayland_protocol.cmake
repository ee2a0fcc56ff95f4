# SPDX-License-Identifier: MIT
# Wayland protocols as small static libraries, their C code generated at build
# time by wayland-scanner from the protocol descriptions Debian ships; the
# only run-time dependency is libwayland-client.
#
#   include(cmake/wayland_protocol.cmake)
#   quorvana_wayland_protocol(NAME XML [DEPENDS NAME...])
#
# makes the target wayland_protocol_NAME: NAME-protocol.c compiled, and
# NAME-client-protocol.h (#include "NAME-client-protocol.h") on its include
# path; it links PkgConfig::WAYLAND_CLIENT. DEPENDS names protocols whose
# interfaces this one's requests take (layer-shell's get_popup takes an
# xdg_popup: DEPENDS xdg-shell). Declaring the same NAME again, from any
# folder, is allowed and does nothing, so the front end and the tests each
# declare what they use.
#
# Where the descriptions are (found once, at configuration; missing ones stop
# it with the apt-get line that brings them):
#   QUORVANA_WAYLAND_PROTOCOLS_DIR  wayland-protocols' pkgdatadir: stable/xdg-shell,
#                                   stable/viewporter, staging/fractional-scale,
#                                   unstable/xdg-output, ...
#   QUORVANA_WLR_PROTOCOLS_DIR      wlroots' own: wlr-layer-shell-unstable-v1.xml (v4),
#                                   wlr-virtual-pointer-unstable-v1.xml, ... Debian 12
#                                   has them only in the Rust crate's sources
#                                   (librust-wayland-protocols-dev), under a folder
#                                   named by the crate's version: found by a glob.
include_guard(GLOBAL)

set(_quorvana_wayland_apt "apt-get install libwayland-dev wayland-protocols librust-wayland-protocols-dev")

find_package(PkgConfig REQUIRED)
pkg_check_modules(WAYLAND_CLIENT QUIET IMPORTED_TARGET GLOBAL wayland-client)
pkg_get_variable(_quorvana_wayland_scanner wayland-scanner wayland_scanner)
pkg_get_variable(_quorvana_wayland_protocols wayland-protocols pkgdatadir)
if(NOT WAYLAND_CLIENT_FOUND OR NOT _quorvana_wayland_scanner OR NOT _quorvana_wayland_protocols)
  message(FATAL_ERROR "The Wayland parts need libwayland-client, wayland-scanner and the protocol "
                      "descriptions of wayland-protocols. As root: ${_quorvana_wayland_apt}")
endif()
find_program(QUORVANA_WAYLAND_SCANNER NAMES wayland-scanner HINTS "${_quorvana_wayland_scanner}" REQUIRED)
# pkg-config says //usr/share/... for Debian's prefix.
cmake_path(SET _quorvana_wayland_protocols NORMALIZE "${_quorvana_wayland_protocols}")
set(QUORVANA_WAYLAND_PROTOCOLS_DIR "${_quorvana_wayland_protocols}" CACHE PATH
    "wayland-protocols' descriptions (stable/, staging/, unstable/)")

if(NOT QUORVANA_WLR_PROTOCOLS_DIR)
  file(GLOB _quorvana_wlr_dirs LIST_DIRECTORIES true
       /usr/share/cargo/registry/wayland-protocols-*/wlr-protocols/unstable)
  # Of several crate versions side by side, the newest.
  list(SORT _quorvana_wlr_dirs COMPARE NATURAL ORDER DESCENDING)
  list(POP_FRONT _quorvana_wlr_dirs _quorvana_wlr_dir)
  if(NOT EXISTS "${_quorvana_wlr_dir}/wlr-layer-shell-unstable-v1.xml")
    message(FATAL_ERROR "The layer-shell and virtual-pointer protocol descriptions are missing "
                        "(Debian ships them in librust-wayland-protocols-dev). As root: ${_quorvana_wayland_apt}\n"
                        "Elsewhere, point -DQUORVANA_WLR_PROTOCOLS_DIR= at a folder holding "
                        "wlr-layer-shell-unstable-v1.xml.")
  endif()
  set(QUORVANA_WLR_PROTOCOLS_DIR "${_quorvana_wlr_dir}" CACHE PATH
      "wlroots' protocol descriptions (wlr-layer-shell-unstable-v1.xml, ...)")
endif()

function(quorvana_wayland_protocol name xml)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "DEPENDS")
  set(target wayland_protocol_${name})
  if(TARGET ${target})
    return()
  endif()
  if(NOT EXISTS "${xml}")
    message(FATAL_ERROR "quorvana_wayland_protocol(${name}): no protocol description at ${xml}. "
                        "As root: ${_quorvana_wayland_apt}")
  endif()
  set(dir "${CMAKE_BINARY_DIR}/wayland-protocols")
  set(header "${dir}/${name}-client-protocol.h")
  set(code "${dir}/${name}-protocol.c")
  add_custom_command(
    OUTPUT "${header}" "${code}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${dir}"
    COMMAND ${QUORVANA_WAYLAND_SCANNER} client-header "${xml}" "${header}"
    # private-code: the interface tables stay inside the program, not
    # exported as a shared library's would be.
    COMMAND ${QUORVANA_WAYLAND_SCANNER} private-code "${xml}" "${code}"
    DEPENDS "${xml}"
    COMMENT "wayland-scanner: ${name}"
    VERBATIM)
  add_library(${target} STATIC "${code}" "${header}")
  set_target_properties(${target} PROPERTIES LINKER_LANGUAGE C)
  target_include_directories(${target} PUBLIC "${dir}")
  target_link_libraries(${target} PUBLIC PkgConfig::WAYLAND_CLIENT)
  foreach(dependency IN LISTS arg_DEPENDS)
    target_link_libraries(${target} PUBLIC wayland_protocol_${dependency})
  endforeach()
endfunction()
