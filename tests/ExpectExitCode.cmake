# Runs the program with an option it does not know: it must say so and end with code 2, at once.
execute_process(COMMAND ${PROGRAM} --no-such-option RESULT_VARIABLE code ERROR_VARIABLE text TIMEOUT 15)
if(NOT code EQUAL 2)
    message(FATAL_ERROR "exit code ${code}, wanted 2")
endif()
if(NOT text MATCHES "unknown option '--no-such-option'")
    message(FATAL_ERROR "stderr was: ${text}")
endif()
