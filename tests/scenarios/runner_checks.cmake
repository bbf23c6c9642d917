# The program as a user meets it, outside the scenarios' own harness:
#   cmake -DTVUI=<program> -DWORK=<scratch folder> [-DCC=<C compiler>] [-DPART=refusals] -P runner_checks.cmake
# From an empty folder and quiet, the demonstration runs with only the
# runner's lines; lines and options it cannot take, and a missing font, end
# the run with a clear line and a non-zero status. PART=refusals checks only
# what the runner refuses before the set boots (the thread sanitizer's preset
# runs that part too: a refusal ends with its own status in every build);
# without it, the runs.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/empty)
set(ENV{TVUI_ROOT} ${WORK}/set)
set(failures "")

# Runs the program in the empty folder (killed after five minutes: a blocked
# run fails); status and standard error must be as given (a regular
# expression), standard output is left in `out`.
function(check name status pattern)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${WORK}/empty RESULT_VARIABLE got OUTPUT_VARIABLE stdout
                  ERROR_VARIABLE stderr TIMEOUT 300)
  if(NOT "${got}" STREQUAL "${status}" OR NOT "${stderr}" MATCHES "${pattern}")
    set(failures "${failures}\n${name}: status ${got} (wanted ${status}), standard error:\n${stderr}" PARENT_SCOPE)
  endif()
  set(out "${stdout}" PARENT_SCOPE)
endfunction()

# A scenario whose last line the runner must refuse, with its reason.
function(refuse name lines reason)
  file(WRITE ${WORK}/${name}.scn "${lines}\n")
  string(REGEX REPLACE ".*\n" "" last "${lines}")
  check(${name} 1 "failed: ${last}\n  ${reason}" ${TVUI} --quiet --scenario ${WORK}/${name}.scn)
  set(failures "${failures}" PARENT_SCOPE)
endfunction()

file(WRITE ${WORK}/quick.scn "root probe\nkey 1\n")
if(PART STREQUAL "refusals")

check(option_value 2 "--scenario needs a value" ${TVUI} --scenario)
# A run runs one scenario on one root: a second of either is refused, not
# taken in place of the first.
check(scenario_twice 2 "^tvui: --scenario is given twice \\(${WORK}/quick.scn, then ${WORK}/empty.scn\\): a run runs one"
      ${TVUI} --quiet --scenario ${WORK}/quick.scn --scenario=${WORK}/empty.scn)
check(root_twice 2 "^tvui: --root is given twice \\(probe, then probe\\): the set boots with one root" ${TVUI} --quiet
      --root probe --scenario ${WORK}/quick.scn --root probe)
# A scenario is read more than once: a pipe, which gives its lines once, and
# a folder are refused, not passed with nothing run.
execute_process(COMMAND mkfifo ${WORK}/pipe.scn)
check(scenario_pipe 2 "pipe.scn is not a regular file \\(a pipe\\)" ${TVUI} --quiet --scenario ${WORK}/pipe.scn)
check(scenario_folder 2 "empty is not a regular file \\(a folder\\)" ${TVUI} --quiet --scenario ${WORK}/empty)
check(no_display 2 "--window needs a display[^\n]*Xvfb :1 & then DISPLAY=:1" ${CMAKE_COMMAND} -E env --unset=DISPLAY
      --unset=WAYLAND_DISPLAY --unset=SDL_VIDEODRIVER ${TVUI} --window)
# A display that no X server answers is no display (no server listens on a
# number this high).
check(no_x_server 2 "--window needs a display, and no X server answers at DISPLAY=:64999[^\n]*Xvfb :1 &"
      ${CMAKE_COMMAND} -E env DISPLAY=:64999 --unset=WAYLAND_DISPLAY --unset=SDL_VIDEODRIVER ${TVUI} --window)
# Nor is a Wayland display that no compositor answers (no socket of that
# name in the runtime folder), with or without an X display beside it.
check(no_compositor 2 "--window needs a display, and no Wayland compositor answers at WAYLAND_DISPLAY=wayland-99 and no X server answers at DISPLAY=:64999[^\n]*Xvfb :1 &"
      ${CMAKE_COMMAND} -E env DISPLAY=:64999 WAYLAND_DISPLAY=wayland-99 XDG_RUNTIME_DIR=${WORK} --unset=SDL_VIDEODRIVER
      ${TVUI} --window)
check(no_compositor_alone 2 "no Wayland compositor answers at WAYLAND_DISPLAY=${WORK}/wayland-0 and DISPLAY is not set"
      ${CMAKE_COMMAND} -E env --unset=DISPLAY WAYLAND_DISPLAY=${WORK}/wayland-0 --unset=SDL_VIDEODRIVER ${TVUI} --window)
file(WRITE ${WORK}/bad.fixture "channel 7-1 KQRS colour=red\n")
file(WRITE ${WORK}/fixture.scn "tv fixture bad.fixture\n")
check(fixture 2 "bad.fixture:1: unexpected colour=red; a channel line reads: channel CHANNEL NAME" ${TVUI}
      --scenario ${WORK}/fixture.scn)
# A recording's title is judged as the recording line judges it: none of
# no-break, ideographic or zero-width spaces alone, none with a control
# character of either set.
foreach(case "\\302\\240\\343\\200\\200\\342\\200\\213;is not empty nor only blanks"
             "News\\302\\205;holds no tab, line end or other control character"
             "News\\001;holds no tab, line end or other control character")
  list(GET case 0 title)
  list(GET case 1 reason)
  execute_process(COMMAND printf "channel 7-1 KQRS\\nrecording 7-1 \"${title}\"\\n" OUTPUT_FILE ${WORK}/bad.fixture)
  check(fixture_title 2 "bad.fixture:2: a recording's title ${reason}; a recording line reads" ${TVUI}
        --scenario ${WORK}/fixture.scn)
endforeach()
# A fixture that is no regular file to read is refused with the line that
# names it, not read without end (a device) or as nothing (a folder), and so
# is a file far larger than any fixture, or one whose read fails.
execute_process(COMMAND truncate -s 17M ${WORK}/big.fixture)
foreach(case "/dev/zero;the fixture /dev/zero is not a regular file \\(a device\\)"
             "${WORK}/empty;the fixture ${WORK}/empty is not a regular file \\(a folder"
             "missing.fixture;cannot read the fixture ${WORK}/missing.fixture \\(No such file"
             "big.fixture;the fixture ${WORK}/big.fixture is larger than 16 MB"
             "/proc/self/mem;cannot read the fixture /proc/self/mem \\(Input/output error")
  list(GET case 0 fixture)
  list(GET case 1 reason)
  file(WRITE ${WORK}/fixtures.scn "# the set's content\ntv fixture ${fixture}\n")
  check(fixture_file 2 "^tvui: ${WORK}/fixtures.scn:2: ${reason}" ${TVUI} --scenario ${WORK}/fixtures.scn)
endforeach()

# --fresh removes a folder of the set's own files, and only such a folder,
# the one with the set's mark: one that TVUI_ROOT names by mistake is left
# whole, even when it holds only folders named as the set's are.
file(WRITE ${WORK}/notaset/keep.txt "mine\n")
file(WRITE ${WORK}/lookalike/mnt/keep.txt "mine\n")
file(WRITE ${WORK}/lookalike/tmp/keep.txt "mine\n")
foreach(foreign notaset lookalike)
  check(fresh_${foreign} 2
        "--fresh starts from a set fresh from the factory in a folder of the set's own, and [^\n]*${foreign} lacks the set's mark"
        ${CMAKE_COMMAND} -E env TVUI_ROOT=${WORK}/${foreign} ${TVUI} --quiet --fresh --scenario ${WORK}/quick.scn)
endforeach()
# The demonstration says so in its own words.
check(tour_foreign 2 "the demonstration starts from a set fresh from the factory, in a folder of the set's own, and [^\n]*notaset lacks the set's mark"
      ${CMAKE_COMMAND} -E env TVUI_ROOT=${WORK}/notaset ${TVUI} --quiet)
if(NOT EXISTS ${WORK}/notaset/keep.txt OR NOT EXISTS ${WORK}/lookalike/mnt/keep.txt OR
   NOT EXISTS ${WORK}/lookalike/tmp/keep.txt)
  set(failures "${failures}\nfresh_foreign: --fresh removed a file of a folder the set did not make")
endif()
# Nor is the set kept there without --fresh.
foreach(foreign notaset lookalike)
  check(users_root 2 "^tvui: the set's files cannot be kept in ${WORK}/${foreign}: it holds files and lacks the set's mark"
        ${CMAKE_COMMAND} -E env TVUI_ROOT=${WORK}/${foreign} ${TVUI} --quiet --scenario ${WORK}/quick.scn)
endforeach()
if(EXISTS ${WORK}/notaset/.tvui-set OR EXISTS ${WORK}/notaset/mnt OR EXISTS ${WORK}/lookalike/.tvui-set)
  set(failures "${failures}\nusers_root: the runner wrote in a folder of the user's")
endif()
file(CREATE_LINK ${WORK}/lookalike ${WORK}/foreignlink SYMBOLIC)
check(fresh_foreign_link 2 "foreignlink lacks the set's mark" ${CMAKE_COMMAND} -E env TVUI_ROOT=${WORK}/foreignlink
      ${TVUI} --quiet --fresh --scenario ${WORK}/quick.scn)
if(NOT IS_SYMLINK ${WORK}/foreignlink OR NOT EXISTS ${WORK}/lookalike/mnt/keep.txt)
  set(failures "${failures}\nfresh_foreign_link: --fresh through a link changed a folder the set did not make")
endif()

# The set writes its files only below its folder: a marked set whose own
# folders or settings files hold a link that leads out of it is refused,
# naming the link, before anything is written there or through it.
file(WRITE ${WORK}/linkedset/.tvui-set "")
file(WRITE ${WORK}/outer/nvram/APP_NVRAM.dat "the user's\n")
foreach(case "mnt;${WORK}/outer" "tmp;${WORK}/outer" "mnt/nvram;${WORK}/outer/nvram"
             "mnt/nvram/APP_NVRAM.dat;${WORK}/outer/nvram/APP_NVRAM.dat"
             "mnt/nvram/APP_NVRAM.dat.bakup;${WORK}/outer/nvram/APP_NVRAM.dat"
             "mnt/removable/usba;${WORK}/outer" "tmp/mediastick;${WORK}/nothing-there")
  list(GET case 0 link)
  list(GET case 1 target)
  file(REMOVE_RECURSE ${WORK}/linkedset/mnt ${WORK}/linkedset/tmp)
  get_filename_component(folder ${WORK}/linkedset/${link} DIRECTORY)
  file(MAKE_DIRECTORY ${folder})
  file(CREATE_LINK ${target} ${WORK}/linkedset/${link} SYMBOLIC)
  check(set_link 2 "^tvui: the set's folder ${WORK}/linkedset holds a link that leads out of it: ${WORK}/linkedset/${link} is a link to ${target}, and the set writes"
        ${CMAKE_COMMAND} -E env TVUI_ROOT=${WORK}/linkedset ${TVUI} --quiet --scenario ${WORK}/quick.scn)
endforeach()
# A chain of links is named by the link in it that leads out, and a loop of
# links as the loop it is.
file(REMOVE_RECURSE ${WORK}/linkedset/mnt ${WORK}/linkedset/tmp)
file(MAKE_DIRECTORY ${WORK}/linkedset/mnt)
file(CREATE_LINK ../hop ${WORK}/linkedset/mnt/nvram SYMBOLIC)
file(CREATE_LINK ${WORK}/outer/nvram ${WORK}/linkedset/hop SYMBOLIC)
check(set_link_chain 2 "^tvui: the set's folder ${WORK}/linkedset holds a link that leads out of it: ${WORK}/linkedset/hop is a link to ${WORK}/outer/nvram \\(reached through ${WORK}/linkedset/mnt/nvram\\), and the set writes"
      ${CMAKE_COMMAND} -E env TVUI_ROOT=${WORK}/linkedset ${TVUI} --quiet --scenario ${WORK}/quick.scn)
file(REMOVE ${WORK}/linkedset/hop)
file(CREATE_LINK mnt/nvram ${WORK}/linkedset/hop SYMBOLIC)
check(set_link_loop 2 "^tvui: the set's folder ${WORK}/linkedset holds links that lead round in a loop, to no file or folder: ${WORK}/linkedset/mnt/nvram -> ${WORK}/linkedset/hop -> ${WORK}/linkedset/mnt/nvram; remove them"
      ${CMAKE_COMMAND} -E env TVUI_ROOT=${WORK}/linkedset ${TVUI} --quiet --scenario ${WORK}/quick.scn)
file(REMOVE ${WORK}/linkedset/hop)
# So is one that leaves the set's folder through a folder or a link outside,
# though it comes back: every save would follow what lies outside.
file(REMOVE ${WORK}/linkedset/mnt/nvram)
file(MAKE_DIRECTORY ${WORK}/linkedset/kept)
file(CREATE_LINK ${WORK}/linkedset ${WORK}/backdoor SYMBOLIC)
file(CREATE_LINK ../../backdoor/kept ${WORK}/linkedset/mnt/nvram SYMBOLIC)
check(set_link_back 2 "^tvui: the set's folder ${WORK}/linkedset holds a link that leads out of it: ${WORK}/linkedset/mnt/nvram is a link to ../../backdoor/kept, and the set writes"
      ${CMAKE_COMMAND} -E env TVUI_ROOT=${WORK}/linkedset ${TVUI} --quiet --scenario ${WORK}/quick.scn)
