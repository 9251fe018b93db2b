# The version the Windows programs and their packages carry: the project's version and a build
# number, so that every build a lab installs is told apart from the one before. The build number
# is the count of commits, which grows with every change; without git (a source archive) it is
# 0, and CLASSJOURNAL_BUILD_NUMBER sets it (a shallow clone counts only the commits it holds).
set(CLASSJOURNAL_BUILD_NUMBER "" CACHE STRING "The build number in the Windows version (empty: the count of commits)")

set(build_number "${CLASSJOURNAL_BUILD_NUMBER}")
if(build_number STREQUAL "")
  set(build_number 0)
  find_package(Git QUIET)
  if(Git_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} rev-list --count HEAD WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE commits OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed ERROR_QUIET)
    execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --absolute-git-dir WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE git_dir OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(NOT failed AND commits MATCHES "^[0-9]+$")
      set(build_number ${commits})
      # Every commit moves HEAD's log: the version follows without a new configure by hand.
      if(EXISTS ${git_dir}/logs/HEAD)
        set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${git_dir}/logs/HEAD)
      endif()
    endif()
  endif()
endif()
# Windows keeps each part of a version in 16 bits.
if(NOT build_number MATCHES "^[0-9]+$" OR build_number GREATER 65535)
  message(FATAL_ERROR "CLASSJOURNAL_BUILD_NUMBER must be a number from 0 to 65535, not \"${build_number}\"")
endif()
set(CLASSJOURNAL_BUILD ${build_number})
set(CLASSJOURNAL_VERSION ${PROJECT_VERSION}.${build_number})
