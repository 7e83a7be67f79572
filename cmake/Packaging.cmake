# Installation and the Debian package (CPack's DEB generator): the executable in bin/,
# its office part in lib/<architecture>/qingsui, what it ships in share/qingsui (found from the executable as ../share/qingsui), the
# desktop entry, icons, AppStream metadata, manual page, copyright and changelog.
include(GNUInstallDirs)

set(QS_APP_ID cn.qingsui.Qingsui)
set(QS_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/qingsui)
set(QS_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/qingsui)
set(QS_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

install(TARGETS qingsui RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The office part, a private library found from the executable (QS_OFFICE_DIR).
install(TARGETS qingsui_office LIBRARY DESTINATION ${QS_OFFICE_DIR}
  PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(FILES ${QS_PROGRAM_DIR}/Data/banji.qs ${QS_PROGRAM_DIR}/Data/xueke.qs ${QS_PROGRAM_DIR}/Data/Moren.qs
  DESTINATION ${QS_SHARE_DIR}/Data)
install(FILES ${QS_PROGRAM_DIR}/xuan.avi ${QS_PROGRAM_DIR}/cool.avi ${QS_PROGRAM_DIR}/使用手册.chm
  DESTINATION ${QS_SHARE_DIR})
install(FILES ${QS_PACKAGING_DIR}/${QS_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QS_PACKAGING_DIR}/${QS_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${QS_ICON_THEME} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

# Debian keeps the manual page and the changelog compressed, without a time stamp.
find_program(GZIP_EXECUTABLE gzip REQUIRED)
set(QS_PACKED ${CMAKE_BINARY_DIR}/packaging)
add_custom_command(OUTPUT ${QS_PACKED}/qingsui.1.gz ${QS_PACKED}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QS_PACKED}
  COMMAND sh -c "${GZIP_EXECUTABLE} -9nc '${QS_PACKAGING_DIR}/qingsui.1' > '${QS_PACKED}/qingsui.1.gz'"
  COMMAND sh -c "${GZIP_EXECUTABLE} -9nc '${QS_PACKAGING_DIR}/changelog' > '${QS_PACKED}/changelog.gz'"
  DEPENDS ${QS_PACKAGING_DIR}/qingsui.1 ${QS_PACKAGING_DIR}/changelog
  COMMENT "Compressing the manual page and the changelog"
  VERBATIM)
add_custom_target(qs_packed_docs ALL DEPENDS ${QS_PACKED}/qingsui.1.gz ${QS_PACKED}/changelog.gz)
install(FILES ${QS_PACKED}/qingsui.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${QS_PACKED}/changelog.gz ${QS_PACKAGING_DIR}/copyright DESTINATION ${QS_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qingsui)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "青穗开发组 <qingsui@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "classroom assistant: random questioning and a grade book")
# The summary is the package's one-line synopsis, this its extended description.
set(CPACK_PACKAGE_DESCRIPTION "青穗多媒体教学助手 helps one teacher run a lesson: a student is
picked at random to answer, the answer is graded A to D and scored, and the
grade's comment is shown in large type. A grade book keeps score columns,
totals, averages, ranks and group sums; rosters, scores and grades are
entered in bulk and can be exported as spreadsheets.

The user interface is Chinese. Each user's classes are kept in their own
data folder (~/.local/share/qingsui) unless --data-folder names another.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so no library dependency names them: the database driver, the
# Chinese fonts the windows ask for, the Chinese standard buttons and dialogs.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, fonts-noto-cjk, qt6-translations-l10n")
# The PostgreSQL driver only for a school's server (--database, database= in qingsui.ini):
# installed by default, so a classroom PC can be pointed at the server later without
# another package, but not needed for Record.mdb, and a missing driver is told in Chinese
# naming this package.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xchm, xdg-utils, fonts-arphic-ukai, fonts-arphic-uming, libqt6sql6-psql")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libreoffice-calc | gnumeric")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR})
include(CPack)

# The package the package tests check: this tree's own, as `scripts/package.sh <this
# tree>` writes it (scripts/test.sh does so after the build).
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE QS_DEB_ARCH OUTPUT_STRIP_TRAILING_WHITESPACE)
set(QS_PACKAGE_FILE ${CMAKE_BINARY_DIR}/qingsui_${PROJECT_VERSION}_${QS_DEB_ARCH}.deb
  CACHE FILEPATH "The Debian package the package tests check")
