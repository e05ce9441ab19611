# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

# The desktop installation (cmake --install <build> --prefix P):
#   P/lib/yanzhou-sign/    both programs with fonts/ images/ data/ licences/ beside them, as in
#                          build/app: the programs find their files beside themselves
#   P/bin/                 symlinks to the programs
#   P/share/applications/, P/share/metainfo/, P/share/icons/hicolor/  the desktop's entries
set(YZ_APP_ID org.yanzhou.Sign CACHE STRING "Reverse-DNS id of the desktop entry, metainfo and icon")
set(YZ_INSTALL_APP_DIR lib/yanzhou-sign)
# Without its own sample installation, a build installs the one its tests borrow.
if(YZ_BUILD_INSTALLATION)
  set(_yz_data ${YZ_APP_DIR})
else()
  set(_yz_data ${YZ_TEST_APP_DIR})
endif()

install(TARGETS yanzhou-sign yanzhou-sign-render RUNTIME DESTINATION ${YZ_INSTALL_APP_DIR})
foreach(_folder fonts images data licences)
  install(DIRECTORY ${_yz_data}/${_folder} DESTINATION ${YZ_INSTALL_APP_DIR})
endforeach()

foreach(_size 32 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/yanzhou-sign-${_size}.png
          DESTINATION share/icons/hicolor/${_size}x${_size}/apps RENAME ${YZ_APP_ID}.png)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/yanzhou-sign-${_size}@2x.png
          DESTINATION share/icons/hicolor/${_size}x${_size}@2/apps RENAME ${YZ_APP_ID}.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/yanzhou-sign.svg
        DESTINATION share/icons/hicolor/scalable/apps RENAME ${YZ_APP_ID}.svg)

set(YZ_HOME_URL "${YZ_HOME_SCHEME}://${YZ_HOME_HOST}")
configure_file(${PROJECT_SOURCE_DIR}/packaging/org.yanzhou.Sign.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/packaging/${YZ_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/${YZ_APP_ID}.metainfo.xml DESTINATION share/metainfo)
# The picture the metainfo's screenshot address publishes.
install(FILES ${PROJECT_SOURCE_DIR}/docs/screenshot.png DESTINATION share/doc/yanzhou-sign)

# The launchers and the desktop entry name the prefix given at install time, not at configure time.
install(CODE "
  set(YZ_APP_ID \"${YZ_APP_ID}\")
  set(YZ_INSTALL_APP_DIR \"${YZ_INSTALL_APP_DIR}\")
  set(YZ_DESKTOP_TEMPLATE \"${PROJECT_SOURCE_DIR}/packaging/org.yanzhou.Sign.desktop.in\")")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/install_launchers.cmake)
