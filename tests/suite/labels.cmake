# Every test that ctest knows in the build carries one of the labels by which
# a kind of test runs alone: ctest lists none that has none of them; and
# every one has a time-out. In a
# build with the address sanitizer (ENVIRONMENT names what every test's
# environment is given) each test carries the leak suppressions itself, and
# a test whose third-party libraries keep memory for good passes when ctest
# runs it in the build folder without them in its own environment.
#   cmake -DCTEST=ctest -DBUILD=build/asan [-DENVIRONMENT=...] -P labels.cmake
execute_process(COMMAND ${CTEST} --test-dir ${BUILD} -N -LE "^(unit|scenario|walk|tsan)$"
                OUTPUT_VARIABLE listed RESULT_VARIABLE failed)
if(failed OR NOT listed MATCHES "Total Tests: ([0-9]+)")
  message(FATAL_ERROR "ctest could not list the tests of ${BUILD}:\n${listed}")
endif()
if(NOT CMAKE_MATCH_1 EQUAL 0)
  message(FATAL_ERROR "${CMAKE_MATCH_1} tests have none of the labels unit, scenario, walk and tsan:\n${listed}")
endif()
message(STATUS "every test of ${BUILD} carries its label")

# Nor one without a time-out: a test that hangs fails within its bound, not
# after ctest's default of 25 minutes. Each test's list of properties names
# TIMEOUT once when it has one.
execute_process(COMMAND ${CTEST} --test-dir ${BUILD} --show-only=json-v1 OUTPUT_VARIABLE listed RESULT_VARIABLE failed)
string(JSON count ERROR_VARIABLE error LENGTH "${listed}" tests)
if(failed OR error)
  message(FATAL_ERROR "ctest could not list the tests of ${BUILD} with their properties: ${error}")
endif()
string(REGEX MATCHALL "\"name\" : \"TIMEOUT\"" bounded "${listed}")
list(LENGTH bounded carried)
if(NOT carried EQUAL count)
  set(unbounded "")
  math(EXPR last "${count} - 1")
  foreach(at RANGE ${last})
    string(JSON test GET "${listed}" tests ${at} name)
    string(JSON properties ERROR_VARIABLE none GET "${listed}" tests ${at} properties)
    if(NOT properties MATCHES "\"name\" : \"TIMEOUT\"")
      string(APPEND unbounded "\n  ${test}")
    endif()
  endforeach()
  message(FATAL_ERROR "${carried} of ${count} tests of ${BUILD} have a time-out; these have none:${unbounded}")
endif()
message(STATUS "every test of ${BUILD} has a time-out")

if(NOT ENVIRONMENT)
  return()
endif()
# The value stands once in each test's list of properties.
string(REGEX MATCHALL "\n *\"${ENVIRONMENT}\"\n" given "${listed}")
list(LENGTH given carried)
if(NOT carried EQUAL count)
  message(FATAL_ERROR "${carried} of ${count} tests of ${BUILD} carry ${ENVIRONMENT}")
endif()
# DirectFB's libraries keep what they allocate as the engine starts.
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=LSAN_OPTIONS --unset=ASAN_OPTIONS ${CTEST} --test-dir ${BUILD}
                        -R "^BitmapTest\\.ANewBitmapIsTransparentAndKnowsItsRowPadding$"
                OUTPUT_VARIABLE ran RESULT_VARIABLE failed)
if(failed OR NOT ran MATCHES "100% tests passed, 0 tests failed out of 1")
  message(FATAL_ERROR "a test of DirectFB's engine run by ctest in ${BUILD} without the suppressions:\n${ran}")
endif()
message(STATUS "every test of ${BUILD} carries ${ENVIRONMENT}")
