# `cmake --install` and the .deb: the FHS layout. The program finds its shipped files either beside
# itself (the build folder) or in ../share/vorlane (core/install/ResourceFolder.h), so these two
# folder names are fixed rather than taken from GNUInstallDirs.
set(VORLANE_DESKTOP_ID org.vorlane.Vorlane)
set(VORLANE_SHARE share/vorlane)

install(TARGETS vorlane RUNTIME DESTINATION bin)
install(DIRECTORY ${VORLANE_APPDIR}/pic ${VORLANE_APPDIR}/sound ${VORLANE_APPDIR}/htm DESTINATION ${VORLANE_SHARE}
  PATTERN .keep EXCLUDE)
install(FILES ${VORLANE_APPDIR}/data/ZRVTQM602941.db DESTINATION ${VORLANE_SHARE}/data)
# The launcher entry, its icon at the hicolor sizes (drawn by tools/artwork) and the metainfo.
install(DIRECTORY ${VORLANE_APPDIR}/icons/hicolor DESTINATION share/icons)
install(FILES ${CMAKE_SOURCE_DIR}/dist/linux/${VORLANE_DESKTOP_ID}.desktop DESTINATION share/applications)
configure_file(${CMAKE_SOURCE_DIR}/dist/linux/${VORLANE_DESKTOP_ID}.metainfo.xml.in
  ${CMAKE_BINARY_DIR}/dist/${VORLANE_DESKTOP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/dist/${VORLANE_DESKTOP_ID}.metainfo.xml DESTINATION share/metainfo)

# `make package`: a .deb whose library dependencies come from dpkg-shlibdeps. What the program
# loads by name at run time is added by hand: the font the theme maps 宋体 to and the sound font.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorlane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Vorlane developers")
set(CPACK_PACKAGE_CONTACT "Vorlane developers <vorlane@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Study program for a professional qualification examination")
set(CPACK_PACKAGE_DESCRIPTION "Chapter practice, timed mock exams graded at once, the laws behind \
the questions and a daily log of progress, with a Chinese user interface. The question bank is an \
encrypted SQLite file kept in the user's data folder.")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk, timgm6mb-soundfont")
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
