# The settings files with hostile things where the set keeps them: a link
# planted as the temporary file of a write sends nothing outside the set's
# folders, and a FIFO in place of the settings file blocks neither the boot
# nor tvsettings; the set boots on its backup. A backup that a cut or damage
# took is made again at boot.
#   cmake -DTVUI=<program> -DTVSETTINGS=<program> -DWORK=<scratch folder> -P settings_files.cmake
file(REMOVE_RECURSE ${WORK})
set(nvram ${WORK}/set/mnt/nvram)
file(MAKE_DIRECTORY ${nvram})
set(ENV{TVUI_ROOT} ${WORK}/set)
set(failures "")

# Runs a program (killed after a minute: a blocked one fails); status and
# standard error must be as given (a regular expression).
function(check name status pattern)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE got OUTPUT_VARIABLE stdout ERROR_VARIABLE stderr TIMEOUT 60)
  if(NOT "${got}" STREQUAL "${status}" OR NOT "${stderr}" MATCHES "${pattern}")
    set(failures
        "${failures}\n${name}: status ${got} (wanted ${status}), output:\n${stdout}\nerrors:\n${stderr}"
        PARENT_SCOPE)
  endif()
endfunction()

function(expect_untouched name file)
  file(READ ${file} text)
  if(NOT text STREQUAL "a file of the user's\n")
    set(failures "${failures}\n${name}: the write went through a link to ${file}" PARENT_SCOPE)
  endif()
endfunction()

# A write of tvsettings makes its temporary file new.
file(WRITE ${WORK}/outside_backup "a file of the user's\n")
file(CREATE_LINK ${WORK}/outside_backup ${nvram}/APP_NVRAM.dat.bakup.tmp SYMBOLIC)
check(set_backup 0 "^$" ${TVSETTINGS} set ${nvram}/APP_NVRAM.dat.bakup Marker kept)
expect_untouched(set_backup ${WORK}/outside_backup)
check(get_backup 0 "^$" ${TVSETTINGS} get ${nvram}/APP_NVRAM.dat.bakup Marker)

# A FIFO is no settings file: tvsettings refuses it at once, and writes
# nothing over it.
execute_process(COMMAND mkfifo ${nvram}/APP_NVRAM.dat RESULT_VARIABLE made)
if(NOT made EQUAL 0)
  message(FATAL_ERROR "mkfifo failed")
endif()
check(fifo_get 3 "APP_NVRAM.dat cannot be opened, read or written, or is not a regular file" ${TVSETTINGS} get
      ${nvram}/APP_NVRAM.dat Marker)
check(fifo_dump 3 "APP_NVRAM.dat cannot be opened" ${TVSETTINGS} dump ${nvram}/APP_NVRAM.dat)
check(fifo_set 3 "APP_NVRAM.dat cannot be opened" ${TVSETTINGS} set ${nvram}/APP_NVRAM.dat Marker other)

# The runner's own read of the settings file (expect setting) does not wait
# on the FIFO either: the line fails and says why (the probe's root boots no
# settings store that would replace it).
file(WRITE ${WORK}/probe.scn "root probe\nexpect setting Marker kept\n")
check(fifo_expect 1 "probe.scn:2 failed: expect setting Marker kept\n  the set's /mnt/nvram/APP_NVRAM.dat is not a regular file"
      ${TVUI} --quiet --scenario ${WORK}/probe.scn --out ${WORK}/out)

# The set boots on the backup in its place, through a temporary file planted
# as a link; the settings file it puts there is a regular file, and later
# writes keep to it.
file(WRITE ${WORK}/outside "a file of the user's\n")
file(CREATE_LINK ${WORK}/outside ${nvram}/APP_NVRAM.dat.tmp SYMBOLIC)
file(WRITE ${WORK}/boot.scn
     "tv demo\ntv on\nexpect setting Marker kept\nstore Marker changed\nexpect setting Marker changed\n")
check(boot 0 "^$" ${TVUI} --quiet --scenario ${WORK}/boot.scn --out ${WORK}/out)
expect_untouched(boot ${WORK}/outside)
if(IS_SYMLINK ${nvram}/APP_NVRAM.dat.tmp OR IS_SYMLINK ${nvram}/APP_NVRAM.dat)
  set(failures "${failures}\nboot: a link is left in the set's settings folder")
endif()
check(get_after_boot 0 "^$" ${TVSETTINGS} get ${nvram}/APP_NVRAM.dat Marker)

# A cut the moment the first-time setup ends can leave the setup done and no
# backup but the temporary file of its copy; a backup can be damaged since.
# Either way the next boot makes the backup again from the sound settings file.
file(WRITE ${WORK}/remade.scn "tv demo\ntv on\nexpect-backup Marker kept\n")
foreach(backup_left temporary damaged)
  set(remade ${WORK}/remade_${backup_left}/mnt/nvram)
  file(MAKE_DIRECTORY ${remade})
  check(remade_${backup_left}_file 0 "^$" ${TVSETTINGS} set ${remade}/APP_NVRAM.dat SetupStep 9)
  check(remade_${backup_left}_marker 0 "^$" ${TVSETTINGS} set ${remade}/APP_NVRAM.dat Marker kept)
  if(backup_left STREQUAL "temporary")
    file(WRITE ${remade}/APP_NVRAM.dat.bakup.tmp "[SetupStep]=<9>\n[Mar")
  else()
    file(WRITE ${remade}/APP_NVRAM.dat.bakup "[SetupStep]=<9>\n[Marker]=<old>\nno check sequence")
  endif()
  check(remade_${backup_left} 0 "^$" ${CMAKE_COMMAND} -E env TVUI_ROOT=${WORK}/remade_${backup_left} ${TVUI} --quiet
        --scenario ${WORK}/remade.scn --out ${WORK}/out)
  if(EXISTS ${remade}/APP_NVRAM.dat.bakup.tmp)
    set(failures "${failures}\nremade_${backup_left}: the temporary file of the backup is left")
  endif()
