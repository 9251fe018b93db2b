# One folder to unpack anywhere: the program and the instructor's report, which need no DLL
# beyond Windows' own, with their documents beside them.

set(CPACK_GENERATOR ZIP)
install(TARGETS classjournal classjournal-report RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)