file(GLOB_RECURSE outer RELATIVE ${WORK}/outer ${WORK}/outer/*)
file(READ ${WORK}/outer/nvram/APP_NVRAM.dat kept)
if(NOT outer STREQUAL "nvram/APP_NVRAM.dat" OR NOT kept STREQUAL "the user's\n" OR EXISTS ${WORK}/nothing-there)
  set(failures "${failures}\nset_link: the runner wrote through a link out of the set's folder: ${outer}")
endif()

# A folder where the set could keep nothing is refused before the set boots,
# by name and saying why: below a regular file, in /proc, or /proc itself, a
# link to nothing or to itself, and the system's root, whose /mnt and /tmp are
# the host's.
file(WRITE ${WORK}/plain "a file\n")
file(CREATE_LINK ${WORK}/nowhere ${WORK}/dangling SYMBOLIC)
file(CREATE_LINK / ${WORK}/systemlink SYMBOLIC)
execute_process(COMMAND ln -s ${WORK}/selflink ${WORK}/selflink)
foreach(case "${WORK}/plain/set;it cannot be made \\(Not a directory"
             "/proc/tvui-set;it lies in /proc, one of the system's own folders" "/proc;it is one of the system's own folders"
             "${WORK}/dangling;it is a link to ${WORK}/nowhere, which does not exist"
             "${WORK}/selflink;it is a link to ${WORK}/selflink, which leads round in a loop of links, to no folder"
             "/;it is the system's root" "//;it is the system's root" "${WORK}/systemlink;it is the system's root")
  list(GET case 0 root)
  list(GET case 1 reason)
  check(unusable_root 2 "the set's files cannot be kept in ${root}: ${reason}" ${CMAKE_COMMAND} -E env
        TVUI_ROOT=${root} ${TVUI} --quiet --scenario ${WORK}/quick.scn)
  if(out MATCHES "lines passed")
    set(failures "${failures}\nunusable_root: the scenario ran on ${root}")
  endif()
endforeach()
if(EXISTS ${WORK}/nowhere)
  set(failures "${failures}\nunusable_root: the runner made the folder that a link to nothing names")
endif()
# The system's own folders are refused for the set's files as for --out, named
# or through a link, before anything is made there.
file(CREATE_LINK /usr/lib ${WORK}/usrlink SYMBOLIC)
foreach(root /usr/lib/tvui-check-set ${WORK}/usrlink/tvui-check-set)
  check(system_root 2 "the set's files cannot be kept in ${root}: it lies in /usr, one of the system's own folders"
        ${CMAKE_COMMAND} -E env TVUI_ROOT=${root} ${TVUI} --quiet --scenario ${WORK}/quick.scn)
endforeach()
if(EXISTS /usr/lib/tvui-check-set)
  file(REMOVE_RECURSE /usr/lib/tvui-check-set)
  set(failures "${failures}\nsystem_root: the set made its folder among the system's")
endif()
# So is an output folder where no picture could be written, though the
# scenario takes no picture until late.
check(unusable_out 2 "the pictures cannot be written to ${WORK}/plain/out: it cannot be made \\(Not a directory"
      ${TVUI} --quiet --scenario ${WORK}/quick.scn --out ${WORK}/plain/out)
# Refused before a fresh set has lost a file.
file(WRITE ${WORK}/marked/.tvui-set "")
file(WRITE ${WORK}/marked/mnt/nvram/stale "the set's\n")
check(unusable_out_fresh 2 "cannot be written to ${WORK}/plain/out" ${CMAKE_COMMAND} -E env TVUI_ROOT=${WORK}/marked
      ${TVUI} --quiet --fresh --scenario ${WORK}/quick.scn --out ${WORK}/plain/out)
if(NOT EXISTS ${WORK}/marked/mnt/nvram/stale)
  set(failures "${failures}\nunusable_out_fresh: the set was emptied for a run that --out refused")
endif()
# And on a read-only mount, where the machine lets a user mount one in a
# namespace of its own.
file(MAKE_DIRECTORY ${WORK}/readonly)
execute_process(COMMAND unshare -rm true RESULT_VARIABLE namespaces OUTPUT_QUIET ERROR_QUIET)
if(namespaces EQUAL 0)
  set(run "mount -t tmpfs -o ro none ${WORK}/readonly && exec env TVUI_ROOT=${WORK}/readonly/set ${TVUI} --quiet")
  check(readonly_root 2 "the set's files cannot be kept in ${WORK}/readonly/set: it cannot be made \\(Read-only" unshare
        -rm sh -c "${run} --scenario ${WORK}/quick.scn")
endif()
# No new folder is made in the system's root, nor in /lost+found (checked in a
# namespace whose root is read-only, so that a faulty runner makes nothing).
set(readonly "mount -t tmpfs none /mnt && mount -o remount,bind,ro /")
execute_process(COMMAND unshare -rm sh -c "${readonly}" RESULT_VARIABLE namespaces OUTPUT_QUIET ERROR_QUIET)
if(namespaces EQUAL 0)
  foreach(case "TVUI_ROOT=/tvui-check-new/set;--quiet;the set's files cannot be kept in /tvui-check-new/set: it would make a new folder, /tvui-check-new, in the system's root"
               "TVUI_ROOT=/tvui-check-new;--quiet;the set's files cannot be kept in /tvui-check-new: it would make a new folder, /tvui-check-new, in the system's root"
               "TVUI_ROOT=/mnt/set;--out /tvui-check-new;the pictures cannot be written to /tvui-check-new: it would make a new folder, /tvui-check-new, in the system's root"
               "TVUI_ROOT=/lost+found/set;--quiet;the set's files cannot be kept in /lost\\+found/set: it lies in /lost\\+found"
               "TVUI_ROOT=/mnt/set;--out /tvui-check-new/x;the pictures cannot be written to /tvui-check-new/x: it would make a new folder, /tvui-check-new,"
               "TVUI_ROOT=/mnt/set;--out /lost+found/x;the pictures cannot be written to /lost\\+found/x: it lies in /lost\\+found")
    list(GET case 0 root)
    list(GET case 1 out)
    list(GET case 2 reason)
    check(new_in_root 2 "^tvui: ${reason}" unshare -rm sh -c "${readonly} && exec env ${root} ${TVUI} --quiet ${out}")
  endforeach()
else()
  message(STATUS "new_in_root skipped: no user and mount namespace of our own (unshare -rm) to check it in")
endif()
file(READ ${WORK}/plain plain)
if(NOT plain STREQUAL "a file\n")
  set(failures "${failures}\nunusable_root: the regular file above the root changed")
endif()

# The whole file is checked before the set boots: a line or a key name that
# does not exist fails at once, with its file and line, though a long stretch
# of the set's time, or a long repeat, lies before it; the root's own lines
# are known to its scenarios alone; so are the window ids and the string
# constants that expect lines name. A comment is not read for quotes.
foreach(bad "advance 600000\nkye MENU;2: unknown line kye"
            "advance 600000\nrepeat 100000\n  key MENUU\nend;3: unknown key MENUU"
            "press OK\nrelease PLAYY;2: unknown key PLAYY" "expect colour 0;1: unknown expectation colour"
            "root probe\nstore SetupStep 9;2: unknown line store"
            "advance 600000\nexpect form WIN_ID_MainMenuu;2: unknown window id WIN_ID_MainMenuu"
            "expect focus-form any;1: unknown window id any"
            "advance 600000\nexpect text SID_NETWORK_TEST_SUCCES;2: unknown string constant SID_NETWORK_TEST_SUCCES"
            "expect focus Network;1: unknown string constant Network" "root probe\nkey 300;2: unknown key 300")
  list(GET bad 0 text)
  list(GET bad 1 reason)
  file(WRITE ${WORK}/unknown.scn "# a \"quote that a comment leaves open\n${text}\n")
  string(REGEX MATCH "^[0-9]+" line "${reason}")
  string(REGEX REPLACE "^[0-9]+" "" reason "${reason}")
  math(EXPR line "${line} + 1")
  check(unknown_line 2 "^tvui: ${WORK}/unknown.scn:${line}${reason} \\(" ${TVUI} --quiet --scenario ${WORK}/unknown.scn)
endforeach()
# What the messages echo of a line is cut and escaped: a line of two million
# characters, bytes that are not UTF-8; and a bare expect says what it lacks.
string(REPEAT "x" 2000000 long)
file(WRITE ${WORK}/long.scn "root probe\n${long}\n")
check(long_line 2 "^tvui: ${WORK}/long.scn:2: unknown line x+… \\(tvui --help" ${TVUI} --quiet --scenario ${WORK}/long.scn)
execute_process(COMMAND ${TVUI} --quiet --scenario ${WORK}/long.scn ERROR_VARIABLE stderr)
string(LENGTH "${stderr}" length)
if(length GREATER 400)
  set(failures "${failures}\nlong_line: ${length} characters of message for one line")
endif()
execute_process(COMMAND printf "root probe\\nk\\377\\001ey 1\\n" OUTPUT_FILE ${WORK}/bytes.scn)
check(bytes_line 2 "bytes.scn:2: unknown line k\\\\xFF\\\\x01ey \\(" ${TVUI} --quiet --scenario ${WORK}/bytes.scn)
# A byte 0 ends no word: a line that holds one is refused, whatever it is.
foreach(line "key MENU\\000EXIT" "advance 10\\000abc" "store \"a\\000b\" \"x\"")
  execute_process(COMMAND printf "${line}\\n" OUTPUT_FILE ${WORK}/nul.scn)
  check(nul_byte 2 "nul.scn:1: a byte 0 \\(\\\\x00\\), which no line of a scenario holds" ${TVUI} --quiet --scenario
        ${WORK}/nul.scn)
endforeach()
file(WRITE ${WORK}/bare.scn "root probe\nexpect\n")
check(bare_expect 2 "bare.scn:2: expect names nothing to expect \\(" ${TVUI} --quiet --scenario ${WORK}/bare.scn)
# So are words that no run of their line could take.
string(REPEAT "x" 235 long239)
string(REPEAT "v" 500 long500)
foreach(bad "probe;screenshot shot.jpg;screenshot takes a file name ending in .png, then an optional quoted caption"
            "probe;screenshot ../x.png \"Caption\";screenshot takes a file name below the output folder, not ../x.png"
            "probe;screenshot \"a\\tb.png\";screenshot takes a file name without a tab[^\n]*, not a\\\\x09b.png"
            "probe;advance -1;advance takes milliseconds, 0 to 4294967295"
            "probe;advance 4294967296;advance takes milliseconds" "probe;advance +5;advance takes milliseconds"
            "probe;advance -0;advance takes milliseconds" "probe;key 5 age -1;age takes milliseconds, 0 to 60000"
            "probe;screenshot ${long239}.png;screenshot takes a file name of at most 238 characters"
            "probe;screenshot sub/x.png;screenshot writes into ${WORK}/never/sub, which is no folder"
            "product;store Name \"c>d\";the settings store refuses the pair: no line"
            "nonmenu;store \"a\\nb\" c;the settings store refuses the pair"
            "product;store every \"\";the settings store refuses an empty key or value"
            "product;store every \"${long500}\";the settings store refuses the pair[^\n]*every stores it under"
            "product;recording \"\" 30;recording takes a title that is not empty or only blanks"
            "product;recording \"   \" 30;recording takes a title that is not empty or only blanks"
            "product;recording \"News\\tat ten\" 30;recording takes a title without a tab"
            "product;recording \"\\xC2\\xA0\\xE3\\x80\\x80\\xE2\\x80\\x8B\" 30;recording takes a title that is not empty or only blanks"
            "product;recording \"News\\xC2\\x85\" 30;recording takes a title without a tab"
            "product;recording \"News\\xE2\\x80\\xA8at ten\" 30;recording takes a title without a tab"
            "probe;expect pixel 10 10 zz;expect pixel takes X, Y on the screen and a colour"
            "probe;expect setting;expect setting takes a key and a value"
            "product;store;store takes a key and a value" "nonmenu;store Name;store takes a key and a value"
            "probe;expect text \"\";expect text takes a text that is not empty"
            "probe;expect pixel 10 10 0xff00000;expect pixel takes X, Y on the screen and a colour"
            "probe;expect pixel 10 10 4278190080;expect pixel takes X, Y on the screen and a colour"
            "probe;expect threads 0;expect threads takes a number or steady"
            "probe;fail XPM_SetTimer 0 0;fail takes a count of 1 or more"
            "probe;expect no-output \"\";expect no-output takes a text that is not empty"
            "probe;tv demo;tv lines come before every other line but root"
            "probe;root probe;root must come before every other line"
            "probe;key;key takes key names or codes" "probe;key gui 131;no key of the set gives GUI key code 131"
            "probe;press OK EXIT;press takes one key name or code"
            "probe;event XPM_EVENT_WAKEUP Colour=1;XPM_EVENT_PARAMS_WAKEUP has no field Colour"
            "probe;command 3 byte=300;payload field byte=300 is unknown or out of range" "probe;osd on;osd takes a state"
            "probe;standby now;standby takes nothing" "probe;set no_such_value 1;the set has no value no_such_value"
            "probe;fail XPM_NoSuchCall 1;no platform call is named XPM_NoSuchCall"
            "product;panic;only the probe root can be told to panic" "probe;race after;race takes nothing, or after MS"
            "probe;open MenuSystem::BrcmMainMenu;the probe root opens no screens"
            "product;open NoSuch::Screen;no class NoSuch::Screen in the program"
            "product;open MenuSystem::BrcmMainMenu origin sideways;origin is menu, quick or nonmenu"
            "probe;expect call XPM_NoSuchCall;no platform call is named XPM_NoSuchCall"
            "probe;expect output;expect output takes a quoted text" "probe;expect layout now;expect layout takes nothing"
            "probe;expect picture ../x.png;expect picture takes a file name below the scenario's folder"
            "probe;expect threads many;expect threads takes a number or steady" "probe;expect panic a b;expect panic takes at most"
            "probe;memory now;memory takes nothing" "probe;walk 0 5;walk takes a number of keys and a seed"
            "product;dispatch dpms -1;dispatch takes factory-reset"
            "product;dispatch factory-command 0 1 NoSuch::Screen;no class NoSuch::Screen in the program"
            "product;live-tv 2 1;live-tv takes a window" "product;usb insert 0;usb takes insert"
            "product;clock before-timer 90000;clock takes before-timer SECONDS" "product;media;media takes stick"
            "product;file \"/mnt/../x\" \"t\";file takes the path of a file below the set's root, not /mnt/../x"
            "product;link \"/mnt/nvram\";link takes an absolute path and a target"
            "product;shell \"x\" 300 \"\";shell takes a command's beginning" "product;expect file x;expect file takes an absolute path"
            "product;expect-backup Key;expect-backup takes a key and a value"
            "nonmenu;send NO_SUCH_MESSAGE;send takes a message code" "nonmenu;circle x;circle takes a mode")
  list(GET bad 0 root)
  list(GET bad 1 line)
  list(GET bad 2 reason)
  file(WRITE ${WORK}/never.scn "root ${root}\nadvance 1\n${line}\n")
  check(never_runs 2 "^tvui: ${WORK}/never.scn:3: ${reason}" ${TVUI} --quiet --scenario ${WORK}/never.scn --out
        ${WORK}/never)
endforeach()
if(EXISTS ${WORK}/x.png)
  set(failures "${failures}\nnever_runs: a screenshot was written outside the output folder")
endif()
# Repeats that do not hold together. Every message names its line as FILE:LINE,
# counting every line of the file, comments and blank lines too, whichever
# check finds it.
foreach(bad "repeat 2\nadvance 1;:1: repeat without end" "advance 1\nend;:2: end without repeat"
            "repeat x\nend;:1: repeat takes a count from 1 to 2147483647, not x"
            "repeat\nadvance 1\nend;:1: repeat takes a count, one number"
            "advance 1\nrepeat 0\n  advance 1\nend;:2: repeat takes a count from 1 to 2147483647, not 0"
            "repeat 2\n  repeat -1\n  advance 1\n  end\nend;:2: repeat takes a count from 1 to 2147483647, not -1"
            "repeat 1001\nrepeat 1000\nadvance 1\nend\nend;:5: the scenario comes to more than 1000000 lines here"
            "advance 1\nrepeat 999999\nadvance 1\nend\nadvance 1;:5: the scenario comes to more than 1000000 lines here"
            "repeat 2\nadvance \"1\nend;:2: a quote is not closed"
            "# a comment\n\nrepeat 2\nadvance \"1\nend;:4: a quote is not closed"
            "# a comment\n\nrepeat 2\nbogus\nend;:4: unknown line bogus"
            "repeat 3\n# nothing\nend;:1: repeat holds no line up to its end"
            "advance 1\nrepeat 2147483647\n  repeat 2\n  end\nend;:3: repeat holds no line up to its end")
  list(GET bad 0 text)
  list(GET bad 1 reason)
  file(WRITE ${WORK}/bad_repeat.scn "${text}\n")
  check(bad_repeat 2 "^tvui: ${WORK}/bad_repeat.scn${reason}" ${TVUI} --quiet --scenario ${WORK}/bad_repeat.scn)
endforeach()
# A scenario of which no line runs would pass having checked nothing.
foreach(text "" "# only a comment\n\n  # and another\n")
  file(WRITE ${WORK}/nothing.scn "${text}")
  check(checks_nothing 2 "^tvui: ${WORK}/nothing.scn: no line runs: [^\n]*would check nothing\n$" ${TVUI} --quiet
        --scenario ${WORK}/nothing.scn)
endforeach()
# An editor's byte-order mark is named, on the first line or a later one,
# before a comment too.
foreach(case "\\357\\273\\277tv demo\\nadvance 1;1: the file begins"
             "\\357\\273\\277# a comment\\nadvance 1;1: the file begins"
             "root probe\\n \\357\\273\\277key 1;2: the line begins")
  list(GET case 0 text)
  list(GET case 1 reason)
  execute_process(COMMAND printf "${text}\\n" OUTPUT_FILE ${WORK}/marked.scn)
  check(byte_order_mark 2 "^tvui: ${WORK}/marked.scn:${reason} with a byte-order mark \\(U\\+FEFF" ${TVUI} --quiet
        --scenario ${WORK}/marked.scn)
endforeach()
# The leading lines: root, the set's content, then tv on, which ends them; a
# line that would begin the content anew after another is refused too.
file(WRITE ${WORK}/fine.fixture "channel 7-1 KQRS\n")
foreach(case "tv demo\ntv on\ntv on;3: tv lines come before every other line but root, and tv on last of them"
             "tv on\ntv fixture fine.fixture;2: tv lines come before"
             "tv demo\ntv on\nroot product;3: root must come before every other line"
             "tv fixture fine.fixture\ntv demo;2: tv demo begins the set's content anew"
             "tv fresh\ntv fresh;2: tv fresh begins the set's content anew")
  list(GET case 0 text)
  list(GET case 1 reason)
  file(WRITE ${WORK}/scene.scn "${text}\nadvance 1\n")
  check(scene_lines 2 "^tvui: ${WORK}/scene.scn:${reason}" ${TVUI} --quiet --scenario ${WORK}/scene.scn)
endforeach()
# Only TVUI_UPDATE_GOLDENS=1 rewrites the references; any other value, empty
# too, is refused before the set boots, and the reference stays.
file(MAKE_DIRECTORY ${WORK}/goldens)
file(WRITE ${WORK}/goldens/kept.png "mine\n")
file(WRITE ${WORK}/goldens/golden.scn "root probe\nkey 1\nexpect picture kept.png\n")
foreach(value 0 "" yes)
  check(update_goldens 2 "^tvui: TVUI_UPDATE_GOLDENS takes 1, which rewrites the reference pictures, or is left unset[^\n]*it is set to \"${value}\"\n$"
        ${CMAKE_COMMAND} -E env TVUI_UPDATE_GOLDENS=${value} ${TVUI} --quiet --scenario ${WORK}/goldens/golden.scn)
endforeach()
file(READ ${WORK}/goldens/kept.png kept)
if(NOT kept STREQUAL "mine\n")
  set(failures "${failures}\nupdate_goldens: a refused value rewrote the reference")
endif()

# The pictures go neither to the system's root nor among its folders, named
# or reached through a link, and never over a file the runner did not write:
# the user's own page, or a picture of theirs by the name of one the
# scenario takes, is refused before the set boots and stays as it was.
foreach(case "/;it is the system's root" "${WORK}/systemlink;it is the system's root"
             "/usr/share/tvui-pictures;it lies in /usr, one of the system's own folders"
             "/home;it is one of the system's own folders" "/var/tmp;it is one of the system's own folders"
             "/var/lib/tvui-pictures;it lies in /var, one of the system's own folders")
  list(GET case 0 folder)
  list(GET case 1 reason)
  check(system_out 2 "the pictures cannot be written to ${folder}: ${reason}; name another --out" ${TVUI} --quiet
        --out ${folder})
endforeach()
if(EXISTS /usr/share/tvui-pictures)
  set(failures "${failures}\nsystem_out: the runner made a folder among the system's")
endif()
file(WRITE ${WORK}/mine/index.html "my page\n")
check(users_page 2 "^tvui: ${WORK}/mine/index.html is not one the runner wrote, and the runner never writes over a file it did not write"
      ${TVUI} --quiet --out ${WORK}/mine)
file(WRITE ${WORK}/mine/keys.png "my picture\n")
file(WRITE ${WORK}/shot.scn "root probe\nkey 1\nscreenshot keys.png\n")
check(users_picture 2 "^tvui: ${WORK}/mine/keys.png is not one the runner wrote" ${TVUI} --quiet --scenario
      ${WORK}/shot.scn --out ${WORK}/mine)
file(READ ${WORK}/mine/index.html page)
file(READ ${WORK}/mine/keys.png picture)
if(NOT page STREQUAL "my page\n" OR NOT picture STREQUAL "my picture\n")
  set(failures "${failures}\nusers_page: the runner wrote over a file of the user's")
endif()
# Nor through a link, nor into a pipe: the record and the files it names are
# regular files below the folder, reached without a link, or the run is
# refused, naming them, and nothing outside is emptied, made or removed.
file(WRITE ${WORK}/outside/kept.png "outside\n")
file(WRITE ${WORK}/outside/record "outside\n")
file(WRITE ${WORK}/through/recorded/.tvui-out "sub/kept.png\n")
file(WRITE ${WORK}/through/picture/.tvui-out "kept.png\n")
file(MAKE_DIRECTORY ${WORK}/through/record/sub ${WORK}/through/new/sub ${WORK}/through/pipe/sub
     ${WORK}/through/picture/sub ${WORK}/through/shot)
file(CREATE_LINK ${WORK}/outside/record ${WORK}/through/record/.tvui-out SYMBOLIC)
file(CREATE_LINK ${WORK}/outside/made ${WORK}/through/new/.tvui-out SYMBOLIC)
file(CREATE_LINK ${WORK}/outside/kept.png ${WORK}/through/picture/kept.png SYMBOLIC)
execute_process(COMMAND mkfifo ${WORK}/through/pipe/.tvui-out)
foreach(folder recorded shot)
  file(CREATE_LINK ${WORK}/outside ${WORK}/through/${folder}/sub SYMBOLIC)
endforeach()
file(WRITE ${WORK}/sub.scn "root probe\nkey 1\nscreenshot sub/new.png\n")
foreach(case "record;.tvui-out is a link" "new;.tvui-out is a link" "pipe;.tvui-out is a pipe"
             "picture;kept.png is a link" "recorded;sub/kept.png lies below ${WORK}/through/recorded/sub, a link"
             "shot;sub/new.png lies below ${WORK}/through/shot/sub, a link")
  list(GET case 0 folder)
  list(GET case 1 reason)
  check(out_through_${folder} 2 "^tvui: ${WORK}/through/${folder}/${reason}: the runner reads, writes and removes"
        ${TVUI} --quiet --scenario ${WORK}/sub.scn --out ${WORK}/through/${folder})
endforeach()
file(GLOB outside RELATIVE ${WORK}/outside ${WORK}/outside/*)
file(READ ${WORK}/outside/record record)
if(NOT outside STREQUAL "kept.png;record" OR NOT record STREQUAL "outside\n")
  set(failures "${failures}\nout_through: the runner changed the files outside its folder: ${outside}")
endif()
# What the runner prints is its answer: a standard output that cannot take
# it (a full disk) ends it with a failure, saying so.
execute_process(COMMAND ${TVUI} --help OUTPUT_FILE /dev/full RESULT_VARIABLE got ERROR_VARIABLE stderr)
if(NOT got EQUAL 1 OR NOT stderr MATCHES "^tvui: the standard output could not be written")
  set(failures "${failures}\nhelp_full: --help to a full disk: status ${got}, standard error:\n${stderr}")
endif()
# The scripts take as many cores as TVUI_JOBS says; a count that is none is
# refused before anything is built.
foreach(script run test fuzz monkey)
  check(jobs_${script} 2 "TVUI_JOBS takes the number of cores to build and test on \\(1 or more\\), not \"all\""
        ${CMAKE_COMMAND} -E env TVUI_JOBS=all bash ${CMAKE_CURRENT_LIST_DIR}/../../scripts/${script}.sh)
endforeach()
# The scripts that build in one folder take its lock: a build waits, saying
# so, while another holds it, and holds it while it runs.
get_filename_component(top ${CMAKE_CURRENT_LIST_DIR}/../.. ABSOLUTE)
file(WRITE ${WORK}/lock.sh [=[
. "$1/scripts/jobs.sh"
lock=$1/build/lock-check.lock
mkdir -p "$1/build"
exec 9>"$lock"
flock 9
coproc waiter { build_locked lock-check bash -c 'flock -n "$0" true && echo "ran without the lock" || echo "ran holding the lock"' "$lock" 2>&1; }
read -r first <&"${waiter[0]}"
flock -u 9
read -r second <&"${waiter[0]}"
wait
rm -f "$lock"
printf '%s\n%s\n' "$first" "$second" >&2
]=])
check(build_lock 0 "^waiting for the build in build/lock-check that another script runs [^\n]*\nran holding the lock\n$"
      bash ${WORK}/lock.sh ${top})
# The walk builds its program holding build/asan's lock, on TVUI_JOBS cores,
# and asks whether the program is there holding it too, as another script
# may be building it: a copy of the scripts, with cmake a stand-in that
# notes how it was called and makes a program that notes its runs.
file(MAKE_DIRECTORY ${WORK}/monkey/bin)
file(COPY ${top}/scripts/monkey.sh ${top}/scripts/jobs.sh DESTINATION ${WORK}/monkey/scripts)
file(WRITE ${WORK}/monkey/bin/cmake [=[#!/usr/bin/env bash
top=$(cd "$(dirname "$0")/.." && pwd)
flock -n "$top/build/asan.lock" true && lock=free || lock=held
echo "cmake $* (the lock $lock)" >>"$top/calls"
if [[ $1 == --build ]]; then
  mkdir -p "$top/build/asan/tools/tvui"
  printf '#!/usr/bin/env bash\necho "tvui ran" >>"%s/calls"\n' "$top" >"$top/build/asan/tools/tvui/tvui"
  chmod +x "$top/build/asan/tools/tvui/tvui"
fi
]=])
file(CHMOD ${WORK}/monkey/bin/cmake PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
file(WRITE ${WORK}/monkey.sh [=[
cd "$1" || exit 1
export PATH=$1/bin:$PATH MONKEY_OUT=$1/out TVUI_JOBS=3
unset TVUI
bash scripts/monkey.sh 1 1 >/dev/null 2>&1 || echo "the walk failed"
echo "-- the program there, another script building"
exec 9>"$1/build/asan.lock"
flock 9
coproc walk { bash scripts/monkey.sh 1 1 2>&1 >/dev/null; }
# Its own copy: bash closes the coprocess's as it ends.
exec 8<&"${walk[0]}"
read -r first <&8
echo "$first" | sed 's/ (.*//'
cat calls
echo "-- the other build done"
flock -u 9
cat <&8
wait
cat calls
]=])
check(monkey_build_lock 0 "^$" bash ${WORK}/monkey.sh ${WORK}/monkey)
set(walk "cmake --preset asan \\(the lock held\\)\ncmake --build --preset asan --target tvui -j 3 \\(the lock held\\)\ntvui ran\n")
if(NOT out MATCHES "^-- the program there, another script building\nwaiting for the build in build/asan that another script runs\n${walk}-- the other build done\n${walk}tvui ran\n$")
  set(failures "${failures}\nmonkey_build_lock: the walk did not build holding the lock, on TVUI_JOBS cores, or did not wait for another script's build when its program was there:\n${out}")
