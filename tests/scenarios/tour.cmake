# The demonstration as scripts/run.sh runs it, on a set fresh from the
# factory: every line passes (its expect lines are the tour's test), and the
# page it writes beside its pictures shows each of them, captioned.
#   cmake -DTVUI=<program> -DCHECK=<picture_page_check> -DSCENARIO=<demo.scn> -DWORK=<folder> -P tour.cmake
# With -DLANGUAGE=es or fr the viewer picks that menu language in the setup and
# walks on with the same keys, the pictures checking each screen's layout in it;
# expect lines naming an English text are left out.
# The set (WORK/set) and the pictures (WORK/out) are the runner's to empty, as
# it does of what it wrote and nothing else: the folder may hold the viewer's
# own files.
if(NOT WORK)
  message(FATAL_ERROR "name the tour's folder: -DWORK=<folder>")
endif()
set(ENV{TVUI_ROOT} ${WORK}/set)
if(LANGUAGE)
  set(choices en es fr)
  list(FIND choices ${LANGUAGE} at)
  string(REPEAT " DOWN" ${at} down)
  file(READ ${SCENARIO} tour)
  string(REGEX REPLACE "\nexpect (text|no-text|focus) \"[^\n]*" "" tour "${tour}")
  string(FIND "${tour}" "\nkey OK\n" first)
  string(SUBSTRING "${tour}" 0 ${first} before)
  string(SUBSTRING "${tour}" ${first} -1 after)
  set(SCENARIO ${WORK}/tour-${LANGUAGE}.scn)
  file(WRITE ${SCENARIO} "${before}\nkey${down}${after}")
endif()
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
