# Under the thread sanitizer a race ends the process at once: its report on
# standard error past --quiet, and the line that ran named after it, while
# the runner's copy of the output is busy (a build without that sanitizer
# refuses the line).
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(WRITE ${WORK}/race.scn "root probe\nkey 1\nrace\nkey 2\n")
execute_process(COMMAND ${CMAKE_COMMAND} -E env TSAN_OPTIONS=halt_on_error=1 TVUI_ROOT=${WORK}/root
                        ${TVUI} --quiet --scenario ${WORK}/race.scn --out ${WORK}/out
                WORKING_DIRECTORY ${WORK} TIMEOUT 60 RESULT_VARIABLE got ERROR_VARIABLE stderr)
if(stderr MATCHES "has no thread sanitizer to report a race")
  return()
endif()
if(got EQUAL 0 OR got EQUAL 1 OR NOT got MATCHES "^[0-9]+$" OR
   NOT stderr MATCHES "WARNING: ThreadSanitizer: data race.*\ntvui: [^\n]*race.scn:3 failed: race\n  a sanitizer reported an error")
  message(FATAL_ERROR "status ${got}, standard error:\n${stderr}")
endif()

# The GUI thread's side of a race, met a minute of the set's turns before
# the other thread's (drawing the main menu and collecting, each turn), is
# still shown where it was, with the history the window's storm keeps.
file(WRITE ${WORK}/after.scn "tv demo\ntv on\nkey MENU\nadvance 400\nrace after 60000\nkey EXIT\n")
execute_process(COMMAND ${CMAKE_COMMAND} -E env TSAN_OPTIONS=halt_on_error=1:history_size=7 TVUI_ROOT=${WORK}/root
                        ${TVUI} --quiet --fresh --scenario ${WORK}/after.scn --out ${WORK}/out
                WORKING_DIRECTORY ${WORK} TIMEOUT 60 RESULT_VARIABLE got ERROR_VARIABLE stderr)
if(got EQUAL 0 OR got EQUAL 1 OR NOT got MATCHES "^[0-9]+$" OR
   NOT stderr MATCHES "\n  Previous read of size 4 at [^\n]* by thread T[0-9]+:\n    #0 ReadByTheGuiThread " OR
   NOT stderr MATCHES "\ntvui: [^\n]*after.scn:5 failed: race after 60000\n")
  message(FATAL_ERROR "status ${got}, standard error:\n${stderr}")
endif()
