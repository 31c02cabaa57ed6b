# SPDX-License-Identifier: MIT
# The build without Qt, which is the one that runs on Windows: every scenario and acceptance
# sample played by its runner (under Wine when it is a Windows program), each transcript exactly
# the native runner's when one is named, and the logbook's line refused in one clear line.
set(VANTREL_NATIVE_RUNNER "" CACHE FILEPATH "The native build's vantrel-script, to compare with")

# check-scenarios starts its runner as one program: a small script starts this one, under the
# emulator through a script that tries a run again when the emulator fails it. Python is named by
# its path: a program target would be started under the emulator too.
set(runner ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/vantrel-script-as-built)
set(start "")
if(CMAKE_CROSSCOMPILING_EMULATOR)
    set(start "'${Python3_EXECUTABLE}' '${CMAKE_CURRENT_SOURCE_DIR}/portable/retry_under_emulator.py' ")
    foreach(word IN LISTS CMAKE_CROSSCOMPILING_EMULATOR)
        string(APPEND start "'${word}' ")
    endforeach()
    set(arguments "-- \"$@\"")
else()
    set(arguments "\"$@\"")
endif()
file(GENERATE OUTPUT ${runner}
    CONTENT "#!/bin/sh\nexec ${start}'$<TARGET_FILE:vantrel-script>' ${arguments}\n"
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                     WORLD_EXECUTE)

foreach(dir scenarios acceptance)
    add_test(NAME ${dir}
        COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/tools/check-scenarios ${runner}
                ${CMAKE_CURRENT_SOURCE_DIR}/${dir})
    set_tests_properties(${dir} PROPERTIES TIMEOUT 600
        FAIL_REGULAR_EXPRESSION "[1-9][0-9]* failed")
endforeach()
if(VANTREL_NATIVE_RUNNER)
    add_test(NAME same_transcripts_as_native
        COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/portable/same_transcripts.py
                ${VANTREL_NATIVE_RUNNER} ${runner} ${CMAKE_CURRENT_SOURCE_DIR}/scenarios
                ${CMAKE_CURRENT_SOURCE_DIR}/acceptance)
    set_tests_properties(same_transcripts_as_native PROPERTIES TIMEOUT 900)
endif()
add_test(NAME logbook_line_refused
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/portable/same_transcripts.py
            --refuses-logbook ${runner})
add_test(NAME scenario_from_any_folder
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/portable/same_transcripts.py
            --any-folder ${runner} ${CMAKE_CURRENT_SOURCE_DIR}/acceptance/startup.vts)

# Under Wine, one Wine server for the whole run: a program that starts just as the last one's
# server shuts down fails ("recvmsg: Connection reset by peer"). One that the build left running
# is ended first.
if(CMAKE_CROSSCOMPILING AND VANTREL_WINE)
    find_program(VANTREL_WINESERVER wineserver REQUIRED)
    set(server ${VANTREL_WINESERVER})
    # Its output, and that of the Windows services its first program starts, go nowhere: one
    # holding a test's output open would hold the test until the server ends.
    add_test(NAME wine_server_up COMMAND sh -c "${server} -k; ${server} -w; \
        ${server} -p >/dev/null 2>&1 </dev/null; ${VANTREL_WINE} wineboot >/dev/null 2>&1 </dev/null")
    add_test(NAME wine_server_down COMMAND ${server} -k)
    set_tests_properties(wine_server_up PROPERTIES FIXTURES_SETUP wine TIMEOUT 60
        ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wine;WINEDEBUG=-all")
    set_tests_properties(wine_server_down PROPERTIES FIXTURES_CLEANUP wine
        ENVIRONMENT WINEPREFIX=${CMAKE_BINARY_DIR}/wine)
    set_tests_properties(portable_files scenarios acceptance logbook_line_refused
        scenario_from_any_folder PROPERTIES FIXTURES_REQUIRED wine)
    if(VANTREL_NATIVE_RUNNER)
        set_tests_properties(same_transcripts_as_native PROPERTIES FIXTURES_REQUIRED wine)
    endif()
endif()
