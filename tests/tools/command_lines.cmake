# The service tools from the shell: the usage asked for goes to standard
# output with status 0; a wrong command line gets a line saying what was
# wrong, then the usage, on standard error, with status 2. tvsettings sets a
# pair, reads it back and dumps it.
#   cmake -DTVSETTINGS=<program> -DMODELDUMP=<program> -DMEDIASTICK=<program> -DWORK=<scratch folder>
#         -P command_lines.cmake
# (optdump's command lines are checked by the option tests, tests/options/.)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(failures "")

# Runs the program; status, standard output and standard error must be as
# given (regular expressions).
function(check name status stdout_pattern stderr_pattern)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${WORK} RESULT_VARIABLE got OUTPUT_VARIABLE stdout
                  ERROR_VARIABLE stderr)
  if(NOT "${got}" STREQUAL "${status}" OR NOT "${stdout}" MATCHES "${stdout_pattern}"
     OR NOT "${stderr}" MATCHES "${stderr_pattern}")
    set(failures "${failures}\n${name}: status ${got} (wanted ${status})\n  standard output: ${stdout}\n  standard error: ${stderr}"
        PARENT_SCOPE)
  endif()
endfunction()

set(file ${WORK}/APP_NVRAM.dat)
check(help 0 "^usage: tvsettings dump FILE\n.*/mnt/nvram/APP_NVRAM.dat" "^$" ${TVSETTINGS} --help)
check(no_arguments 2 "^$" "^tvsettings: name a command: dump, get or set\nusage: tvsettings dump FILE\n" ${TVSETTINGS})
check(unknown_command 2 "^$" "^tvsettings: unknown command list \\(the commands: dump, get and set\\)\nusage: "
      ${TVSETTINGS} list ${file})
check(unknown_option 2 "^$" "^tvsettings: unknown option --bogus [^\n]*\nusage: " ${TVSETTINGS} --bogus ${file})
check(words_missing 2 "^$" "^tvsettings: get takes FILE KEY \\(1 word given\\)\nusage: " ${TVSETTINGS} get ${file})
check(words_over 2 "^$" "^tvsettings: dump takes FILE \\(2 words given\\)\nusage: " ${TVSETTINGS} dump ${file} x)
check(set 0 "^$" "^$" ${TVSETTINGS} set ${file} SetupStep 9)
check(get 0 "^9\n$" "^$" ${TVSETTINGS} get ${file} SetupStep)
check(get_missing 1 "^$" "^$" ${TVSETTINGS} get ${file} Language)
check(dump 0 "^\\[SetupStep\\]=<9>\n$" "^$" ${TVSETTINGS} dump ${file})
# What it prints and cannot write (a full disk) is said, with status 1.
foreach(words "--help" "get;${file};SetupStep" "dump;${file}")
  execute_process(COMMAND ${TVSETTINGS} ${words} OUTPUT_FILE /dev/full RESULT_VARIABLE got ERROR_VARIABLE stderr)
  if(NOT got EQUAL 1 OR NOT stderr STREQUAL "tvsettings: the standard output could not be written: No space left on device\n")
    set(failures "${failures}\ntvsettings ${words} >/dev/full: status ${got} (wanted 1), standard error: ${stderr}")
  endif()
endforeach()

check(modeldump_help 0 "^usage: modeldump \\[--fresh\\]\n" "^$" ${MODELDUMP} --help)
check(modeldump_option 2 "^$" "^modeldump: unknown option --bogus\nusage: modeldump " ${MODELDUMP} --bogus)
check(modeldump_words 2 "^$" "^modeldump: it takes one option at most, --fresh\nusage: " ${MODELDUMP} --fresh --fresh)

