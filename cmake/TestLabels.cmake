# Every test carries one label, so that a kind of test can be run alone
# (ctest --preset asan -L unit): unit, scenario or walk by what it is, and in
# the ThreadSanitizer build tsan for exactly the tests that the tsan test
# preset runs. That preset's name filter is read from CMakePresets.json, so
# the label and the preset cannot come apart.

file(READ ${PROJECT_SOURCE_DIR}/CMakePresets.json tvui_presets)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${PROJECT_SOURCE_DIR}/CMakePresets.json)
set(tsan_tests "")
string(JSON tvui_count LENGTH "${tvui_presets}" testPresets)
math(EXPR tvui_last "${tvui_count} - 1")
foreach(i RANGE ${tvui_last})
  string(JSON tvui_name GET "${tvui_presets}" testPresets ${i} name)
  if(tvui_name STREQUAL "tsan")
    string(JSON tsan_tests GET "${tvui_presets}" testPresets ${i} filter include name)
  endif()
endforeach()
if(tsan_tests STREQUAL "")
  message(FATAL_ERROR "CMakePresets.json: the tsan test preset has no name filter to label its tests by")
endif()
# Kept where every folder sees them, the benchmarks' beside the tests' too.
set(TVUI_TSAN_TESTS "${tsan_tests}" CACHE INTERNAL "the tsan test preset's name filter")
if(CMAKE_CXX_FLAGS MATCHES "sanitize=thread")
  set(TVUI_TSAN_BUILD TRUE CACHE INTERNAL "a ThreadSanitizer build")
else()
  set(TVUI_TSAN_BUILD FALSE CACHE INTERNAL "a ThreadSanitizer build")
endif()

# The leak check of a build with the address sanitizer reports what
# third-party libraries keep for the life of the process (tests/lsan.supp
# names them). Every test of such a build carries the suppressions in its
# own environment, so that ctest run in the build folder, as a developer
# runs it, finds them as the test preset does. Set, not added to: the leak
# check reads one file of suppressions.
if(CMAKE_CXX_FLAGS MATCHES "sanitize=address")
  set(TVUI_TEST_ENVIRONMENT "LSAN_OPTIONS=set:suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp"
      CACHE INTERNAL "what every test's environment is given")
else()
  set(TVUI_TEST_ENVIRONMENT "" CACHE INTERNAL "what every test's environment is given")
endif()

# How long a unit test's process may run before ctest fails it, so that a
# hang fails in minutes, not in ctest's default 25. The slowest, the walk's
# GoogleTest program run whole twice over, took 26 s under the address
# sanitizer with the collector's stress on two cores kept busy beside it: the
# bound leaves room for a machine slower still.
set(TVUI_UNIT_TIMEOUT 180 CACHE INTERNAL "seconds a unit test's process may run")

# tvui_label_tests(KIND TEST...): labels tests of this folder KIND (unit,
# scenario or walk), or tsan where the tsan preset runs them, and gives them
# the build's test environment.
function(tvui_label_tests kind)
  foreach(test ${ARGN})
    set(label ${kind})
    if(TVUI_TSAN_BUILD AND test MATCHES "${TVUI_TSAN_TESTS}")
      set(label tsan)
    endif()
    set_tests_properties(${test} PROPERTIES LABELS ${label} ENVIRONMENT_MODIFICATION "${TVUI_TEST_ENVIRONMENT}")
  endforeach()
endfunction()

# tvui_label_gtest(PROGRAM): the same for the tests of a GoogleTest program,
# whose names are known only once ctest has listed them: a script that ctest
# reads after the list labels each of them unit (or tsan), with the build's
# test environment. A program that the build leaves out (the tsan build makes
# few) stands in ctest's list as one test, PROGRAM_NOT_BUILT: unit too.
function(tvui_label_gtest program)
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${program}_labels.cmake)
  set(label "set(label unit)\n")
  if(TVUI_TSAN_BUILD)
    string(APPEND label "    if(test MATCHES [==[${TVUI_TSAN_TESTS}]==])\n      set(label tsan)\n    endif()\n")
  endif()
  file(WRITE ${script}
    "if(DEFINED ${program}_TESTS)\n"
    "  foreach(test IN LISTS ${program}_TESTS)\n"
    "    ${label}"
    "    set_tests_properties(\"\${test}\" PROPERTIES LABELS \${label} ENVIRONMENT_MODIFICATION \"${TVUI_TEST_ENVIRONMENT}\")\n"
    "  endforeach()\n"
    "else()\n"
    "  set_tests_properties(${program}_NOT_BUILT PROPERTIES LABELS unit TIMEOUT ${TVUI_UNIT_TIMEOUT})\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
endfunction()
