# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs under cpack after the install rules have filled the staging folder: adds what only the
# package carries. (file(INSTALL) would put DESTDIR in front a second time.)
file(MAKE_DIRECTORY "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/share/lintian/overrides")
file(COPY_FILE "${CPACK_YZ_LINTIAN_OVERRIDES}"
     "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/share/lintian/overrides/yanzhou-sign")
