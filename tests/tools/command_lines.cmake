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

check(modeldump_help 0 "^usage: modeldump \\[--fresh\\]\n" "^$" ${MODELDUMP} --help)
check(modeldump_option 2 "^$" "^modeldump: unknown option --bogus\nusage: modeldump " ${MODELDUMP} --bogus)
check(modeldump_words 2 "^$" "^modeldump: it takes one option at most, --fresh\nusage: " ${MODELDUMP} --fresh --fresh)

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
