# Leaks that LeakSanitizer finds inside the system's font and X libraries.
set(LEKHORA_LSAN_OPTIONS "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp")

# lekhora_add_gtest(NAME SOURCES src... LIBS lib...)
# A GoogleTest executable whose tests are registered one by one with CTest.
function(lekhora_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} WORKING_DIRECTORY ${LEKHORA_RUNTIME_DIR} DISCOVERY_TIMEOUT 60)
endfunction()

# lekhora_add_qt_test(NAME SOURCES src... LIBS lib...)
# A Qt Test program on the offscreen platform, run from the folder that holds
# the program's data files.
function(lekhora_add_qt_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test)
  add_dependencies(${name} lekhora_data)
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${LEKHORA_RUNTIME_DIR})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;${LEKHORA_LSAN_OPTIONS}"
    TIMEOUT 120)
endfunction()