# modeldump writes nothing but what it prints: not in the folder it runs
# from, nor in TVUI_ROOT (here a folder of the user's that tvui would refuse),
# nor, once done, in the temporary folder where the simulated set kept its
# files for the run; the demo set's disk still counts its recordings' room.
file(MAKE_DIRECTORY ${WORK}/dump ${WORK}/users ${WORK}/tmp)
file(WRITE ${WORK}/users/thesis.tex "mine\n")
set(dump ${CMAKE_COMMAND} -E chdir ${WORK}/dump ${CMAKE_COMMAND} -E env TVUI_ROOT=${WORK}/users TMPDIR=${WORK}/tmp
    ${MODELDUMP})
check(modeldump_demo 0 "recording disk: NTFS, 476940 MB, 457438 MB free\n\n== Recorded shows\n[^=]*Late Movie" "^$"
      ${dump})
check(modeldump_fresh 0 "\n== Recorded shows\n  \\(none\\)\n" "^$" ${dump} --fresh)
# Nor when its output fails, or a signal ends it: a full disk is said, with
# status 1; a reader that went away ends it quietly with 1; a SIGTERM while
# it waits on a reader that reads nothing ends it by that signal. The folder
# for the run goes every time.
execute_process(COMMAND ${dump} OUTPUT_FILE /dev/full RESULT_VARIABLE got ERROR_VARIABLE stderr)
if(NOT got EQUAL 1 OR NOT stderr MATCHES "^modeldump: the standard output could not be written: No space left")
  set(failures "${failures}\nmodeldump_full: status ${got} (wanted 1), standard error: ${stderr}")
endif()
file(WRITE ${WORK}/ends.sh [=[
cd "$2/dump" || exit 1
export TMPDIR=$2/tmp TVUI_ROOT=$2/users
mkfifo "$2/pipe"
# A pipe that had a reader, and has none now.
exec 3<>"$2/pipe" 4>"$2/pipe" 3<&-
"$1" >&4
echo "reader gone: $?"
# A pipe whose reader reads nothing, full; its temporary folder of its own,
# where its folder shows that it handles the signals that end it.
exec 4>&- 3<>"$2/pipe"
dd if=/dev/zero of=/dev/fd/3 bs=4096 count=1024 oflag=nonblock 2>/dev/null
mkdir "$TMPDIR/term"
TMPDIR=$TMPDIR/term "$1" >&3 2>"$2/term.err" &
until compgen -G "$TMPDIR/term/modeldump-*" >/dev/null; do kill -0 $! 2>/dev/null || break; done
kill -TERM $!
wait $!
echo "ended by a signal: $?"
# Without a reader, what is left of it ends.
exec 3<&-
cat "$2/term.err" >&2
rmdir "$TMPDIR/term"
]=])
check(modeldump_ends 0 "^reader gone: 1\nended by a signal: 143\n$" "^$" bash ${WORK}/ends.sh ${MODELDUMP} ${WORK})
foreach(folder dump users tmp)
  file(GLOB_RECURSE left LIST_DIRECTORIES true RELATIVE ${WORK}/${folder} ${WORK}/${folder}/*)
  if((folder STREQUAL "users" AND NOT left STREQUAL "thesis.tex") OR (NOT folder STREQUAL "users" AND left))
    set(failures "${failures}\nmodeldump: it left in ${WORK}/${folder}: ${left}")
  endif()
endforeach()

check(mediastick_help 0 "^usage: mediastick DIR\n" "^$" ${MEDIASTICK} --help)
check(mediastick_none 2 "^$" "^mediastick: name the folder to write the stick into\nusage: " ${MEDIASTICK})
check(mediastick_option 2 "^$" "^mediastick: unknown option --bogus\nusage: " ${MEDIASTICK} --bogus)
check(mediastick_words 2 "^$" "^mediastick: it takes one folder, and 2 words are given\nusage: " ${MEDIASTICK} ${WORK}/a ${WORK}/b)
if(EXISTS ${WORK}/--bogus OR EXISTS ${WORK}/a)
  set(failures "${failures}\nmediastick: a refused command line wrote a stick")
endif()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
