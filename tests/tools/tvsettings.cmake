# tvsettings from the shell: the usage asked for goes to standard output
# with status 0, the usage of a wrong command line to standard error with
# status 2; a pair set is read back and dumped.
#   cmake -DTVSETTINGS=<program> -DWORK=<scratch folder> -P tvsettings.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(failures "")

# Runs the program; status, standard output and standard error must be as
# given (regular expressions).
function(check name status stdout_pattern stderr_pattern)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE got OUTPUT_VARIABLE stdout ERROR_VARIABLE stderr)
  if(NOT "${got}" STREQUAL "${status}" OR NOT "${stdout}" MATCHES "${stdout_pattern}"
     OR NOT "${stderr}" MATCHES "${stderr_pattern}")
    set(failures "${failures}\n${name}: status ${got} (wanted ${status})\n  standard output: ${stdout}\n  standard error: ${stderr}"
        PARENT_SCOPE)
  endif()
endfunction()

set(file ${WORK}/APP_NVRAM.dat)
check(help 0 "^usage: tvsettings dump FILE\n.*/mnt/nvram/APP_NVRAM.dat" "^$" ${TVSETTINGS} --help)
check(no_arguments 2 "^$" "^usage: tvsettings dump FILE\n" ${TVSETTINGS})
check(unknown_command 2 "^$" "^usage: " ${TVSETTINGS} list ${file})
check(set 0 "^$" "^$" ${TVSETTINGS} set ${file} SetupStep 9)
check(get 0 "^9\n$" "^$" ${TVSETTINGS} get ${file} SetupStep)
check(get_missing 1 "^$" "^$" ${TVSETTINGS} get ${file} Language)
check(dump 0 "^\\[SetupStep\\]=<9>\n$" "^$" ${TVSETTINGS} dump ${file})

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
