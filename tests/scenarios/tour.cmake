# The demonstration as scripts/run.sh runs it, on a set fresh from the
# factory: every line passes (its expect lines are the tour's test), and the
# page it writes beside its pictures shows each of them, captioned.
#   cmake -DTVUI=<program> -DCHECK=<picture_page_check> -DSCENARIO=<demo.scn> -DWORK=<folder> -P tour.cmake
file(REMOVE_RECURSE ${WORK})
set(ENV{TVUI_ROOT} ${WORK}/set)
execute_process(COMMAND ${TVUI} --quiet --fresh --scenario ${SCENARIO} --out ${WORK}/out RESULT_VARIABLE status
                ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the tour ended with status ${status}:\n${errors}")
endif()
execute_process(COMMAND ${CHECK} ${WORK}/out 20 RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the tour's page:\n${errors}")
endif()
# A caption names what led to its picture when no key did: the 3D programme's
# start comes from the input and the set's report, the photos from the stick.
file(READ ${WORK}/out/index.html page)
foreach(led "EXIT, 3d-input 2, event XPM_EVENT_REPORT_3DMODE</span>" "EXIT, media stick, MENU")
  string(FIND "${page}" "${led}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the tour's page has no caption led by \"${led}\"")
  endif()
endforeach()
