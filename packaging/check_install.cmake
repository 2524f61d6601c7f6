# Installs the build BUILD under the temporary folder WORK (DESTDIR) with the prefix /usr and
# checks the tree: each part in its place, the tools runnable, and the installed program, run
# from there headless without --home, finds its data beside itself: it says nothing on
# standard error and draws the same screen as the build's PROGRAM on the build's DATA folder.
# A folder data/ beside the prefix (as ~/data is beside ~/.local) used to be taken for the
# home folder; WORK holds one, empty.
set(root ${WORK}/usr)

# Runs `script` on `program` headless with its own state folder; fails unless it exits 0 and
# says nothing on standard error.
function(run_headless name program)
    file(WRITE ${WORK}/${name}.txt
         "clock 2027-03-20T17:00:00Z\nwait 200\nshot ${WORK}/${name}.png\nquit\n")
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env --unset=MUNDORA_HOME --unset=MUNDORA_STATE ${program}
                --headless --script ${WORK}/${name}.txt --state ${WORK}/${name} ${ARGN}
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
    if(NOT rc STREQUAL "0" OR NOT err STREQUAL "")
        message(FATAL_ERROR "${name} run of ${program}: exit status ${rc}\n${err}")
    endif()
endfunction()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/data)
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${WORK} ${CMAKE_COMMAND} --install ${BUILD}
            --prefix /usr
    RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc STREQUAL "0")
    message(FATAL_ERROR "cmake --install: exit status ${rc}\n${err}")
endif()

set(tools mundora-assets mundora-cities mundora-citydb mundora-mapconv mundora-maps)
set(parts bin/mundora share/mundora/cities.bin share/mundora/maps/Day.gif
    share/mundora/maps/Night.gif share/mundora/routes/Capitals.xml
    share/mundora/routes/flags/fr.gif share/mundora/mdora.htm
    share/applications/${APP_ID}.desktop share/metainfo/${APP_ID}.metainfo.xml)
foreach(size 48 64 128 256)
    list(APPEND parts share/icons/hicolor/${size}x${size}/apps/mundora.png)
endforeach()
foreach(tool ${tools})
    list(APPEND parts bin/${tool})
endforeach()
foreach(part ${parts})
    if(NOT EXISTS ${root}/${part})
        message(FATAL_ERROR "not installed: ${part}")
    endif()
endforeach()

# The data folder holds the data alone (it once got the build's own files as well).
file(GLOB data_parts RELATIVE ${root}/share/mundora ${root}/share/mundora/*)
list(SORT data_parts)
if(NOT data_parts STREQUAL "cities.bin;maps;mdora.htm;routes")
    message(FATAL_ERROR "share/mundora holds ${data_parts}")
endif()

foreach(tool ${tools})
    execute_process(COMMAND ${root}/bin/${tool} --help RESULT_VARIABLE rc OUTPUT_QUIET
                    ERROR_VARIABLE err TIMEOUT 60)
    if(NOT rc STREQUAL "0")
        message(FATAL_ERROR "${tool} --help: exit status ${rc}\n${err}")
    endif()
endforeach()
execute_process(COMMAND ${root}/bin/mundora --version RESULT_VARIABLE rc OUTPUT_VARIABLE out
                TIMEOUT 60)
if(NOT rc STREQUAL "0" OR NOT out STREQUAL "mundora ${VERSION}\n")
    message(FATAL_ERROR "mundora --version: exit status ${rc}, said '${out}'")
endif()

run_headless(installed ${root}/bin/mundora)
run_headless(reference ${PROGRAM} --home ${DATA})
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/installed.png
                        ${WORK}/reference.png RESULT_VARIABLE differ)
if(differ)
    message(FATAL_ERROR "the installed program's screen differs from the build's: ${WORK}/installed.png")
endif()
file(REMOVE_RECURSE ${WORK})
