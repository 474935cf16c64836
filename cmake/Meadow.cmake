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

# meadow_test(<target> LINK lib...)
# Every .cpp of the test folder becomes one GoogleTest program. Each test runs headless in a
# fresh temporary folder (see tests/support/TestMain.cpp).
function(meadow_test target)
    cmake_parse_arguments(ARG "" "" "LINK" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
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
endfunction()
