# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

# The Debian package: after the normal build, `cpack -G DEB` in the build tree makes
# yanzhou-sign_<version>_<arch>.deb from the install rules, under /usr, with the documents a
# Debian package carries (copyright, changelog, manual pages) and its run-time dependencies.
# Only a build that assembles its own installation can be packaged: the copyright file is
# written from that installation's fonts and licences.
if(NOT YZ_BUILD_INSTALLATION)
  return()
endif()

set(YZ_PACKAGE_MAINTAINER "砚舟签名设计 maintainers <maintainers@${YZ_HOME_HOST}>"
    CACHE STRING "Maintainer named by the Debian package")
set(YZ_APP_FOLDER /usr/${YZ_INSTALL_APP_DIR})
set(_pkg ${PROJECT_BINARY_DIR}/packaging)
set(_doc share/doc/yanzhou-sign)

# A new version needs its changelog entry: the package's changelog names the version it is.
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/changelog _top LIMIT_COUNT 1)
if(NOT _top MATCHES "^yanzhou-sign \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog starts with \"${_top}\": add an entry for ${PROJECT_VERSION}")
endif()

# The copyright file: the program's own paragraphs, then every source font's, read from the
# installation the build assembles (its fonts' name tables and licences/).
configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in ${_pkg}/copyright.head @ONLY)
file(GLOB _installation_scripts CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/installation/*.py)
add_custom_command(
  OUTPUT ${_pkg}/copyright
  COMMAND ${YZ_PYTHON} ${PROJECT_SOURCE_DIR}/tools/packaging/debian_copyright.py
          --app-dir ${YZ_APP_DIR} --header ${_pkg}/copyright.head
          --installed-as ${YZ_APP_FOLDER} --out ${_pkg}/copyright
  DEPENDS ${PROJECT_SOURCE_DIR}/tools/packaging/debian_copyright.py ${_pkg}/copyright.head
          ${_installation_scripts} ${PROJECT_BINARY_DIR}/tools/installation.stamp
  COMMENT "Writing the package's copyright file from the installation's licences"
  VERBATIM)

# Debian wants the changelog and manual pages compressed, reproducibly (no name, no time).
set(_compressed ${_pkg}/changelog.gz)
add_custom_command(
  OUTPUT ${_pkg}/changelog.gz
  COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/packaging/changelog > ${_pkg}/changelog.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog)
foreach(_page yanzhou-sign.1 yanzhou-sign-render.1)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/${_page} ${_pkg}/${_page} @ONLY)
  add_custom_command(
    OUTPUT ${_pkg}/${_page}.gz
    COMMAND gzip -9nc ${_pkg}/${_page} > ${_pkg}/${_page}.gz
    DEPENDS ${_pkg}/${_page})
  list(APPEND _compressed ${_pkg}/${_page}.gz)
  install(FILES ${_pkg}/${_page}.gz DESTINATION share/man/man1)
endforeach()
# Bound at start-up rather than on first use, as Debian builds its programs.
foreach(_program yanzhou-sign yanzhou-sign-render)
  target_link_options(${_program} PRIVATE LINKER:-z,relro,-z,now)
endforeach()
add_custom_target(yz_package_documents ALL DEPENDS ${_pkg}/copyright ${_compressed})
add_dependencies(yz_package_documents yz_installation)
install(FILES ${_pkg}/copyright ${_pkg}/changelog.gz DESTINATION ${_doc})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME yanzhou-sign)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${YZ_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "design an artistic signature from a Chinese or Latin name")
set(CPACK_PACKAGE_DESCRIPTION "\
Type a Chinese name (and a Latin-letter name), pick a signature style, a
background picture, a size and an ink colour, and the program draws the name
as an artistic signature: in three calligraphic fonts, as one joined line of
overlapping characters, or as a square red seal. Drag the signature into
place, then save the picture as BMP, JPEG or PNG, or print it.
.
yanzhou-sign-render draws the same signatures to picture files without a
window, up to eight times the size and on a transparent background.")
# The launchers and the desktop entry are made at install time from the prefix: install as
# /usr into the staging folder (DESTDIR), not into a prefix inside it.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${YZ_HOME_URL})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${YZ_PACKAGE_MAINTAINER}")
# dpkg-shlibdeps finds the libraries the programs link to: Qt's, and libqpdf (libqpdf29) for
# signing PDF documents.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What no library link shows: the faces the window's controls and dialogs ask for, the CUPS
# library the printer opens at run time to ask a queue about a job, xdg-open for the links, and
# Qt's own translations for its dialogs' buttons.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-arphic-uming, fonts-wqy-microhei, fonts-liberation, libcups2, xdg-utils, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_THREADS 0)
# The warnings lintian gives on purpose, each with its reason.
set(CPACK_YZ_LINTIAN_OVERRIDES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/package_staging.cmake)
include(CPack)
