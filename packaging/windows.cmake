# One folder to unpack anywhere: the program, which needs no DLL beyond Windows' own, with
# its documents beside it.

set(CPACK_GENERATOR ZIP)
install(TARGETS classjournal RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)
