# The Linux package: `cpack -G DEB` (or plain `cpack`) in the build folder makes
# verrask_VERSION_ARCH.deb with both programs under /usr/bin, the window's desktop entry and
# icons (installed by app/), its AppStream metainfo, the README and the licence in Debian's
# machine-readable copyright format. dpkg-shlibdeps (dpkg-dev) works out the libraries the
# programs need; the few things loaded only at run time are named here.
# Included from the top-level CMakeLists.txt on Linux, after every program's target exists.

install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION share/doc/verrask)

# /usr/share/doc/verrask/copyright, made from LICENSE: the same text, indented by one space,
# blank lines as " ." (the format's way of keeping a paragraph break inside a field).
set(verrask_licence_file ${PROJECT_SOURCE_DIR}/LICENSE)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${verrask_licence_file})
file(READ ${verrask_licence_file} verrask_licence)
if(NOT verrask_licence MATCHES "Copyright \\(c\\) ([^\n]+)\n+(.*)$")
  message(FATAL_ERROR "LICENSE: no line \"Copyright (c) YEAR HOLDER\" followed by the licence text")
endif()
set(verrask_copyright_holder "${CMAKE_MATCH_1}")
string(STRIP "${CMAKE_MATCH_2}" verrask_licence_text)
string(REGEX REPLACE "\n[ \t]*\n" "\n.\n" verrask_licence_text "${verrask_licence_text}")
string(REPLACE "\n" "\n " verrask_licence_text " ${verrask_licence_text}")
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/packaging/copyright CONTENT
  "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Verrask

Files: *
Copyright: ${verrask_copyright_holder}
License: Expat
${verrask_licence_text}
" @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/copyright DESTINATION share/doc/verrask)

# The metainfo describes the window; it names the desktop entry that app/ installs.
if(TARGET verrask)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/linux/org.verrask.Verrask.metainfo.xml
    DESTINATION share/metainfo)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME verrask)
set(CPACK_PACKAGE_VENDOR "The Verrask developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "flow net of steady seepage under a sheet-pile wall")
# The long description in lines of under 80 characters, as dpkg and apt show them.
set(CPACK_PACKAGE_DESCRIPTION
  "Verrask computes and draws the flow net of steady groundwater seepage
under a sheet-pile wall in a homogeneous pervious stratum, with optional
impervious blankets up- and downstream of the wall: shape factor, flow
channels, seepage discharge, the head-loss and stream-function fields,
design checks against the exit gradient, heave and uplift, and an HTML
report.

The package holds the window (verrask, Qt 6) and the batch tool
(verrask-cli).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Verrask developers")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TARGET verrask)
  # The window loads Tahoma from fonts-wine's folder by its path and falls back to a sans-serif
  # font without it; Qt's Wayland plugin is loaded only on a Wayland session.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-wine)
  set(CPACK_DEBIAN_PACKAGE_SUGGESTS qt6-wayland)
else()
  message(STATUS "No window: the Linux package will hold the batch tool alone")
endif()
include(CPack)
