# Runs the program headless for a number of frames, given on the command line and then by
# MEADOW_FRAMES: each run must end with code 0 and print exactly one line, the frames run and
# the time taken.
foreach(way option environment)
    if(way STREQUAL "option")
        set(frames 30)
        execute_process(COMMAND ${PROGRAM} --frames ${frames} RESULT_VARIABLE code OUTPUT_VARIABLE text TIMEOUT 60)
    else()
        set(frames 20)
        set(ENV{MEADOW_FRAMES} ${frames})
        execute_process(COMMAND ${PROGRAM} RESULT_VARIABLE code OUTPUT_VARIABLE text TIMEOUT 60)
    endif()
    if(NOT code EQUAL 0)
        message(FATAL_ERROR "${way}: exit code ${code}, wanted 0")
    endif()
    if(NOT text MATCHES "^meadow: ${frames} frames in [0-9]+\\.[0-9][0-9] s\n$")
        message(FATAL_ERROR "${way}: stdout was: ${text}")
    endif()
endforeach()
