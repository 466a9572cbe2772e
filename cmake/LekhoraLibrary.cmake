# lekhora_add_library(NAME SOURCES src... [USES lib...])
# One of the project's libraries: lekhora_NAME, also known as Lekhora::NAME,
# whose headers are included from the root of the tree ("engine/layout.h").
function(lekhora_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;USES" ${ARGN})
  add_library(lekhora_${name} STATIC ${ARG_SOURCES})
  target_include_directories(lekhora_${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(lekhora_${name} PUBLIC ${ARG_USES})
  add_library(Lekhora::${name} ALIAS lekhora_${name})
endfunction()
