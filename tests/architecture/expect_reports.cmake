# cmake -DCHECK=<include_graph_check> -DTREE=<fixture tree> -P expect_reports.cmake
# Passes only when the check fails on TREE (rules in TREE/layers.txt) with
# exactly the reports in TREE/expected.txt, in that order.
execute_process(COMMAND ${CHECK} --root ${TREE} --rules ${TREE}/layers.txt
  RESULT_VARIABLE result OUTPUT_VARIABLE summary ERROR_VARIABLE reports)
file(READ ${TREE}/expected.txt expected)
if(NOT result EQUAL 1)
  message(FATAL_ERROR "include_graph_check exited with ${result}, not 1:\n${reports}${summary}")
endif()
if(NOT reports STREQUAL expected)
  message(FATAL_ERROR "include_graph_check reported:\n${reports}\nexpected:\n${expected}")
endif()
message(STATUS "rejected as expected:\n${reports}${summary}")