endif()
# Installed without its font: PREFIX/bin/tvui beside PREFIX/share/tvui.
file(MAKE_DIRECTORY ${WORK}/prefix/bin ${WORK}/prefix/share/tvui)
file(CREATE_LINK ${TVUI} ${WORK}/prefix/bin/tvui COPY_ON_ERROR)
file(COPY ${CMAKE_CURRENT_LIST_DIR}/../../tools/tvui/demo.scn DESTINATION ${WORK}/prefix/share/tvui)
# The remedy is the install's, not the source tree's script.
check(font 1 "the font ${WORK}/prefix/share/tvui/fonts/tt7268m_803.ttf is missing; installing tvui again \\(cmake --install\\)"
      ${WORK}/prefix/bin/tvui --quiet)
# Nor is a pipe, a folder or a device in its place a font, and the run says
# which it found (a pipe would hold the font engine's first read for good).
set(font ${WORK}/prefix/share/tvui/fonts/tt7268m_803.ttf)
file(MAKE_DIRECTORY ${WORK}/prefix/share/tvui/fonts)
execute_process(COMMAND mkfifo ${font})
check(font_pipe 1 "the font ${font} is a pipe, not a font file" ${WORK}/prefix/bin/tvui --quiet)
file(REMOVE ${font})
file(MAKE_DIRECTORY ${font})
check(font_folder 1 "the font ${font} is a folder, not a font file" ${WORK}/prefix/bin/tvui --quiet)
file(REMOVE_RECURSE ${font})
file(CREATE_LINK /dev/null ${font} SYMBOLIC)
check(font_device 1 "the font ${font} is a device, not a font file" ${WORK}/prefix/bin/tvui --quiet)
file(REMOVE ${font})
# Its default folder for the set's files is refused among the system's too.
file(COPY ${CMAKE_CURRENT_LIST_DIR}/../../fonts/tt7268m_803.ttf DESTINATION ${WORK}/prefix/share/tvui/fonts)
check(system_default_root 2 "kept in /usr/lib/tvui-check-state/tvui/rootfs: it lies in /usr" ${CMAKE_COMMAND} -E env
      --unset=TVUI_ROOT XDG_STATE_HOME=/usr/lib/tvui-check-state ${WORK}/prefix/bin/tvui --quiet)
if(EXISTS /usr/lib/tvui-check-state)
  file(REMOVE_RECURSE /usr/lib/tvui-check-state)
  set(failures "${failures}\nsystem_default_root: the set made its folder among the system's")
endif()

else()

# The demonstration tours the set from the factory whatever its folder holds:
# here a set that an earlier run took past the first-time setup, in a folder
# that was new then and where a user has since put a file of theirs. The set's
# own folders go, and the user's file stays, named; the set makes nothing in
# its folder but its own folders.
file(WRITE ${WORK}/on.scn "tv demo\ntv on\n")
check(set_on 0 "^$" ${TVUI} --quiet --scenario ${WORK}/on.scn)
file(WRITE ${WORK}/set/thesis.tex "mine\n")
check(demo 0 "^$" ${TVUI} --quiet)
string(REGEX REPLACE "tvui: [^\n]*\n" "" others "${out}")
if(NOT out MATCHES "demo.scn: [0-9]+ lines passed" OR NOT others STREQUAL "")
  set(failures "${failures}\ndemo: the quiet run printed more than the runner's lines:\n${out}")
endif()
if(NOT out MATCHES "left alone there, as the set did not make them: thesis.tex\n")
  set(failures "${failures}\ndemo: the fresh set did not name the user's file it left alone:\n${out}")