endforeach()

# A folder where the backup should be fails the runner's read of it with its
# reason, and ends nothing.
file(WRITE ${WORK}/backup.scn
     "tv demo\ntv on\nfile \"/mnt/nvram/APP_NVRAM.dat.bakup/x\" \"y\"\nexpect-backup Marker kept\n")
check(backup_folder 1 "backup.scn:4 failed: expect-backup Marker kept\n  the set's /mnt/nvram/APP_NVRAM.dat.bakup is not a regular file"
      ${CMAKE_COMMAND} -E env TVUI_ROOT=${WORK}/backup ${TVUI} --quiet --scenario ${WORK}/backup.scn --out ${WORK}/out)

# A folder in place of a settings file or the temporary file of its write,
# which no save can replace or remove, is refused before the set boots, by
# name: every setting would be lost, the scenario passing all the same.
file(WRITE ${WORK}/on.scn "tv demo\ntv on\n")
foreach(name APP_NVRAM.dat APP_NVRAM.dat.tmp APP_NVRAM.dat.bakup APP_NVRAM.dat.bakup.tmp)
  file(REMOVE_RECURSE ${WORK}/folders)
  file(MAKE_DIRECTORY ${WORK}/folders/mnt/nvram/${name})
  check(settings_folder 2 "the set's settings file ${WORK}/folders/mnt/nvram/${name} is a folder" ${CMAKE_COMMAND} -E env
        TVUI_ROOT=${WORK}/folders ${TVUI} --quiet --scenario ${WORK}/on.scn --out ${WORK}/out)
endforeach()

# A link put in place of the set's folders while it runs takes nothing of
# the set's out of its folder: the settings' folder before a save of the
# set's own, before the next period loads the settings, recovers them and
# writes them afresh, and before the runner's store line; the USB disk's
# folder before the recorder keeps a recording, before the runner's recording
# line, and before a recording is deleted. The write is refused, naming the
# link, the line that made it fails, and the user's files where the link
# leads, named as the set's own, stay as they were.
set(library "tv demo\nadvance 1000\nstore SetupStep 9\nstore MainMenuIndex \"5\"\nevent XPM_EVENT_WAKEUP Reason=1\nadvance 1000\nkey MENU\nadvance 400")
string(APPEND library "\nkey RIGHT\nkey OK\nadvance 1000\nkey OK\nadvance 1000\nexpect focus-form 0x1200003B")
set(users APP_NVRAM.dat APP_NVRAM.dat.bakup APP_NVRAM.dat.tmp)
foreach(recording Cooking_Today_7-1 Evening_News_9-1 Late_Movie_101-1 Match_of_the_Week_5-1 Nature_Hour_2-1
                  Cartoon_Hour)
  list(APPEND users ${recording}.trp ${recording}.nav)
endforeach()
foreach(case "save;/mnt/nvram;tv demo\ntv on\nLINK\nkey MENU\nadvance 400\nkey DOWN\nadvance 400\nkey EXIT;key EXIT"
             "wake;/mnt/nvram;tv demo\ntv on\nLINK\nstandby\nwake;wake"
             "store;/mnt/nvram;tv demo\ntv on\nLINK\nstore Marker kept;store Marker kept"
             "record;/mnt/removable/usba;tv demo\ntv on\nLINK\nkey RECORD\nkey OK\nadvance 1900000;key OK"
             "recording_line;/mnt/removable/usba;tv demo\ntv on\nLINK\nrecording \"Cartoon Hour\" 30;recording [^\n]*"
             "delete;/mnt/removable/usba;${library}\nLINK\nkey RED\nkey OK;key OK")
  list(GET case 0 name)
  list(GET case 1 folder)
  list(GET case 2 lines)
  list(GET case 3 failing)
  set(outside ${WORK}/swap_outside_${name})
  file(MAKE_DIRECTORY ${outside})
  foreach(user ${users})
    file(WRITE ${outside}/${user} "a file of the user's\n")
  endforeach()
  file(GLOB before RELATIVE ${outside} ${outside}/*)
  string(REPLACE "LINK" "link \"${folder}\" \"${outside}\"" lines "${lines}")
  file(WRITE ${WORK}/swap_${name}.scn "${lines}\n")
  check(swap_${name} 1 "swap_${name}.scn:[0-9]+ failed: ${failing}\n  [^\n]*: ${WORK}/swap_${name}${folder} is a link to ${outside}, which leads out"
        ${CMAKE_COMMAND} -E env TVUI_ROOT=${WORK}/swap_${name} ${TVUI} --quiet --fresh --scenario ${WORK}/swap_${name}.scn
        --out ${WORK}/out)
  file(GLOB after RELATIVE ${outside} ${outside}/*)
  if(NOT after STREQUAL before)
    set(failures "${failures}\nswap_${name}: the set wrote through a link out of its folder: ${after}")
  endif()
  foreach(user ${after})
    expect_untouched(swap_${name} ${outside}/${user})
  endforeach()
endforeach()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
