# lekhora_add_gtest(NAME SOURCES src... LIBS lib...)
# A GoogleTest executable whose tests are registered one by one with CTest.
function(lekhora_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} WORKING_DIRECTORY ${LEKHORA_RUNTIME_DIR} DISCOVERY_TIMEOUT 60)
endfunction()
