# A library of one concern, as the core's and the coding's are: its folder's headers are all it
# shows, with those of the libraries it stands on, so an include that climbs does not build.
# classjournal_layer(TARGET ALIAS SOURCES file... [ON library...])
function(classjournal_layer target alias)
  cmake_parse_arguments(PARSE_ARGV 2 LAYER "" "" "SOURCES;ON")
  add_library(${target} STATIC ${LAYER_SOURCES})
  add_library(ClassJournal::${alias} ALIAS ${target})
  target_include_directories(${target} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${LAYER_ON})
endfunction()
