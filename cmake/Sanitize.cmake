# The sanitizer build (MEADOW_SANITIZE): every program gets the sanitizers' default options and
# the leak suppressions compiled in, so that ctest, scripts and a test program started by hand
# check alike.

set(MEADOW_SANITIZER_SUPPRESSIONS ${CMAKE_CURRENT_LIST_DIR}/sanitize/lsan.supp)

function(meadow_collect_executables dir out)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    set(found "")
    foreach(target ${targets})
        get_target_property(type ${target} TYPE)
        if(type STREQUAL "EXECUTABLE")
            list(APPEND found ${target})
        endif()
    endforeach()
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(subdir ${subdirs})
        meadow_collect_executables(${subdir} sub)
        list(APPEND found ${sub})
    endforeach()
    set(${out} ${found} PARENT_SCOPE)
endfunction()

meadow_collect_executables(${PROJECT_SOURCE_DIR} meadow_executables)
set(options_source ${CMAKE_CURRENT_LIST_DIR}/sanitize/SanitizerOptions.cpp)
foreach(target ${meadow_executables})
    target_sources(${target} PRIVATE ${options_source})
endforeach()
set_source_files_properties(${options_source} TARGET_DIRECTORY ${meadow_executables}
    PROPERTIES COMPILE_DEFINITIONS MEADOW_SANITIZER_SUPPRESSIONS="${MEADOW_SANITIZER_SUPPRESSIONS}")
