# Shared helpers: one static library per source folder, one test program per library.

set(MEADOW_WARNINGS -Wall -Wextra)

# meadow_library(<target> [GLOB_DIRS dir...] [PUBLIC_LINK lib...] [PRIVATE_LINK lib...])
# Collects every .cpp of the folder (and of the extra folders given) into a static library.
function(meadow_library target)
    cmake_parse_arguments(ARG "" "" "GLOB_DIRS;PUBLIC_LINK;PRIVATE_LINK" ${ARGN})
    set(patterns ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    foreach(dir ${ARG_GLOB_DIRS})
        list(APPEND patterns ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
    endforeach()
    file(GLOB sources CONFIGURE_DEPENDS ${patterns})
    if(NOT sources)
        # A folder whose first class has not landed yet still links as a layer.
        add_library(${target} INTERFACE)
        target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
        target_link_libraries(${target} INTERFACE ${ARG_PUBLIC_LINK})
        return()
    endif()
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    target_compile_options(${target} PRIVATE ${MEADOW_WARNINGS})
    target_link_libraries(${target} PUBLIC ${ARG_PUBLIC_LINK} PRIVATE ${ARG_PRIVATE_LINK})
endfunction()

# meadow_test(<target> LINK lib... [GLOB_DIRS dir...] [PIXEL suite...] [SLOW suite...])
# (a suite, or one test as Suite.Test)
# Every .cpp of the test folder (and of the extra folders given) becomes one GoogleTest program. Each test runs headless in a
# fresh temporary folder (see tests/support/TestMain.cpp). The tests of the PIXEL suites get
# the CTest label "pixel" (they draw on EGL), those of the SLOW suites "slow", so that
# `ctest -LE pixel` or `ctest -LE "pixel|slow"` is a quick run.
function(meadow_test target)
    cmake_parse_arguments(ARG "" "" "LINK;GLOB_DIRS;PIXEL;SLOW" ${ARGN})
    set(patterns ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    foreach(dir ${ARG_GLOB_DIRS})
        list(APPEND patterns ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
    endforeach()
    file(GLOB sources CONFIGURE_DEPENDS ${patterns})
    if(NOT sources)
        return()
    endif()
    add_executable(${target} ${sources})
    target_compile_options(${target} PRIVATE ${MEADOW_WARNINGS})
    target_link_libraries(${target} PRIVATE ${ARG_LINK} meadow_test_support GTest::gtest GTest::gmock)
    gtest_discover_tests(${target}
        DISCOVERY_TIMEOUT 60
        # The rest of the test environment is set by tests/support/TestMain.cpp: a list here
        # would be split apart by the discovery step.
        PROPERTIES ENVIRONMENT MEADOW_HEADLESS=1 TIMEOUT 300)
    if(ARG_PIXEL OR ARG_SLOW)
        # The test names are known only once discovered: CTest reads this file after the
        # discovered list (${target}_TESTS) and labels the tests of the named suites.
        set(labels_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_labels.cmake)
        set(content "foreach(test IN LISTS ${target}_TESTS)\n    set(labels \"\")\n")
        foreach(label pixel slow)
            string(TOUPPER ${label} key)
            if(ARG_${key})
                list(JOIN ARG_${key} "|" suites)
                string(APPEND content
                    "    if(test MATCHES \"^(${suites})(\\\\.|$)\")\n"
                    "        list(APPEND labels ${label})\n"
                    "    endif()\n")
            endif()
        endforeach()
        string(APPEND content
            "    if(labels)\n"
            "        set_tests_properties(\"\${test}\" PROPERTIES LABELS \"\${labels}\")\n"
            "    endif()\n"
            "endforeach()\n")
        file(WRITE ${labels_file} "${content}")
        set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${labels_file})
    endif()
endfunction()
