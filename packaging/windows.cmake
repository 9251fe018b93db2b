# One folder to unpack anywhere, and a Windows Installer package of the same files for labs that
# deploy to many computers at once: the program and the instructor's report, which need no DLL
# beyond Windows' own, and beside them the documents, as text that Notepad shows.

set(CPACK_GENERATOR ZIP)
# The ZIP's and the MSI's names carry the build's version, as the programs do.
set(CPACK_PACKAGE_VERSION ${CLASSJOURNAL_VERSION})
# The programs, in the ZIP and in the MSI alike.
install(TARGETS classjournal classjournal-report RUNTIME DESTINATION .)

configure_file(README.txt README.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/README.txt ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt DESTINATION .)

# The MSI where Debian's wixl and msitools are at hand (scripts/setup.sh installs them with the
# tests' packages).
find_program(WIXL wixl)
find_program(WIXL_HEAT wixl-heat)
find_program(MSIBUILD msibuild)
if(WIXL AND WIXL_HEAT AND MSIBUILD)
  list(APPEND CPACK_GENERATOR External)
  set(CPACK_EXTERNAL_ENABLE_STAGING ON)
  set(CPACK_EXTERNAL_PACKAGE_SCRIPT ${CMAKE_CURRENT_SOURCE_DIR}/msi.cmake)
  set(CPACK_CLASSJOURNAL_WIXL ${WIXL})
  set(CPACK_CLASSJOURNAL_WIXL_HEAT ${WIXL_HEAT})
  set(CPACK_CLASSJOURNAL_MSIBUILD ${MSIBUILD})
  set(CPACK_CLASSJOURNAL_FILE_VERSION ${CLASSJOURNAL_VERSION})
  set(CPACK_CLASSJOURNAL_WXS ${CMAKE_CURRENT_SOURCE_DIR}/classjournal.wxs)
  set(CPACK_CLASSJOURNAL_ICON ${CMAKE_CURRENT_SOURCE_DIR}/classjournal.ico)
endif()
