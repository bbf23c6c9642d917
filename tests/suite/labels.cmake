# Every test that ctest knows in the build carries one of the labels by which
# a kind of test runs alone: ctest lists none that has none of them.
#   cmake -DCTEST=ctest -DBUILD=build/asan -P labels.cmake
execute_process(COMMAND ${CTEST} --test-dir ${BUILD} -N -LE "^(unit|scenario|walk|tsan)$"
                OUTPUT_VARIABLE listed RESULT_VARIABLE failed)
if(failed OR NOT listed MATCHES "Total Tests: ([0-9]+)")
  message(FATAL_ERROR "ctest could not list the tests of ${BUILD}:\n${listed}")
endif()
if(NOT CMAKE_MATCH_1 EQUAL 0)
  message(FATAL_ERROR "${CMAKE_MATCH_1} tests have none of the labels unit, scenario, walk and tsan:\n${listed}")
endif()
message(STATUS "every test of ${BUILD} carries its label")
