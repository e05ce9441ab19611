# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs at install time (cmake --install), after the programs are in place: the launchers in bin/
# and the desktop entry, both naming the prefix being installed to.
set(_root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")

file(MAKE_DIRECTORY "${_root}/bin")
foreach(_program yanzhou-sign yanzhou-sign-render)
  set(_link "${_root}/bin/${_program}")
  message(STATUS "Installing: ${_link}")
  file(REMOVE "${_link}")
  # Relative, so the tree still works when it is moved or staged with DESTDIR.
  file(CREATE_LINK "../${YZ_INSTALL_APP_DIR}/${_program}" "${_link}" SYMBOLIC)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${_link}")
endforeach()

# Exec takes the program quoted; within the quotes $ and ` need a backslash and % is doubled.
set(YZ_LAUNCHER "${CMAKE_INSTALL_PREFIX}/bin/yanzhou-sign")
if(YZ_LAUNCHER MATCHES "[\"\\\\\n]")
  message(FATAL_ERROR "A desktop entry cannot name a program under ${CMAKE_INSTALL_PREFIX}: the prefix holds a quote, backslash or line break")
endif()
string(REPLACE "%" "%%" _exec "${YZ_LAUNCHER}")
string(REGEX REPLACE "([$`])" "\\\\\\1" _exec "${_exec}")
set(YZ_LAUNCHER_EXEC "\"${_exec}\"")
string(REPLACE "%" "%%" YZ_LAUNCHER "${YZ_LAUNCHER}")  # TryExec is a plain string

set(_entry "${_root}/share/applications/${YZ_APP_ID}.desktop")
message(STATUS "Installing: ${_entry}")
configure_file("${YZ_DESKTOP_TEMPLATE}" "${_entry}" @ONLY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${_entry}")
