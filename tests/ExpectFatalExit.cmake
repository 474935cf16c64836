# Runs the program beside a data folder it cannot start from: it must report the fatal error in
# error.log and end with code 1, never 0.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/Data/sys ${WORK}/user)
# The program finds its data beside itself: a hard link (or a copy) takes it to the broken folder.
file(CREATE_LINK ${PROGRAM} ${WORK}/meadow COPY_ON_ERROR)
file(WRITE ${WORK}/Data/sys/constants.xml "<constants")
execute_process(COMMAND ${CMAKE_COMMAND} -E env MEADOW_HEADLESS=1 MEADOW_USER_DIR=${WORK}/user
                        ${WORK}/meadow --frames 30
                WORKING_DIRECTORY ${WORK} RESULT_VARIABLE code ERROR_VARIABLE text TIMEOUT 60)
if(NOT code EQUAL 1)
    message(FATAL_ERROR "exit code ${code}, wanted 1; stderr was: ${text}")
endif()
file(READ ${WORK}/error.log log)
if(NOT log MATCHES "Restart the game please")
    message(FATAL_ERROR "error.log was: ${log}")
endif()
file(REMOVE_RECURSE ${WORK})
