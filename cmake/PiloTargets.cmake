# Shared settings for every Pilo target.

set(PILO_ROOT ${CMAKE_CURRENT_LIST_DIR}/..)

# Every warning is on. The project's presets make warnings errors
# (CMAKE_COMPILE_WARNING_AS_ERROR); a distribution's build with its own flags is not stopped by
# a new compiler's new warning.
add_library(pilo_options INTERFACE)
target_compile_options(pilo_options INTERFACE -Wall -Wextra)
target_include_directories(pilo_options INTERFACE ${PILO_ROOT})
if(PILO_SANITIZE)
    target_compile_options(pilo_options INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(pilo_options INTERFACE -fsanitize=address,undefined)
endif()
# The fuzz targets steer by the coverage of the code they reach, so every library they link is
# built with the fuzzer's coverage counters (the sanitizer runtime serves them elsewhere).
if(PILO_FUZZ)
    target_compile_options(pilo_options INTERFACE -fsanitize=fuzzer-no-link)
endif()

function(pilo_add_subdirectories)
    foreach(dir IN LISTS ARGN)
        if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
            add_subdirectory(${dir})
        endif()
    endforeach()
endfunction()

# pilo_library(name SOURCES ... [DEPS ...]): a static library with the shared options.
function(pilo_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_link_libraries(${name} PUBLIC pilo_options ${ARG_DEPS})
endfunction()

# pilo_test(name SOURCES ... [DEPS ...]): a GoogleTest executable registered with ctest.
function(pilo_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    # The test headers cost more than the tests: a test program compiles as one unit.
    set_target_properties(${name} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 0)
    target_link_libraries(${name} PRIVATE pilo_options ${ARG_DEPS} GTest::gtest GTest::gtest_main
                                          GTest::gmock)
    target_compile_definitions(${name} PRIVATE PILO_SOURCE_DIR="${PILO_ROOT}"
                                                PILO_SHARED_DIR="${PILO_ROOT}/../shared")
    gtest_discover_tests(${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
                         DISCOVERY_TIMEOUT 60)
endfunction()

# pilo_fuzzer(name SOURCES ... [DEPS ...]): a libFuzzer target, built only with PILO_FUZZ (clang).
# ctest runs each for PILO_FUZZ_SECONDS with the label "fuzz", starting from the committed seed
# corpus tests/fuzz-corpus/<name> when there is one; new inputs go to a scratch folder in the
# build tree (libFuzzer writes into the first folder it is given).
set(PILO_FUZZ_SECONDS 30 CACHE STRING "Seconds each fuzz target runs under ctest")
function(pilo_fuzzer name)
    if(NOT PILO_FUZZ)
        return()
    endif()
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE pilo_options ${ARG_DEPS})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
    file(MAKE_DIRECTORY ${corpus})
    if(EXISTS ${PILO_ROOT}/tests/fuzz-corpus/${name})
        list(APPEND corpus ${PILO_ROOT}/tests/fuzz-corpus/${name})
    endif()
    add_test(NAME ${name}
             COMMAND ${name} -max_total_time=${PILO_FUZZ_SECONDS} -rss_limit_mb=2048
                     -print_final_stats=1 ${corpus})
    set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT 600)
endfunction()

# pilo_benchmark(name SOURCES ... [DEPS ...]): a Google Benchmark executable (never a test).
function(pilo_benchmark name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    find_package(benchmark REQUIRED)
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE pilo_options ${ARG_DEPS} benchmark::benchmark
                                          benchmark::benchmark_main)
endfunction()

# Folders that only hold subfolders pass through to the ones that exist.
function(pilo_add_all_subdirectories)
    file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
         ${CMAKE_CURRENT_SOURCE_DIR}/*)
    list(SORT children)
    foreach(child IN LISTS children)
        if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child}
           AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
            add_subdirectory(${child})
        endif()
    endforeach()
endfunction()
