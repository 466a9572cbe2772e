# The typing window's chrome on the shared display (included from CMakeLists.txt).
add_test(NAME e2e_chrome COMMAND bash ${here}/chrome_window_test.sh ${state} $<TARGET_FILE:lekhora>)
set_tests_properties(e2e_chrome PROPERTIES
  FIXTURES_REQUIRED lekhora_display
  RUN_SERIAL TRUE
  TIMEOUT 90
  ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/../lsan.supp")