endif()
file(GLOB entries RELATIVE ${WORK}/set ${WORK}/set/* ${WORK}/set/.*)
list(SORT entries)
if(NOT EXISTS ${WORK}/set/thesis.tex OR NOT entries STREQUAL ".tvui-set;mnt;thesis.tex;tmp")
  set(failures "${failures}\ndemo: the set's folder holds ${entries}, not the set's own folders and the user's file")
endif()

# Every key that --help names is in the key table of docs/keys.md, by the
# same name; every status the runner ends with is listed.
check(help 0 "^$" ${TVUI} --help)
file(READ ${CMAKE_CURRENT_LIST_DIR}/../../docs/keys.md key_page)
if(NOT out MATCHES "Exit status: 0 [^;]*; 1 [^;]*; 2 [^;]*; 86 [^;]*; 130 on Ctrl-C; 143 on SIGTERM")
  set(failures "${failures}\nhelp: the exit statuses are not all listed:\n${out}")
endif()
string(REGEX MATCH "\nKeys \\([^\n]*\n(.*)\n  key 0 to key 9 are the digit keys; any other number" keys "${out}")
string(REGEX MATCHALL "\n  [^ \n]+" names "\n${CMAKE_MATCH_1}")
list(LENGTH names count)
if(count LESS 40)
  set(failures "${failures}\nhelp: the key table lists ${count} keys")
endif()
foreach(name ${names})
  string(STRIP "${name}" name)
  if(NOT name MATCHES "^[0-9]$")
    string(FIND "${key_page}" "| `${name}` |" at)
    if(at EQUAL -1)
      set(failures "${failures}\nhelp: the key table of docs/keys.md has no row for ${name}")
    endif()
  endif()
endforeach()

refuse(standby_key "advance 1000\nkey MENU" "the set is in standby, where no key but the power key reaches it")
refuse(standby_gui_key "advance 1000\nkey gui 3" "the set is in standby")
refuse(tv_on_probe "root probe\ntv on" "tv on needs the product's root")
# An expected picture stays in the scenario's folder: nothing is read, nor a
# difference or a new reference written, past it.
file(MAKE_DIRECTORY ${WORK}/pictures)
foreach(name ../outside.png ${WORK}/outside.png)
  file(WRITE ${WORK}/pictures/outside.scn "root probe\nkey 1\nexpect picture ${name}\n")
  check(picture_outside 2 "outside.scn:3: expect picture takes a file name below the scenario's folder, not ${name}\n"
        ${CMAKE_COMMAND} -E env TVUI_UPDATE_GOLDENS=1 ${TVUI} --quiet --scenario ${WORK}/pictures/outside.scn)
endforeach()
if(EXISTS ${WORK}/outside.png)
  set(failures "${failures}\npicture_outside: a reference was written outside the scenario's folder")
endif()
# Nor through a link: none on the way below the scenario's folder, nor in
# place of a reference or of its difference.
file(WRITE ${WORK}/elsewhere/target.png "mine\n")
file(CREATE_LINK ${WORK}/elsewhere ${WORK}/pictures/lnk SYMBOLIC)
file(WRITE ${WORK}/pictures/take.scn "root probe\nkey 1\nexpect picture h.png\n")
check(picture_take 0 "^$" ${CMAKE_COMMAND} -E env TVUI_UPDATE_GOLDENS=1 ${TVUI} --quiet --scenario ${WORK}/pictures/take.scn)
file(CREATE_LINK ${WORK}/elsewhere/target.png ${WORK}/pictures/h_diff.png SYMBOLIC)
foreach(case "TVUI_UPDATE_GOLDENS=1;lnk/g.png;lnk/g.png lies below ${WORK}/pictures/lnk, a link"
             "--unset=TVUI_UPDATE_GOLDENS;h.png;h_diff.png is a link")
  list(GET case 0 update)
  list(GET case 1 name)
  list(GET case 2 reason)
  file(WRITE ${WORK}/pictures/link.scn "root probe\nkey 2\nexpect picture ${name}\n")
  check(picture_link 1 "failed: expect picture ${name}\n  ${WORK}/pictures/${reason}: expect picture" ${CMAKE_COMMAND} -E
        env ${update} ${TVUI} --quiet --scenario ${WORK}/pictures/link.scn)
endforeach()
file(GLOB elsewhere RELATIVE ${WORK}/elsewhere ${WORK}/elsewhere/*)
file(READ ${WORK}/elsewhere/target.png target)
if(NOT elsewhere STREQUAL "target.png" OR NOT target STREQUAL "mine\n")
  set(failures "${failures}\npicture_link: expect picture wrote through a link: ${elsewhere}")
endif()
# The stop command ends the period of operation: the set is in standby and its
# GUI has ended, so a key that follows reaches nothing and must not pass.
refuse(stop_key "tv demo\ntv on\nstandby\nkey MENU" "the set is in standby")
refuse(stop_press "tv demo\ntv on\nstandby\npress OK" "the set is in standby")
# A focus that misses names the screen it is in, by its class when the
# screen has no window id: the Settings page beside the main menu.
refuse(focus_page "tv demo\nadvance 1000\nstore SetupStep 9\nstore MainMenuIndex \"3\"\nevent XPM_EVENT_WAKEUP Reason=1
advance 1000\nkey MENU\nadvance 400\nkey RIGHT\nexpect focus \"View Mode\""
       "the focus is on MenuSystem::BrcmSubMenuItem \"Input Labels\" in screen MenuSystem::BrcmSettingsMenu, not on \"View Mode\"")
# A folder that was empty becomes the set's; --fresh removes the set's own
# folders from it and leaves alone, by name, what a user put beside them.
file(MAKE_DIRECTORY ${WORK}/ownset)
check(fresh_made 0 "^$" ${CMAKE_COMMAND} -E env TVUI_ROOT=${WORK}/ownset ${TVUI} --quiet --scenario ${WORK}/quick.scn)
# So does one that a set made before the mark, holding nothing but mnt (with
# the settings' nvram) and tmp, for a fresh set too, which empties it.
file(WRITE ${WORK}/oldset/mnt/nvram/stale "left by an older set\n")
file(WRITE ${WORK}/oldfresh/mnt/nvram/stale "left by an older set\n")
check(old_set 0 "^$" ${CMAKE_COMMAND} -E env TVUI_ROOT=${WORK}/oldset ${TVUI} --quiet --scenario ${WORK}/quick.scn)
check(old_set_fresh 0 "^$" ${CMAKE_COMMAND} -E env TVUI_ROOT=${WORK}/oldfresh ${TVUI} --quiet --fresh --scenario
      ${WORK}/quick.scn)
if(NOT EXISTS ${WORK}/oldset/.tvui-set OR NOT EXISTS ${WORK}/oldset/mnt/nvram/stale OR
   NOT EXISTS ${WORK}/oldfresh/.tvui-set OR EXISTS ${WORK}/oldfresh/mnt/nvram/stale)
  set(failures "${failures}\nold_set: a set's folder from before the mark was not taken and marked, or emptied fresh")
endif()
file(WRITE ${WORK}/ownset/mnt/nvram/stale "left by the last run\n")
file(WRITE ${WORK}/ownset/keep.txt "mine\n")
check(fresh_again 0 "^$" ${CMAKE_COMMAND} -E env TVUI_ROOT=${WORK}/ownset ${TVUI} --quiet --fresh --scenario ${WORK}/quick.scn)
if(EXISTS ${WORK}/ownset/mnt/nvram/stale OR NOT EXISTS ${WORK}/ownset/.tvui-set)
  set(failures "${failures}\nfresh_again: --fresh kept a file of the set it made")
endif()
if(NOT EXISTS ${WORK}/ownset/keep.txt OR NOT out MATCHES "left alone there, as the set did not make them: keep.txt")
  set(failures "${failures}\nfresh_again: --fresh removed the user's file, or did not name it:\n${out}")
endif()
# A TVUI_ROOT that is a link is the folder it points to: the set's folder is
# emptied and the link stays; a link to a folder the set did not make is
# refused as that folder is.
file(CREATE_LINK ${WORK}/ownset ${WORK}/ownlink SYMBOLIC)
file(WRITE ${WORK}/ownset/mnt/nvram/stale "left by the last run\n")
check(fresh_link 0 "^$" ${CMAKE_COMMAND} -E env TVUI_ROOT=${WORK}/ownlink ${TVUI} --quiet --fresh --scenario
      ${WORK}/quick.scn)
if(NOT IS_SYMLINK ${WORK}/ownlink OR EXISTS ${WORK}/ownset/mnt/nvram/stale OR NOT EXISTS ${WORK}/ownset/.tvui-set)
  set(failures "${failures}\nfresh_link: --fresh through a link did not empty the set's folder and keep the link")
endif()
# A link among the set's folders that stays in its folder is the set's to
# use; one that leads out of it goes with --fresh, and what it points to
# stays as it was.
file(WRITE ${WORK}/linkset/.tvui-set "")
file(MAKE_DIRECTORY ${WORK}/linkset/kept ${WORK}/linkset/mnt ${WORK}/linkaway)
file(CREATE_LINK ../kept ${WORK}/linkset/mnt/nvram SYMBOLIC)
check(link_inside 0 "^$" ${CMAKE_COMMAND} -E env TVUI_ROOT=${WORK}/linkset ${TVUI} --quiet --scenario ${WORK}/on.scn)
file(REMOVE_RECURSE ${WORK}/linkset/tmp)
file(CREATE_LINK ${WORK}/linkaway ${WORK}/linkset/tmp SYMBOLIC)
check(link_fresh 0 "^$" ${CMAKE_COMMAND} -E env TVUI_ROOT=${WORK}/linkset ${TVUI} --quiet --fresh --scenario
      ${WORK}/quick.scn)
file(GLOB away ${WORK}/linkaway/*)
if(NOT EXISTS ${WORK}/linkset/kept/APP_NVRAM.dat OR IS_SYMLINK ${WORK}/linkset/tmp OR away)
  set(failures "${failures}\nlink_fresh: the set did not keep its settings through its own link, or --fresh wrote through one out of its folder: ${away}")
endif()

# Links that name the set's folder by the path TVUI_ROOT gives (a link to
# it), or that climb out of it and straight back by its own name, are the
# set's to use as the start check takes them: its settings are saved
# through them.
file(WRITE ${WORK}/namedset/.tvui-set "")
file(MAKE_DIRECTORY ${WORK}/namedset/mnt ${WORK}/namedset/kept)
file(CREATE_LINK ${WORK}/namedset ${WORK}/namedlink SYMBOLIC)
file(WRITE ${WORK}/store_marker.scn "tv demo\ntv on\nstore Marker kept\nexpect setting Marker kept\n")
foreach(case "${WORK}/namedlink/kept;namedlink" "../../namedset/kept;namedset")
  list(GET case 0 target)
  list(GET case 1 root)
  file(REMOVE ${WORK}/namedset/mnt/nvram ${WORK}/namedset/kept/APP_NVRAM.dat)
  file(CREATE_LINK ${target} ${WORK}/namedset/mnt/nvram SYMBOLIC)
  check(link_named 0 "^$" ${CMAKE_COMMAND} -E env TVUI_ROOT=${WORK}/${root} ${TVUI} --quiet --scenario
        ${WORK}/store_marker.scn)
  if(NOT EXISTS ${WORK}/namedset/kept/APP_NVRAM.dat)
    set(failures "${failures}\nlink_named: the settings were not saved through the link to ${target}")
  endif()
endforeach()

# The font is read as the run starts into a copy held for it: whether the
# file is written over where it stands (emptied, or other bytes in it) or
# something is put in its place while the set runs (a device, a pipe, which
# the font engine's read would wait on for good, a folder, a sparse file,
# nothing, each in turn), the periods of operation after it draw the menu as
# the first did. The installed layout's fonts folder leads into the set's,
# where the file and link lines reach.
set(fontset ${WORK}/fontset)
set(fonts ${WORK}/fontprefix/share/tvui/fonts)
file(MAKE_DIRECTORY ${WORK}/fontprefix/bin ${WORK}/fontprefix/share/tvui ${fontset}/fonts)
file(CREATE_LINK ${TVUI} ${WORK}/fontprefix/bin/tvui COPY_ON_ERROR)
file(CREATE_LINK ${fontset}/fonts ${fonts} SYMBOLIC)
file(WRITE ${fontset}/.tvui-set "")
set(goodfont ${CMAKE_CURRENT_LIST_DIR}/../../fonts/tt7268m_803.ttf)
file(COPY ${goodfont} DESTINATION ${fontset}/fonts)
execute_process(COMMAND mkfifo ${WORK}/font.fifo)
execute_process(COMMAND truncate -s 1G ${WORK}/font.sparse)
set(lines "tv demo\ntv on\nkey MENU\nscreenshot first.png\n")
set(swapped "")
foreach(name emptied overwritten)
  set(text "")
  if(name STREQUAL "overwritten")
    set(text "no font at all")
  endif()
  list(APPEND swapped ${name})
  string(APPEND lines "standby\nfile \"/fonts/tt7268m_803.ttf\" \"${text}\"\nwake\nadvance 1000\n"
         "event XPM_EVENT_WAKEUP Reason=1\nadvance 1000\nkey MENU\nscreenshot ${name}.png\n")
endforeach()
foreach(case "device;/dev/null" "pipe;${WORK}/font.fifo" "folder;${WORK}/empty" "sparse;${WORK}/font.sparse"
             "nothing;${WORK}/no-font")
  list(GET case 0 name)
  list(GET case 1 swap)
  list(APPEND swapped ${name})
  string(APPEND lines "standby\nlink \"/fonts/tt7268m_803.ttf\" \"${swap}\"\nwake\nadvance 1000\n"
         "event XPM_EVENT_WAKEUP Reason=1\nadvance 1000\nkey MENU\nscreenshot ${name}.png\n")
endforeach()
file(WRITE ${WORK}/font_swap.scn "${lines}")
check(font_swapped 0 "^$" ${CMAKE_COMMAND} -E env TVUI_ROOT=${fontset} ${WORK}/fontprefix/bin/tvui --quiet
      --scenario ${WORK}/font_swap.scn --out ${WORK}/font_out)
file(SHA256 ${WORK}/font_out/first.png first)
foreach(name ${swapped})
  set(later "")
  if(EXISTS ${WORK}/font_out/${name}.png)
    file(SHA256 ${WORK}/font_out/${name}.png later)
  endif()
  if(NOT later STREQUAL first)
    set(failures "${failures}\nfont_swapped: the menu after the font was replaced by a ${name} is not drawn as before")
  endif()
endforeach()
# The set's one font file is its screen font whatever family it names (or
# none: its name table's tag changed): the run draws its texts with it.
file(READ ${goodfont} directory HEX LIMIT 400)
string(FIND "${directory}" "6e616d65" at)
math(EXPR entry "${at} / 2")
foreach(name serif nameless)
  file(REMOVE ${fonts}/tt7268m_803.ttf)
  if(name STREQUAL "serif")
    file(COPY_FILE /usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf ${fonts}/tt7268m_803.ttf)
  else()
    file(COPY_FILE ${goodfont} ${fonts}/tt7268m_803.ttf)
    execute_process(COMMAND sh -c "printf x | dd of=${fonts}/tt7268m_803.ttf bs=1 seek=${entry} conv=notrunc"
                    ERROR_QUIET)
  endif()
  check(font_family_${name} 0 "^$" ${CMAKE_COMMAND} -E env TVUI_ROOT=${fontset} ${WORK}/fontprefix/bin/tvui --quiet
        --scenario ${WORK}/quick.scn)
endforeach()
# A font that registers but draws nothing of the set's texts stops the run at
# its start, naming it, as does one that draws a few characters of them (the
# punctuation before the digits); one that draws the basic Latin range and
# none of the accented letters is taken with a warning per language. The
# fonts are the set's with the glyphs' index table (4 bytes a glyph, in the
# order of the basic Latin range) all ones from an entry on: the glyphs from
# there lie past the glyph table and are blank.
string(FIND "${directory}" "6c6f6361" at)
string(SUBSTRING "${directory}" ${at} 32 row)
string(SUBSTRING "${row}" 16 8 loca)
string(SUBSTRING "${row}" 24 8 length)
math(EXPR loca "0x${loca}")
math(EXPR length "0x${length}")
set(refused "^tvui: the font ${fonts}/tt7268m_803.ttf draws nothing for")
set(sorry ": it is no font the set can show its texts with")
foreach(case "blank;0;1;${refused} any of the characters of the set's English texts \\(\"PICTURE\", [^\n]*${sorry}"
             "few;19;1;${refused} 62 of the 62 letters and digits of the set's English texts \\(0 1 2 3 4 5 6 7 and 54 more\\)${sorry}"
             "basic;99;0;warning: the font [^\n]* of the set's French texts \\([^\n]*é[^\n]* U\\+2026\\): they show as gaps\n")
  list(GET case 0 name)
  list(GET case 1 first)
  list(GET case 2 status)
  list(GET case 3 pattern)
  math(EXPR offset "${loca} + ${first} * 4")
  math(EXPR count "${length} - ${first} * 4")
  file(REMOVE ${fonts}/tt7268m_803.ttf)
  file(COPY ${goodfont} DESTINATION ${fontset}/fonts)
  set(edit "tr '\\000' '\\377' </dev/zero | head -c ${count} | dd of=${fonts}/tt7268m_803.ttf bs=4096 seek=${offset} oflag=seek_bytes conv=notrunc")
  execute_process(COMMAND sh -c "${edit}" ERROR_QUIET)
  check(font_${name} ${status} "${pattern}"
        ${CMAKE_COMMAND} -E env TVUI_ROOT=${fontset} ${WORK}/fontprefix/bin/tvui --quiet --scenario ${WORK}/quick.scn)
endforeach()
# An empty file is said to be empty, not unreadable.
file(WRITE ${fonts}/tt7268m_803.ttf "")
check(font_empty 1 "^tvui: the font ${fonts}/tt7268m_803.ttf is empty \\(0 bytes\\)"
      ${CMAKE_COMMAND} -E env TVUI_ROOT=${fontset} ${WORK}/fontprefix/bin/tvui --quiet --scenario ${WORK}/quick.scn)
file(REMOVE ${fonts}/tt7268m_803.ttf)
file(COPY ${goodfont} DESTINATION ${fontset}/fonts)

# DirectFB is shown the set's own links to the system's modules alone: a
# library put in their folder, or anything else, goes as the set starts,
# named, and never runs inside it.
if(CC)
  file(WRITE ${WORK}/planted.c [=[
#include <stdio.h>
#include <stdlib.h>
__attribute__((constructor)) static void planted(void) {
  const char* mark = getenv("TVUI_PLANTED");
  FILE* file = mark ? fopen(mark, "w") : NULL;
  if (file) fclose(file);
}
]=])
  set(modules ${WORK}/modset/tmp/directfb-modules)
  file(WRITE ${WORK}/modset/.tvui-set "")
  file(MAKE_DIRECTORY ${modules}/systems ${modules}/wm)
  execute_process(COMMAND ${CC} -shared -fPIC -o ${modules}/systems/libdirectfb_planted.so ${WORK}/planted.c)
  file(COPY_FILE ${modules}/systems/libdirectfb_planted.so ${modules}/wm/libdirectfbwm_planted.so)
  file(WRITE ${modules}/notes.txt "mine\n")
  check(planted_module 0 "^$" ${CMAKE_COMMAND} -E env TVUI_ROOT=${WORK}/modset TVUI_PLANTED=${WORK}/planted_ran ${TVUI}
        --scenario ${WORK}/quick.scn)
  foreach(planted systems/libdirectfb_planted.so wm/libdirectfbwm_planted.so notes.txt)
    if(NOT out MATCHES "GCM_Start: ${modules}/${planted} is not one of the set's own links to the system's display modules[^\n]*: removed\n")
      set(failures "${failures}\nplanted_module: ${planted} was not named as removed:\n${out}")
    endif()
  endforeach()
  if(EXISTS ${WORK}/planted_ran OR EXISTS ${modules}/notes.txt)
    set(failures "${failures}\nplanted_module: a library put among the display modules ran in the set, or stayed")
  endif()
  # Another process of the user links a library into the folder while the
  # set makes it: a library preloaded into the set does so at the moment,
  # as the set makes its last link (before DirectFB is shown the folder), or
  # as DirectFB starts (which then runs it). Either stops the run, naming
  # what was put there; the first before anything of it has run.
  file(WRITE ${WORK}/racer.c [=[
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>
static void race(const char* when) {
  const char* at = getenv("TVUI_RACE_AT");
  if (at && strcmp(at, when) == 0) symlink(getenv("TVUI_RACE_LIBRARY"), getenv("TVUI_RACE_INTO"));
}
int symlinkat(const char* target, int folder, const char* name) {
  int (*link)(const char*, int, const char*) = (int (*)(const char*, int, const char*))dlsym(RTLD_NEXT, "symlinkat");
  int made = link(target, folder, name);
  if (strcmp(name, "interfaces") == 0) race("links");
  return made;
}
int DirectFBCreate(void** interface) {
  race("start");
  return ((int (*)(void**))dlsym(RTLD_NEXT, "DirectFBCreate"))(interface);
}
]=])
  execute_process(COMMAND ${CC} -shared -fPIC -o ${WORK}/racer.so ${WORK}/racer.c -ldl)
  execute_process(COMMAND ${CC} -shared -fPIC -o ${WORK}/planted.so ${WORK}/planted.c)
  foreach(at links start)
    file(REMOVE ${WORK}/planted_ran)
    check(raced_module_${at} 1 "^tvui: the set stops at its start: ${modules} holds systems/libdirectfb_raced.so, which is not one of the set's own links to the system's display modules: another process put it there as the set made the folder"
          ${CMAKE_COMMAND} -E env TVUI_ROOT=${WORK}/modset TVUI_PLANTED=${WORK}/planted_ran TVUI_RACE_AT=${at}
          TVUI_RACE_LIBRARY=${WORK}/planted.so TVUI_RACE_INTO=${modules}/systems/libdirectfb_raced.so
          LD_PRELOAD=${WORK}/racer.so "ASAN_OPTIONS=$ENV{ASAN_OPTIONS}:verify_asan_link_order=0" ${TVUI} --quiet
          --scenario ${WORK}/quick.scn)
    if(at STREQUAL "links" AND EXISTS ${WORK}/planted_ran)
      set(failures "${failures}\nraced_module: a library linked in before DirectFB started ran in the set")
    endif()
  endforeach()
endif()

# A stick goes onto the USB disk as far as a disk keeps it: its files and
# folders, however deep (a thousand folders here, with handles for fewer),
# and its links that lead through it. A device (read without end), a pipe,
# and a link out of the stick (an absolute one names the stick's place on the
# host) or round in a loop are left out, each named. The stick goes in again
# over the copy, and the next start, and a fresh one, take the set as the
# copy left it. All in a memory file system of its own.
file(WRITE ${WORK}/stick.sh [=[
w=$1/stick_mount
mkdir -p "$w" && mount -t tmpfs -o size=64m none "$w" || exit 77
ulimit -n 256
s=$w/stick
mkdir -p "$s/pics" "$w/set" && echo picture >"$s/pics/a.png" && : >"$w/set/.tvui-set" || exit 1
left="pipe out absolute climbs loop ring"
mknod "$s/zero" c 1 5 2>/dev/null && left="$left zero"
mkfifo "$s/pipe"
ln -s pics/a.png "$s/inside" && ln -s /etc "$s/out" && ln -s "$s/pics" "$s/absolute" && ln -s ../stick/pics "$s/climbs"
ln -s ring "$s/loop" && ln -s loop "$s/ring"
deep=$s
for i in $(seq 1000); do deep=$deep/d; done
mkdir -p "$deep" && echo deep >"$deep/file.txt" || exit 1
printf 'tv demo\ntv on\nmedia %s\nmedia remove\nmedia %s\n' "$s" "$s" >"$w/media.scn"
TVUI_ROOT=$w/set "$2" --scenario "$w/media.scn" --out "$w/out" >"$w/log" 2>&1 || cat "$w/log" >&2
usba=$w/set/mnt/removable/usba
for name in $left; do
  { [ -e "$usba/$name" ] || [ -L "$usba/$name" ]; } && echo "$name was copied onto the disk" >&2
  grep -q "^SIMTV: $s/$name is left out of the copy onto the USB disk: it" "$w/log" || echo "$name was not named" >&2
done
case $left in *zero) grep -q "zero is left out [^:]*: it is a character device" "$w/log" || echo "zero: no kind" >&2 ;; esac
[ "$(cat "$usba/inside")" = picture ] || echo "the link that leads through the stick was not copied" >&2
[ "$(cat "$usba${deep#"$s"}/file.txt")" = deep ] || echo "the deepest file was not copied" >&2
printf 'root probe\nkey 1\n' >"$w/next.scn"
TVUI_ROOT=$w/set "$2" --quiet --scenario "$w/next.scn" --out "$w/out" >/dev/null &&
  TVUI_ROOT=$w/set "$2" --quiet --fresh --scenario "$w/next.scn" --out "$w/out" >/dev/null || exit 1

# A stick that holds the USB disk's folder, or one above it, would be copied
# into itself: it is refused, with the reason, before anything is copied or
# written. The set's folder held by a folder named, mnt, a stick reached
# through tmp/mediastick -> .., the set's own stick written there, a folder
# bound inside a stick, and a stick that lies on the disk.
o=$w/outer
mkdir -p "$o/set/tmp" "$o/set/mnt/removable/usba/inside" "$w/binds/inner" && : >"$o/set/.tvui-set" || exit 1
mount --bind "$o" "$w/binds/inner" && ln -s .. "$o/set/tmp/mediastick" || exit 1
refused() {
  printf '%s\n' "$1" >"$w/refused.scn"
  TVUI_ROOT=$o/set "$2" --quiet --scenario "$w/refused.scn" --out "$w/out" >/dev/null 2>"$w/refused.log"
  status=$?
  [ $status = 1 ] && grep -qF "$3" "$w/refused.log" || { echo "$1: status $status, not refused with: $3" >&2; cat "$w/refused.log" >&2; }
}
above="cannot go onto the USB disk: it holds the USB disk it would be copied onto:"
refused "media $o" "$2" "$o $above $o is a folder above the disk's folder, $o/set/mnt/removable/usba, and"
refused "media $o/set/mnt" "$2" "$o/set/mnt $above $o/set/mnt is a folder above"
refused "media $o/set/tmp/mediastick" "$2" "$above $o/set/tmp/mediastick is a folder above"
refused "media $w/binds" "$2" "$w/binds $above $w/binds/inner is a folder above"
refused "media $o/set/mnt/removable/usba/inside" "$2" "inside cannot go onto the USB disk: it lies on the USB disk"
refused "media stick" "$2" "the media stick cannot be written: $o/set/tmp/mediastick is a link to a folder that holds"
# The set's own stick goes into tmp/mediastick alone: a link there or at tmp
# that leads anywhere else in the set's folder is refused, naming it, before
# anything is made or written there.
mkdir -p "$o/set/mnt/kept" && ln -sfn ../mnt/kept "$o/set/tmp/mediastick" || exit 1
refused "media stick" "$2" "the media stick cannot be written: $o/set/tmp/mediastick is a link to ../mnt/kept: the set's own stick is written only into its own folder"
[ -z "$(ls -A "$o/set/mnt/kept")" ] || echo "the media stick was written through a link to another of the set's folders" >&2
# One that leads out of the set's folder (put while the set runs: its start
# refuses such a link) is refused as such.
rm "$o/set/tmp/mediastick" || exit 1
for out in "$w/elsewhere" ../../elsewhere; do
  refused "$(printf 'link "/tmp/mediastick" "%s"\nmedia stick' "$out")" "$2" "the media stick cannot be written: $o/set/tmp/mediastick is a link to $out, which leads out of the set's folder $o/set: the set's own stick is written only into its own folder tmp/mediastick, never through a link; remove"
  rm "$o/set/tmp/mediastick" || exit 1
done
# One that loops is refused in the words of the set's judge of links.
refused "$(printf 'link "/tmp/mediastick" "mediastick"\nmedia stick')" "$2" "the media stick cannot be written: $o/set/tmp/mediastick is a link to mediastick, which leads round in a loop of links: the set's own stick is written only into its own folder tmp/mediastick, never through a link; remove"
rm "$o/set/tmp/mediastick" || exit 1
[ -e "$w/elsewhere" ] || [ -e "$o/elsewhere" ] && echo "the media stick was written through a link out of the set's folder" >&2
ln -sfn ../mnt/kept "$o/set/tmp/mediastick" || exit 1
# (The set keeps its own temporary files through such a tmp: they stay there.)
mv "$o/set/tmp" "$o/set/tmp.away" && ln -s mnt/kept "$o/set/tmp" || exit 1
refused "media stick" "$2" "the media stick cannot be written: $o/set/tmp is a link to mnt/kept: the set's own stick"
[ -e "$o/set/mnt/kept/mediastick" ] && echo "the media stick's folder was made through a link at tmp" >&2
rm -r "$o/set/tmp" "$o/set/mnt/kept" && mv "$o/set/tmp.away" "$o/set/tmp" && rm "$o/set/tmp/mediastick" || exit 1
umount "$w/binds/inner"
[ "$(ls -A "$o/set/mnt/removable/usba")" = inside ] && [ ! -e "$o/set/Photo 01.png" ] ||
  echo "a stick that holds the set was copied, or the media stick written among the set's files" >&2
# A folder of the user's bound inside the disk's folder is not the set's: a
# stick going in leaves it with all it holds, and says the disk could not be
# emptied, naming it.
mkdir -p "$o/set/mnt/removable/usba/bound" "$w/users" "$w/plain" && echo mine >"$w/users/keep.txt" || exit 1
echo plain >"$w/plain/a.txt" && mount --bind "$w/users" "$o/set/mnt/removable/usba/bound" || exit 1
refused "media $w/plain" "$2" "$w/plain cannot go onto the USB disk: what it held cannot all be removed: $o/set/mnt/removable/usba/bound: a mount inside"
umount "$o/set/mnt/removable/usba/bound"
[ "$(cat "$w/users/keep.txt")" = mine ] || echo "the disk's emptying removed a file of a folder mounted inside it" >&2

# The copy keeps to the disk's room: a sparse file of a terabyte, and one
# larger than the small disk in already, are left out and named; the rest
# is copied. A file is put in place only once whole: a copy killed half-way
# (here by the limit of a file's size) leaves no file of its name, and the
# part it left goes, named, at the next start.
r=$w/room
mkdir -p "$r/stick" "$r/set" && : >"$r/set/.tvui-set" && truncate -s 1T "$r/stick/huge.mkv" || exit 1
head -c 409600 /dev/zero >"$r/stick/big.bin" && echo small >"$r/stick/small.txt" || exit 1
printf 'tv on\nusb insert 300\nmedia %s\n' "$r/stick" >"$r/room.scn"
TVUI_ROOT=$r/set "$2" --scenario "$r/room.scn" --out "$w/out" >"$r/log" 2>&1 || cat "$r/log" >&2
usba=$r/set/mnt/removable/usba
for file in "huge.mkv: it does not fit: it takes 1073741824 KB" "big.bin: it does not fit: it takes 400 KB"; do
  grep -qF "$r/stick/${file%%:*} is left out of the copy onto the USB disk:${file#*:}, and the USB disk has room" "$r/log" ||
    echo "${file%%:*} was not left out as too large" >&2
  [ -e "$usba/${file%%:*}" ] && echo "${file%%:*} was copied" >&2
done
[ "$(cat "$usba/small.txt")" = small ] || echo "the file that fits was not copied" >&2
mkdir -p "$r/cut/films" && head -c 819200 /dev/zero >"$r/cut/films/film.clip" || exit 1
printf 'tv on\nmedia %s\n' "$r/cut" >"$r/killed.scn"
{ (ulimit -c 0 -f 400 && TVUI_ROOT=$r/set exec "$2" --quiet --fresh --scenario "$r/killed.scn" --out "$w/out"); } >/dev/null 2>&1
[ $? -gt 128 ] && [ -e "$usba/films/.tvui-part-0" ] || echo "the copy was not cut short where the test cuts it" >&2
[ -e "$usba/films/film.clip" ] && echo "a copy cut short left a file of its name" >&2
TVUI_ROOT=$r/set "$2" --quiet --scenario "$w/next.scn" --out "$w/out" >"$r/next" 2>&1 || cat "$r/next" >&2
grep -qF "tvui: $usba/films/.tvui-part-0 removed: a copy onto the USB disk was cut short there" "$r/next" &&
  [ -z "$(ls -A "$usba/films")" ] || echo "the part a cut copy left was not removed at the next start" >&2

# On a host's disk the size of the set's, a file larger than the room left
# (less what the set keeps for its own files) is left out, and a start with
# --fresh takes a set whose disk was filled, emptying it before its check.
# What the set's own stick leaves out is named by the stick's own path.
printf 'tv on\nusb insert 1\nmedia stick\n' >"$r/own.scn"
TVUI_ROOT=$r/set "$2" --scenario "$r/own.scn" --out "$w/out" >"$r/own.log" 2>&1 || cat "$r/own.log" >&2
grep -qF "SIMTV: $r/set/tmp/mediastick/" "$r/own.log" && ! grep -q "/proc/self/fd" "$r/own.log" ||
  echo "the set's own stick was not named by its path: $(grep -m1 'left out' "$r/own.log")" >&2

mkdir -p "$w/small" && mount -t tmpfs -o size=4m none "$w/small" || exit 1
mkdir -p "$w/small/set" "$r/host" && : >"$w/small/set/.tvui-set" || exit 1
head -c 3145728 /dev/zero >"$r/host/large.bin" && head -c 1048576 /dev/zero >"$r/host/medium.bin" || exit 1
printf 'tv on\nmedia %s\n' "$r/host" >"$r/host.scn"
TVUI_ROOT=$w/small/set "$2" --scenario "$r/host.scn" --out "$w/out" >"$r/log" 2>&1 || cat "$r/log" >&2
usba=$w/small/set/mnt/removable/usba
grep -qF "$r/host/large.bin is left out of the copy onto the USB disk: it does not fit: it takes 3072 KB" "$r/log" &&
  [ ! -e "$usba/large.bin" ] && cmp -s "$r/host/medium.bin" "$usba/medium.bin" ||
  echo "the host's room was not kept: $(ls "$usba")" >&2
head -c 4194304 /dev/zero >"$usba/filler" 2>/dev/null
TVUI_ROOT=$w/small/set "$2" --quiet --scenario "$w/next.scn" --out "$w/out" >/dev/null 2>"$r/full.log"
[ $? = 2 ] && grep -qF "it cannot be written (No space left on device); free room on the disk beneath it, start a fresh set with --fresh" "$r/full.log" ||
  echo "a start on a full disk did not tell of --fresh: $(cat "$r/full.log")" >&2
TVUI_ROOT=$w/small/set "$2" --quiet --fresh --scenario "$w/next.scn" --out "$w/out" >/dev/null ||
  echo "a fresh start was refused on the full disk it empties" >&2

# Two sticks: the first's q -> . leads through it, and is copied; the
# second's l.png, judged on its own stick (no q there), would climb from the
# disk to the host's /etc/passwd, and is left out, named; so is a link that
# would close a loop with the first's. The next start takes the set.
t=$w/two
mkdir -p "$t/one" "$t/two" "$t/set" && : >"$t/set/.tvui-set" && ln -s . "$t/one/q" && ln -s b "$t/one/a" || exit 1
ln -s "$(printf 'q/%.0s' $(seq 20))$(printf '../%.0s' $(seq 20))etc/passwd" "$t/two/l.png" && ln -s a "$t/two/b" || exit 1
printf 'tv on\nmedia %s\nmedia %s\n' "$t/one" "$t/two" >"$t/two.scn"
TVUI_ROOT=$t/set "$2" --scenario "$t/two.scn" --out "$w/out" >"$t/log" 2>&1 || cat "$t/log" >&2
for name in l.png b; do
  grep -q "^SIMTV: $t/two/$name is left out of the copy onto the USB disk: on the USB disk it would lead" "$t/log" &&
    [ ! -L "$t/set/mnt/removable/usba/$name" ] || echo "$name was copied, or not named" >&2
done
[ -L "$t/set/mnt/removable/usba/q" ] || echo "the link that leads through the first stick was not copied" >&2
TVUI_ROOT=$t/set "$2" --quiet --scenario "$w/next.scn" --out "$w/out" >/dev/null || echo "the start after two sticks was refused" >&2

# Links placed copy after copy can build a chain longer than the system
# follows, each fine on its own: the copy that makes it so removes the link
# the start would refuse, naming it a chain, and the next start takes the set.
mkdir -p "$t/three" "$t/four" && ln -s c42 "$t/four/c41" || exit 1
for i in $(seq 40); do ln -s "c$((i + 1))" "$t/three/c$i" || exit 1; done
printf 'tv on\nmedia %s\nmedia %s\n' "$t/three" "$t/four" >"$t/chain.scn"
TVUI_ROOT=$t/set "$2" --scenario "$t/chain.scn" --out "$w/out" >"$t/log" 2>&1 || cat "$t/log" >&2
usba=$t/set/mnt/removable/usba
grep -qF "SIMTV: $usba/c1 is removed from the USB disk after a copy onto it: it leads through a chain of more than 40 links, longer than the system follows ($usba/c1 -> ... -> $usba/c41)" "$t/log" &&
  [ ! -L "$usba/c1" ] && [ -L "$usba/c2" ] && [ -L "$usba/c41" ] || echo "the link that made a chain too long stayed, or was not named a chain: $(grep c1 "$t/log")" >&2
TVUI_ROOT=$t/set "$2" --quiet --scenario "$w/next.scn" --out "$w/out" >/dev/null || echo "the start after the chain's copy was refused" >&2

# A second stick's entry whose name the disk holds as what it cannot replace
# (its link or file where the first left a folder, its folder where the
# first left a link) is left out alone, named; the disk keeps the first's,
# and the rest of the second, its links too, goes on.
mkdir -p "$t/five/kept" "$t/five/plain" "$t/six/lnk" && echo first >"$t/five/kept/keep.txt" || exit 1
ln -s kept "$t/five/lnk" && ln -s e "$t/six/kept" && echo second >"$t/six/plain" && echo in >"$t/six/lnk/in.txt" || exit 1
echo z >"$t/six/z.txt" && ln -s z.txt "$t/six/zz" || exit 1
printf 'tv on\nmedia %s\nmedia %s\n' "$t/five" "$t/six" >"$t/clash.scn"
TVUI_ROOT=$t/set "$2" --scenario "$t/clash.scn" --out "$w/out" >"$t/log" 2>&1 || cat "$t/log" >&2
for clash in "kept:a link, and the USB disk holds a folder" "plain:a regular file, and the USB disk holds a folder" \
  "lnk:a folder, and the USB disk holds a link"; do
  grep -qF "SIMTV: $t/six/${clash%%:*} is left out of the copy onto the USB disk: it is ${clash#*:} of that name, $usba/${clash%%:*}, which the copy does not replace" "$t/log" ||
    echo "${clash%%:*} was not left out as a clash: $(grep -m1 "${clash%%:*}" "$t/log")" >&2
done
[ "$(cat "$usba/kept/keep.txt")" = first ] && [ -d "$usba/plain" ] && [ ! -L "$usba/plain" ] &&
  [ "$(readlink "$usba/lnk")" = kept ] && [ ! -e "$usba/kept/in.txt" ] ||
  echo "a clash changed what the first stick left on the disk, or was written through its link" >&2
[ "$(cat "$usba/z.txt")" = z ] && [ "$(cat "$usba/zz")" = z ] || echo "the second stick's copy stopped at a clash" >&2
TVUI_ROOT=$t/set "$2" --quiet --scenario "$w/next.scn" --out "$w/out" >/dev/null || echo "the start after the clashes was refused" >&2
]=])
execute_process(COMMAND id -u OUTPUT_VARIABLE uid OUTPUT_STRIP_TRAILING_WHITESPACE)
# A device is made by the system's own root alone, outside a user namespace.
if(uid EQUAL 0)
  set(unshare unshare -m)
else()
  set(unshare unshare -rm)
endif()
execute_process(COMMAND ${unshare} true RESULT_VARIABLE mounts OUTPUT_QUIET ERROR_QUIET)
if(mounts EQUAL 0)
  check(stick_copy 0 "^$" ${unshare} bash ${WORK}/stick.sh ${WORK} ${TVUI})
else()
  message(STATUS "stick_copy skipped: no mount namespace of our own (${unshare})")
endif()

# A media line that cannot copy its folder says why.
refuse(media_file "media /etc/passwd" "/etc/passwd cannot go onto the USB disk: it is a regular file, not a folder")
refuse(media_device "media /dev/zero" "/dev/zero cannot go onto the USB disk: it is a character device, not a folder")
refuse(media_missing "media ${WORK}/no-stick" "${WORK}/no-stick cannot go onto the USB disk: No such file or directory")

# The file line writes a file of the set's as the set's own: never through a
# link, nor into a link or a pipe in its place, even where the link stays in
# the set's folder (one out of it refuses the run, above).
file(WRITE ${WORK}/fileset/.tvui-set "")
file(WRITE ${WORK}/fileset/beyond/record "beyond\n")
file(MAKE_DIRECTORY ${WORK}/fileset/mnt/full)
file(CREATE_LINK ${WORK}/fileset/beyond ${WORK}/fileset/mnt/away SYMBOLIC)
file(CREATE_LINK ../beyond/record ${WORK}/fileset/mnt/linked SYMBOLIC)
execute_process(COMMAND mkfifo ${WORK}/fileset/mnt/pipe)
foreach(case "away/sub/notes;away is a link, not a folder" "linked;linked is a link" "pipe;pipe is a pipe")
  list(GET case 0 name)
  list(GET case 1 reason)
  file(WRITE ${WORK}/file_line.scn "file \"/mnt/${name}\" \"written\"\n")
  check(file_through 1 "failed: file [^\n]*\n  ${WORK}/fileset/mnt/${reason}: file writes the set's files only as regular"
        ${CMAKE_COMMAND} -E env TVUI_ROOT=${WORK}/fileset ${TVUI} --quiet --scenario ${WORK}/file_line.scn)
endforeach()
file(GLOB beyond RELATIVE ${WORK}/fileset/beyond ${WORK}/fileset/beyond/*)
file(READ ${WORK}/fileset/beyond/record kept)
if(NOT beyond MATCHES "^record$" OR NOT kept STREQUAL "beyond\n")
  set(failures "${failures}\nfile_through: the file line wrote through a link: ${beyond}")
endif()

# A long title of a fixture's recording is cut before its channel and its
# extension, between two characters: its file and its index file keep both.
# A fixture's title makes its file's name as the recording line's does, the
# set's recorder's way: a slash, a space or a dot is an underscore, and no
# folder is made.
string(REPEAT "é" 150 long_title)
file(WRITE ${WORK}/long_title.fixture
     "channel 7-1 KQRS\nrecording 7-1 \"${long_title}\" kb=1\nrecording 7-1 \"Up/Down. Live\" kb=1\n")
file(WRITE ${WORK}/long_title.scn "tv fixture long_title.fixture\nadvance 1\nrecording \"Up/Down. Live\" 30\n")
check(long_title 0 "^$" ${TVUI} --quiet --fresh --scenario ${WORK}/long_title.scn)
file(GLOB disk RELATIVE ${WORK}/set/mnt/removable/usba ${WORK}/set/mnt/removable/usba/*)
string(REPEAT "é" 123 cut_title)
if(NOT disk STREQUAL "Up_Down__Live.nav;Up_Down__Live.trp;Up_Down__Live_7-1.nav;Up_Down__Live_7-1.trp;${cut_title}_7-1.nav;${cut_title}_7-1.trp")
  set(failures "${failures}\nlong_title: the disk holds ${disk}")
endif()
# A fixture is checked whole before the set's folder is touched: one refused
# by a later line leaves the disk as it was (--fresh has not emptied it), and
# one that the set refuses only as it is added, a timer past those the demo
# set left free, has written none of its recordings.
file(WRITE ${WORK}/late_fault.fixture "channel 7-1 KQRS\nrecording 7-1 \"Early\" kb=1\nchannel 8-1 KXYZ colour=red\n")
file(WRITE ${WORK}/late_fault.scn "tv fixture late_fault.fixture\nadvance 1\n")
check(fixture_late_fault 2 "late_fault.scn:1: ${WORK}/late_fault.fixture:3: unexpected colour=red" ${TVUI} --quiet
      --fresh --scenario ${WORK}/late_fault.scn)
file(GLOB after RELATIVE ${WORK}/set/mnt/removable/usba ${WORK}/set/mnt/removable/usba/*)
if(NOT after STREQUAL disk)
  set(failures "${failures}\nfixture_late_fault: a refused fixture changed the disk: ${after}")
endif()
string(REPEAT "timer 7-1 \"Daily\"\n" 26 timers)
file(WRITE ${WORK}/late_fault.fixture "channel 7-1 KQRS\nrecording 7-1 \"Early\" kb=1\n${timers}")
file(WRITE ${WORK}/late_fault.scn "tv demo\ntv fixture late_fault.fixture\nadvance 1\n")
check(fixture_timers 2 "late_fault.fixture:28: every timer of the set is in use" ${TVUI} --quiet --fresh --scenario
      ${WORK}/late_fault.scn)
if(EXISTS ${WORK}/set/mnt/removable/usba/Early_7-1.trp OR EXISTS ${WORK}/set/mnt/removable/usba/Early_7-1.nav)
  set(failures "${failures}\nfixture_timers: a refused fixture wrote its recording on the disk")
endif()

# A store line fails when the settings file does not hold what it stored:
# a value under every key that together passes the file's size.
string(REPEAT "v" 400 long400)
file(WRITE ${WORK}/store_large.scn "tv demo\nstore every \"${long400}\"\n")
check(store_large 1 "failed: store every [^\n]*\n  store cannot write ${WORK}/set/mnt/nvram/APP_NVRAM.dat whole: it would pass 64000 bytes"
      ${TVUI} --quiet --fresh --scenario ${WORK}/store_large.scn)

execute_process(COMMAND unshare -rm true RESULT_VARIABLE namespaces OUTPUT_QUIET ERROR_QUIET)
if(namespaces EQUAL 0)
  # A fresh set, asked for or the tour's, never crosses into a folder
  # mounted inside the set's (a user's files bound there): it is refused,
  # by name, before anything goes.
  file(WRITE ${WORK}/bound/keep.txt "mine\n")
  file(MAKE_DIRECTORY ${WORK}/ownset/mnt/removable/usbb)
  string(CONCAT run "mount --bind ${WORK}/bound ${WORK}/ownset/mnt/removable/usbb && export TVUI_ROOT=${WORK}/ownset\n"
         "${TVUI} --quiet --fresh --scenario ${WORK}/quick.scn\nfresh=$?\n${TVUI} --quiet\nexit $((fresh * 10 + $?))\n")
  set(refusal "the set's folder ${WORK}/ownset is not emptied: ${WORK}/ownset/mnt/removable/usbb is a mount inside it")
  check(fresh_mount 22 "${refusal}[^\n]*\n.*${refusal}" unshare -rm sh -c "${run}")
  if(NOT EXISTS ${WORK}/bound/keep.txt OR NOT EXISTS ${WORK}/ownset/mnt/nvram)
    set(failures "${failures}\nfresh_mount: a fresh set removed files before it refused a mount")
  endif()
  # On a full folder a line fails, naming the file and why, and nothing it cut
  # is stamped whole (the record, printed, takes one page of the four or one).
  file(WRITE ${WORK}/fill.scn "tv demo\ntv on\nwalk 600 5\n")
  file(WRITE ${WORK}/fill_picture.scn "root probe\nkey 1\nscreenshot shot.png \"Shot\"\n")
  foreach(case "fill;16k;walk.scn" "fill_picture;4k;shot.png")
    list(GET case 0 name)
    list(GET case 1 size)
    list(GET case 2 file)
    file(MAKE_DIRECTORY ${WORK}/${name})
    string(CONCAT run "mount -t tmpfs -o size=${size} none ${WORK}/${name} || exit 77\n"
           "${TVUI} --quiet --scenario ${WORK}/${name}.scn --out ${WORK}/${name}\nstatus=$?\n"
           "cat ${WORK}/${name}/.tvui-out\nexit $status\n")
    check(full_${name} 1 "failed: [^\n]*\n  cannot write ${WORK}/${name}/${file}: No space left on device\n$" unshare -rm sh
          -c "${run}")
    if(out MATCHES "lines passed|\t[0-9]+\t-?[0-9]+\n")
      set(failures "${failures}\nfull_${name}: the run passed, or stamped a file whole:\n${out}")
    endif()
  endforeach()
  # So does the file line, however short its text.
  file(WRITE ${WORK}/file_full.scn "file \"/mnt/full/notes\" \"a few words\"\n")
  string(CONCAT run "mount -t tmpfs -o size=4k none ${WORK}/fileset/mnt/full || exit 77\n"
         "head -c 4096 /dev/zero >${WORK}/fileset/mnt/full/filler\n"
         "TVUI_ROOT=${WORK}/fileset exec ${TVUI} --quiet --scenario ${WORK}/file_full.scn\n")
  check(full_file 1 "failed: file [^\n]*\n  file cannot write ${WORK}/fileset/mnt/full/notes: No space left on device\n$"
        unshare -rm sh -c "${run}")
  # And a store line, whose settings file is written then and there: in
  # standby, awake in normal operation, between two periods (the line then
  # writes the file that the next period loads), and on the non-menu root;
  # tv on stores the setup's step so too. The disk keeps a page free, where
  # the set's folder passes its check at the start but no save of a file of
  # three pages fits. The file stays as it was.
  set(nvram ${WORK}/storeset/mnt/nvram)
  file(WRITE ${WORK}/storeset/.tvui-set "")
  string(REPEAT "v" 40 long40)
  file(WRITE ${WORK}/store_set.scn "tv demo\ntv on\nstore every \"${long40}\"\n")
  check(store_set 0 "^$" ${CMAKE_COMMAND} -E env TVUI_ROOT=${WORK}/storeset ${TVUI} --quiet --scenario
        ${WORK}/store_set.scn)
  file(COPY ${nvram}/ DESTINATION ${WORK}/nvram_kept)
  foreach(case "standby;tv demo\nadvance 1000\nstore Marker kept" "awake;tv demo\nadvance 1000\nevent XPM_EVENT_WAKEUP Reason=1\nadvance 1000\nstore every kept"
               "between;tv demo\nadvance 1000\nevent XPM_EVENT_WAKEUP Reason=1\nadvance 1000\nstandby\nadvance 2000\nstore Marker kept"
               "nonmenu;root nonmenu\nstore Marker kept" "tv_on;tv demo\ntv on")
    list(GET case 0 name)
    list(GET case 1 lines)
    file(WRITE ${WORK}/store_${name}.scn "${lines}\n")
    string(REGEX REPLACE ".*\n" "" last "${lines}")
    string(CONCAT run "mount -t tmpfs -o size=64k none ${nvram} || exit 77\n"
           "cp -a ${WORK}/nvram_kept/. ${nvram}/ && (cat /dev/zero >${nvram}/filler) 2>/dev/null\n"
           "truncate -s -4096 ${nvram}/filler || exit 1\n"
           "TVUI_ROOT=${WORK}/storeset ${TVUI} --quiet --scenario ${WORK}/store_${name}.scn\nstatus=$?\n"
           "cmp -s ${WORK}/nvram_kept/APP_NVRAM.dat ${nvram}/APP_NVRAM.dat || echo the settings file changed >&2\n"
           "exit $status\n")
    check(full_store_${name} 1 "failed: ${last}\n  store cannot write ${nvram}/APP_NVRAM.dat: No space left on device\n$"
          unshare -rm sh -c "${run}")
  endforeach()
  # What the set fails to write of its own files fails the line that ran
  # then, as a refused link does: a recording on a disk whose folder is
  # read-only, and the settings that it saves as a period of operation
  # begins, on a read-only folder of its settings.
  set(usba ${WORK}/roset/mnt/removable/usba)
  file(WRITE ${WORK}/roset/.tvui-set "")
  file(MAKE_DIRECTORY ${usba})
  file(WRITE ${WORK}/ro_recording.scn "tv on\nrecording \"News\" 30\nadvance 1\n")
  string(CONCAT run "mount -t tmpfs -o ro none ${usba} || exit 77\n"
         "TVUI_ROOT=${WORK}/roset exec ${TVUI} --quiet --scenario ${WORK}/ro_recording.scn\n")
  check(readonly_recording 1
        "failed: recording \"News\" 30\n  the set could not write its files: ${usba}/News.trp: Read-only file system\n$"
        unshare -rm sh -c "${run}")
  # The settings' folder is checked as the run starts: here a link put in
  # its place while the set runs leads to a read-only folder in the set's,
  # holding the settings file that the set switched on above left, without
  # its backup, which the next period makes again.
  file(MAKE_DIRECTORY ${WORK}/roset/kept)
  file(WRITE ${WORK}/ro_settings.scn "tv on\nlink \"/mnt/nvram\" \"../kept\"\nstandby\nwake\nadvance 1000\n")
  string(CONCAT run "mount -t tmpfs none ${WORK}/roset/kept || exit 77\n"
         "cp ${WORK}/roset/mnt/nvram/APP_NVRAM.dat ${WORK}/roset/kept/ || exit 1\n"
         "mount -o remount,ro ${WORK}/roset/kept || exit 77\n"
         "TVUI_ROOT=${WORK}/roset exec ${TVUI} --quiet --scenario ${WORK}/ro_settings.scn\n")
  check(readonly_settings 1
        "failed: wake\n  the set could not write its files: ${WORK}/roset/mnt/nvram/APP_NVRAM.dat[^\n]*: Read-only file system\n$"
        unshare -rm sh -c "${run}")

  # A home such as /root, and a disk mounted at or below /mnt, are the user's
  # to use.
  string(CONCAT run "mount -t tmpfs none /root && mount -t tmpfs none /mnt && mount -o remount,bind,ro / || exit 77\n"
         "TVUI_ROOT=/root/set ${TVUI} --quiet --scenario ${WORK}/quick.scn --out /mnt || exit 1\n"
         "TVUI_ROOT=/mnt/set exec ${TVUI} --quiet --scenario ${WORK}/quick.scn --out /root\n")
  check(users_places 0 "^$" unshare -rm sh -c "${run}")
else()
  message(STATUS "fresh_mount, full_* and users_places skipped: no user and mount namespace of our own (unshare -rm)")
endif()

# A sanitizer's report is not swallowed by --quiet, and the line that ran is
# named after it (a build without the undefined-behaviour sanitizer refuses
# the line).
file(WRITE ${WORK}/sanitizer.scn "root probe\nkey 1\noverflow\nkey 2\nkey 3\n")
execute_process(COMMAND ${TVUI} --quiet --scenario ${WORK}/sanitizer.scn WORKING_DIRECTORY ${WORK}/empty
                RESULT_VARIABLE got OUTPUT_VARIABLE stdout ERROR_VARIABLE stderr)
if(NOT stderr MATCHES "has no undefined-behaviour sanitizer" AND
   (NOT got EQUAL 1 OR NOT stderr MATCHES "runtime error: signed integer overflow[^\n]*\ntvui: [^\n]*sanitizer.scn:4 failed: key 2\n  a sanitizer reported an error"))
  set(failures "${failures}\nsanitizer_quiet: status ${got}, standard error:\n${stderr}")
endif()

# A long stretch of keys before a captioned picture is named by its last
# runs of keys and a count of the keys before them.
file(WRITE ${WORK}/keys.scn "root probe\nrepeat 40\nkey 1\nkey 2 2\nend\nscreenshot keys.png \"After many keys\"\n")
check(keys_page 0 "^$" ${TVUI} --quiet --scenario ${WORK}/keys.scn --out ${WORK}/keys)
file(READ ${WORK}/keys/index.html page)
if(NOT page MATCHES "Keys: 24 keys before, 1, 2 x2, 1, 2 x2")
  set(failures "${failures}
keys_page: the page does not name the last runs of keys after a count:
${page}")
endif()

# Every scenario test starts from the factory's set through --fresh, however
# often ctest repeats it: the second run on one set folder meets the wizard
# again, although the first finished it and stored its last step.
foreach(run 1 2)
  check(fresh_${run} 0 "^$" ${TVUI} --quiet --fresh --scenario ${CMAKE_CURRENT_LIST_DIR}/root_front_panel.scn)
endforeach()
# An empty folder that TVUI_ROOT names becomes the set's, for a fresh set too.
file(MAKE_DIRECTORY ${WORK}/emptyset)
check(fresh_empty 0 "^$" ${CMAKE_COMMAND} -E env TVUI_ROOT=${WORK}/emptyset ${TVUI} --quiet --fresh --scenario
      ${WORK}/quick.scn)
if(NOT EXISTS ${WORK}/emptyset/.tvui-set)
  set(failures "${failures}\nfresh_empty: the empty folder did not become the set's")
endif()

# A run removes from its output folder what the run before wrote there, as
# the folder's record lists it, and nothing else; a page of pictures from
# before the folders kept a record counts as the runner's, with the pictures
# it shows.
file(WRITE ${WORK}/one.scn "root probe\nkey 1\nscreenshot one.png \"One\"\n")
file(WRITE ${WORK}/two.scn "root probe\nkey 1\nscreenshot two.png \"Two\"\n")
check(out_first 0 "^$" ${TVUI} --quiet --scenario ${WORK}/one.scn --out ${WORK}/pages)
file(WRITE ${WORK}/pages/notes.txt "mine\n")
file(WRITE ${WORK}/pages/.tvui-index.html.new "mine\n")
# New files that a killed run left (its process gone) go; others stay.
foreach(name .tvui-one.png.99999999-0 .tvui-.tvui-out.99999999-3 .tvui-notes.txt.99999999-0 .tvui-one.png.1-0)
  file(WRITE ${WORK}/pages/${name} "")
endforeach()
check(out_again 0 "^$" ${TVUI} --quiet --scenario ${WORK}/two.scn --out=${WORK}/pages)
file(GLOB left RELATIVE ${WORK}/pages ${WORK}/pages/.tvui-*.*-*)
if(NOT left STREQUAL ".tvui-notes.txt.99999999-0;.tvui-one.png.1-0")
  set(failures "${failures}\nout_again: the new files left in the folder are ${left}")
endif()
set(record "")
if(EXISTS ${WORK}/pages/.tvui-out)
  file(READ ${WORK}/pages/.tvui-out record)
endif()
if(EXISTS ${WORK}/pages/one.png OR NOT EXISTS ${WORK}/pages/two.png OR NOT EXISTS ${WORK}/pages/notes.txt OR
   NOT EXISTS ${WORK}/pages/.tvui-index.html.new OR
   NOT record MATCHES "^two.png\t[0-9]+\t-?[0-9]+\nindex.html\t[0-9]+\t-?[0-9]+\n$")
  set(failures "${failures}\nout_again: the second run's folder holds the wrong files; its record:\n${record}")
endif()
# A picture of the user's put in place of one the runner wrote is the
# user's: the next run neither removes it nor writes over it, and a record
# that names a file the runner never writes is not followed for it.
file(WRITE ${WORK}/pages/two.png "my own two\n")
file(APPEND ${WORK}/pages/.tvui-out "notes.txt\n")
check(out_replaced 2 "^tvui: ${WORK}/pages/two.png has changed since the runner wrote it, and the runner never writes over"
      ${TVUI} --quiet --scenario ${WORK}/two.scn --out ${WORK}/pages)
check(out_replaced_other 0 "^$" ${TVUI} --quiet --scenario ${WORK}/one.scn --out ${WORK}/pages)
# A verdict that cannot reach standard output (a full disk) fails the run.
execute_process(COMMAND ${TVUI} --quiet --scenario ${WORK}/quick.scn --out ${WORK}/unsaid OUTPUT_FILE /dev/full
                RESULT_VARIABLE got ERROR_VARIABLE stderr)
if(NOT got EQUAL 1 OR NOT stderr MATCHES "^tvui: the standard output could not be written")
  set(failures "${failures}\nsaid_to_full: status ${got}, standard error:\n${stderr}")
endif()
file(READ ${WORK}/pages/two.png replaced)
if(NOT replaced STREQUAL "my own two\n" OR NOT EXISTS ${WORK}/pages/notes.txt OR NOT EXISTS ${WORK}/pages/one.png)
  set(failures "${failures}\nout_replaced: the run removed or wrote over a file of the user's")
endif()
# Without a record, a page of the runner's pictures is an older build's only
# in the tree's out, where such builds wrote (below, in a namespace); a copy
# elsewhere is the user's, kept by a run and never written over.
file(WRITE ${WORK}/older/index.html "<title>tvui: the pictures of one.scn</title>\n<img src=\"one.png\" alt=\"One\">\n")
file(WRITE ${WORK}/older/one.png "an older picture\n")
file(COPY ${WORK}/older/index.html ${WORK}/older/one.png DESTINATION ${WORK}/copied)
check(out_copied 0 "^$" ${TVUI} --quiet --scenario ${WORK}/quick.scn --out ${WORK}/copied)
check(out_copied_over 2 "^tvui: ${WORK}/copied/one.png is not one the runner wrote" ${TVUI} --quiet --scenario
      ${WORK}/one.scn --out ${WORK}/copied)
if(NOT EXISTS ${WORK}/copied/index.html OR NOT EXISTS ${WORK}/copied/one.png)
  set(failures "${failures}\nout_copied: a run removed a copy of a page of pictures")
endif()
# A record line naming a file that cannot exist is dropped with a warning:
# one with a byte 0 too, which the file system would cut to a file of the
# user's.
string(REPEAT "x" 256 long)
file(WRITE ${WORK}/odd/notes.txt "mine\n")
file(WRITE ${WORK}/odd/.tvui-out "${long}.png\t\nnotes.txt/one.png\t1\t2\n")
execute_process(COMMAND sh -c "printf 'notes.txt\\000.png\\n' >>${WORK}/odd/.tvui-out")
check(impossible_record 0 "^tvui: the record [^\n]*names ${WORK}/odd/x+.png, which cannot be a file \\(a name in it is longer[^\n]*: its line is dropped, and nothing removed\ntvui: [^\n]*notes.txt/one.png, which cannot be a file \\(it lies below ${WORK}/odd/notes.txt, which is not a folder\\)[^\n]*\ntvui: [^\n]*names ${WORK}/odd/notes.txt\\\\x00.png, which cannot be a file \\(a control character"
      ${TVUI} --quiet --scenario ${WORK}/one.scn --out ${WORK}/odd)
if(NOT EXISTS ${WORK}/odd/notes.txt)
  set(failures "${failures}\nimpossible_record: a line with a byte 0 removed a file of the user's")
endif()
# A run killed after a picture has stamped it in the record: a picture of the
# user's put in its place since is theirs, and the next run leaves it.
file(WRITE ${WORK}/killed.scn "root probe\nkey 1\nscreenshot one.png\nrepeat 1000\n  advance 4294967295\nend\n")
file(WRITE ${WORK}/kill.sh [=[
mkfifo "$1/killed.fifo"
"$2" --quiet --scenario "$1/killed.scn" --out "$1/killed" >"$1/killed.fifo" &
pid=$!
while read -r line; do [[ $line == "tvui: screenshot"* ]] && kill -KILL $pid; done <"$1/killed.fifo"
wait $pid
]=])
check(killed 137 "^" bash ${WORK}/kill.sh ${WORK} ${TVUI})
file(WRITE ${WORK}/killed/one.png "my own one\n")
check(killed_next 0 "^$" ${TVUI} --quiet --scenario ${WORK}/two.scn --out ${WORK}/killed)
file(GLOB mine ${WORK}/killed/one.png)
if(mine)
  file(READ ${WORK}/killed/one.png mine)
endif()
if(NOT mine STREQUAL "my own one\n")
  set(failures "${failures}\nkilled: the run after a killed one removed the user's picture")
endif()
# A walk's journal is in the record as being written, as the file itself,
# from its start (its size and time change until the process ends): after a
# walk that Ctrl-C or ctest's SIGKILL stopped, the next run removes it, but
# not a file of the user's put in its place, though on the same inode.
file(WRITE ${WORK}/walking.scn "tv demo\ntv on\nwalk 200000 5\n")
file(WRITE ${WORK}/walk1.scn "root probe\nwalk 1 5\n")
file(WRITE ${WORK}/walk_kill.sh [=[
out=${4:-$1/walked_$3}
"$2" --quiet --scenario "$1/walking.scn" --out "$out" >/dev/null &
pid=$!
tail -F --pid=$pid "$out/walk.scn" 2>/dev/null | head -n 2 >/dev/null
kill -$3 $pid
wait $pid
]=])
check(walk_INT 130 "^tvui: interrupted" bash ${WORK}/walk_kill.sh ${WORK} ${TVUI} INT)
check(walk_KILL 137 "^" bash ${WORK}/walk_kill.sh ${WORK} ${TVUI} KILL)
file(READ ${WORK}/walked_INT/.tvui-out record)
file(REMOVE ${WORK}/walked_INT/walk.scn)
file(WRITE ${WORK}/walked_INT/walk.scn "mine\n")
check(walk_mine 2 "walk.scn has changed since the runner wrote it" ${TVUI} --quiet --scenario ${WORK}/walk1.scn --out
      ${WORK}/walked_INT)
file(REMOVE ${WORK}/walked_INT/walk.scn)
foreach(signal INT KILL)
  check(walk_next_${signal} 0 "^$" ${TVUI} --quiet --scenario ${WORK}/walk1.scn --out ${WORK}/walked_${signal})
endforeach()
if(NOT record MATCHES "(^|\n)walk.scn\twriting\t")
  set(failures "${failures}\nwalk_killed: the record of a walk stopped half-way:\n${record}")
endif()
if(namespaces EQUAL 0)
  # Where the file system keeps no time of birth (ramfs), a killed walk's
  # journal is known by its file all the same: the next run removes it, and
  # refuses a file of the user's saved in its place.
  file(MAKE_DIRECTORY ${WORK}/ram)
  set(kill "bash ${WORK}/walk_kill.sh ${WORK} ${TVUI} KILL ${WORK}/ram\n")
  string(CONCAT run "mount -t ramfs none ${WORK}/ram || exit 77\n${kill}"
         "${TVUI} --quiet --scenario ${WORK}/walk1.scn --out ${WORK}/ram >/dev/null || exit 1\n"
         "rm ${WORK}/ram/walk.scn\n${kill}rm ${WORK}/ram/walk.scn && echo mine >${WORK}/ram/walk.scn\n"
         "exec ${TVUI} --quiet --scenario ${WORK}/walk1.scn --out ${WORK}/ram\n")
  check(walk_ramfs 2 "\ntvui: ${WORK}/ram/walk.scn has changed since the runner wrote it" unshare -rm sh -c "${run}")
  # In the tree's own out (here a folder of a view of the tree), a page of
  # pictures that a build before the record wrote shows the runner's.
  file(WRITE ${WORK}/tree.sh [=[
mount -t tmpfs none /mnt && mkdir /mnt/tree && mount --bind "$1" /mnt/tree && mount -t tmpfs none "$1" || exit 77
for entry in /mnt/tree/*; do
  name=${entry##*/}; [ "$name" = out ] && continue
  if [ -d "$entry" ]; then mkdir "$1/$name"; else : >"$1/$name"; fi; mount --rbind "$entry" "$1/$name" || exit 1
