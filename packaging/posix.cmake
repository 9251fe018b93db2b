# The standard places, and a Debian package of them.

set(CPACK_GENERATOR DEB)
include(GNUInstallDirs)
install(TARGETS classjournal classjournal-report RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES classjournal.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES classjournal.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES invalid.classjournal.ClassJournal.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/classjournal)

# Debian wants the manual page and the changelog compressed to the utmost, with no time stamp
# in the archive, so that the same sources make the same package.
find_program(GZIP gzip REQUIRED)
set(compressed)
foreach(file classjournal.1 classjournal-report.1 changelog)
  add_custom_command(OUTPUT ${file}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/${file} ${file}
    COMMAND ${GZIP} -9nf ${file}
    DEPENDS ${file}
    VERBATIM)
  list(APPEND compressed ${CMAKE_CURRENT_BINARY_DIR}/${file}.gz)
endforeach()
add_custom_target(compressed_docs ALL DEPENDS ${compressed})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/classjournal.1.gz ${CMAKE_CURRENT_BINARY_DIR}/classjournal-report.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/classjournal)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
# The libraries it links come from dpkg-shlibdeps; what Qt loads at run time must be named:
# the X11 platform plugin, and the fonts whose metrics stand in for Arial.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
