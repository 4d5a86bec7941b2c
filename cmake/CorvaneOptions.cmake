# Flags every Corvane target shares.
add_library(corvane_options INTERFACE)
target_include_directories(corvane_options INTERFACE ${PROJECT_SOURCE_DIR})
target_compile_options(corvane_options INTERFACE
    -Wall -Wextra -Werror
    # Narrow literals are code page 936 bytes; sources are UTF-8.
    -finput-charset=UTF-8 -fexec-charset=GB18030)
if(CORVANE_SANITIZE)
    target_compile_options(corvane_options INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(corvane_options INTERFACE -fsanitize=address,undefined)
endif()

# corvane_library(NAME SOURCES... DEPS ...)
function(corvane_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    if(NOT ARG_SOURCES)
        return() # a folder not written yet
    endif()
    add_library(${name} STATIC ${ARG_SOURCES})
    target_link_libraries(${name} PUBLIC corvane_options ${ARG_DEPS})
endfunction()

# corvane_test(NAME SOURCES... DEPS ...): one GoogleTest program, its cases run by CTest.
function(corvane_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE corvane_options ${ARG_DEPS} GTest::gtest GTest::gtest_main)
    # GoogleTest's header is most of a test file's parsing: parse it once a program.
    target_precompile_headers(${name} PRIVATE <gtest/gtest.h>)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "CORVANE_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()