done
mkdir "$1/out" && cp "$3/older/index.html" "$3/older/one.png" "$1/out" && cd "$1" || exit 1
"$2" --quiet --scenario "$3/quick.scn" --out out && [ ! -e out/one.png ] && [ ! -e out/index.html ]
]=])
  get_filename_component(tree ${CMAKE_CURRENT_LIST_DIR}/../.. REALPATH)
  check(out_older 0 "^$" unshare -rm bash ${WORK}/tree.sh ${tree} ${TVUI} ${WORK})
else()
  message(STATUS "walk_ramfs and out_older skipped: no user and mount namespace of our own (unshare -rm)")
endif()
# While a walk runs (stopped before its end, or run again longer), a link put
# in place of its list of screens is not written through at its end, and a
# hard link to the picture before it keeps that picture when the next of its
# name comes (in standby after a new period, whatever screen the walk left).
file(WRITE ${WORK}/outside/screens "outside\n")
file(WRITE ${WORK}/during.sh [=[
out="$1/during_$3"
for keys in 1000 10000 100000; do
  rm -rf "$out" "$1/kept.png"
  printf 'tv demo\ntv on\nscreenshot one.png\nwalk %s 5\nstandby\nwake\nscreenshot one.png\n' $keys >"$1/during.scn"
  "$2" --quiet --scenario "$1/during.scn" --out "$out" >/dev/null & pid=$!
  tail -F -s 0.1 --pid=$pid "$out/walk.scn" 2>/dev/null | head -n 2 >/dev/null
  kill -STOP $pid 2>/dev/null
  grep -q "^walk.scn	[0-9]" "$out/.tvui-out" || break  # not stamped: the walk goes on
  kill -CONT $pid 2>/dev/null; wait $pid
done
case $3 in
  swap) ln -sfn "$1/outside/screens" "$out/walk-screens.txt" ;;
  folder) rm -rf "$out.held" && mv "$out" "$out.held" && ln -s "$1/other" "$out" ;;
  *) ln "$out/one.png" "$1/kept.png" ;;
esac
kill -CONT $pid; wait $pid; status=$?
[ "$out/one.png" -ef "$1/kept.png" ] && echo "the second one.png was written into the first" >&2
[ "$(cat "$1/outside/screens")" = outside ] || echo "the list of screens was written through the link" >&2
exit $status
]=])
check(walk_swapped 1 "failed: walk [0-9]+ 5\n  ${WORK}/during_swap/walk-screens.txt is a link: the runner reads, writes[^\n]*\n$"
      bash ${WORK}/during.sh ${WORK} ${TVUI} swap)
check(picture_linked 0 "^$" bash ${WORK}/during.sh ${WORK} ${TVUI} link)
# The output folder is held from the start: swapped for a link to another
# run's folder while the walk runs, the rest of the run's files and its
# record go where it stood, and the other run's record is left as it was.
file(WRITE ${WORK}/other.scn "root probe\nkey 1\nscreenshot other.png\n")
check(other_run 0 "^$" ${TVUI} --quiet --scenario ${WORK}/other.scn --out ${WORK}/other)
file(READ ${WORK}/other/.tvui-out other_record)
check(out_swapped 0 "^$" bash ${WORK}/during.sh ${WORK} ${TVUI} folder)
file(READ ${WORK}/other/.tvui-out record)
file(GLOB other RELATIVE ${WORK}/other ${WORK}/other/*)
if(NOT record STREQUAL other_record OR NOT other STREQUAL ".tvui-out;other.png")
  set(failures "${failures}\nout_swapped: the run wrote through a link to another run's folder: ${other}\n${record}")
endif()
if(NOT EXISTS ${WORK}/during_folder.held/walk-screens.txt)
  set(failures "${failures}\nout_swapped: the run's files did not go to its own folder")
endif()
check(other_again 0 "^$" ${TVUI} --quiet --scenario ${WORK}/other.scn --out ${WORK}/other)

# The start of a scenario of screens in docs/scenarios.md, and the README's
# example of a scenario, run as written there, the comments at their lines'
# ends too.
file(READ ${CMAKE_CURRENT_LIST_DIR}/../../docs/scenarios.md scenario_page)
string(REGEX MATCH "A scenario of screens starts so:\n\n((    [^\n]*\n)+)" block "${scenario_page}")
string(REGEX REPLACE "(^|\n)    " "\\1" lines "${CMAKE_MATCH_1}")
file(WRITE ${WORK}/readme.scn "${lines}")
check(readme_scenario 0 "^$" ${TVUI} --quiet --scenario ${WORK}/readme.scn)
if(NOT lines MATCHES "#" OR NOT out MATCHES "readme.scn: 2 lines passed")
  set(failures "${failures}\nreadme_scenario: the lines of docs/scenarios.md did not run:\n${lines}${out}")
endif()
file(READ ${CMAKE_CURRENT_LIST_DIR}/../../README.md readme)
string(REGEX MATCH "A scenario of screens begins\n\n((      [^\n]*\n)+)" block "${readme}")
string(REGEX REPLACE "(^|\n)      " "\\1" lines "${CMAKE_MATCH_1}")
file(WRITE ${WORK}/readme_example.scn "${lines}")
check(readme_example 0 "^$" ${TVUI} --quiet --scenario ${WORK}/readme_example.scn --out ${WORK}/readme_example --fresh)
if(NOT lines MATCHES "#" OR NOT out MATCHES "readme_example.scn: 8 lines passed")
  set(failures "${failures}\nreadme_example: the README's example did not run:\n${lines}${out}")
endif()

# Repeats run their blocks as often as they say, nested ones too; a line in a block that fails is named as written; a file
# whose repeats do not hold together is refused before anything runs (the
# refusals).
file(WRITE ${WORK}/repeats.scn "root probe\nadvance 1\nrepeat 3\n  advance 1\n  repeat 2\n    advance 2\n  end\n"
     "end\n# a comment\nadvance 1\n")
check(repeats 0 "^$" ${TVUI} --quiet --scenario ${WORK}/repeats.scn)
if(NOT out MATCHES "repeats.scn: 12 lines passed")
  set(failures "${failures}\nrepeats: not 12 lines passed:\n${out}")
endif()
file(WRITE ${WORK}/repeat_failing.scn "root probe\nrepeat 2\n  advance 1\n  repeat 1\n    expect text \"x\"\n  end\nend\n")
check(repeat_failing 1 "repeat_failing.scn:5 failed:     expect text \"x\"\n  no visible text view shows \"x\""
      ${TVUI} --quiet --scenario ${WORK}/repeat_failing.scn)

file(WRITE ${WORK}/comment_quote.scn "root probe\n# the viewer's \"OK\nkey 1\n  # and \" once more\n")
check(comment_quote 0 "^$" ${TVUI} --quiet --scenario ${WORK}/comment_quote.scn)

# Ctrl-C ends a headless run at once, and it says so, and where the run
# stood, as the window does: the signal comes once the set is on (the
# memory line's output), in a stretch of the set's time that would take long
# (or, on a busy machine, while the memory line is still the one running).
file(WRITE ${WORK}/endless.scn "tv demo\ntv on\nmemory\nrepeat 1000\n  advance 4294967295\nend\n")
file(WRITE ${WORK}/interrupt.sh [=[
mkfifo "$1/endless.fifo"
"$2" --quiet --scenario "$1/endless.scn" >"$1/endless.fifo" &
pid=$!
while read -r line; do [[ $line == *resident* ]] && kill -INT $pid; done <"$1/endless.fifo"
wait $pid
]=])
check(interrupted 130 "^tvui: interrupted; the run stops at ${WORK}/endless.scn:(3: memory|5:   advance 4294967295)\n$" bash
      ${WORK}/interrupt.sh ${WORK} ${TVUI})
# While one run uses a set's folder, a second is refused, naming the first,
# and a fresh set does not remove the first's files; so is one on another set
# that would write the first's output folder.
file(WRITE ${WORK}/second.sh [=[
export TVUI_ROOT="$1/shared"
mkfifo "$1/first.fifo"
"$2" --quiet --scenario "$1/endless.scn" >"$1/first.fifo" 2>/dev/null & pid=$!
while read -r line; do
  [[ $line == *resident* ]] || continue
  "$2" --quiet --fresh --scenario "$1/quick.scn" --out "$1/second"; second=$?
  [ -e "$TVUI_ROOT/mnt/nvram/APP_NVRAM.dat" ] || echo "the second run removed the first's settings" >&2
  TVUI_ROOT="$1/third" "$2" --quiet --scenario "$1/quick.scn"; third=$?
  kill -TERM $pid
done <"$1/first.fifo"
wait $pid; exit $((second * 10 + third))
]=])
check(second_run 22 "^tvui: the set's folder ${WORK}/shared is in use by another run of tvui, process [0-9]+ \\([^\n]*endless.scn\\): one run at a time[^\n]*\ntvui: the output folder out is in use by another run of tvui, process [0-9]+ \\([^\n]*endless.scn\\): one run at a time writes a folder[^\n]*\n$"
      bash ${WORK}/second.sh ${WORK} ${TVUI})

endif()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
