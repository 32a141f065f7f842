# Helpers shared by every subsystem's CMakeLists.txt.

set(KORDAVO_WARNINGS -Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers)
# Every build treats a warning as an error: the sanitizer test build
# (`make test`) and the optimised Release build (`make game`, `make bench`),
# whose deeper analysis finds what the unoptimised one does not. The
# libFuzzer build under clang, whose warnings differ, only reports them.
option(KORDAVO_WERROR "Treat compiler warnings as errors" ON)
if(KORDAVO_WERROR AND NOT KORDAVO_LIBFUZZER)
  list(APPEND KORDAVO_WARNINGS -Werror)
endif()

# Text inside the game is Windows-1252, one byte per character: string
# literals are compiled into that character set. clang only knows UTF-8 as
# execution character set; it serves the libFuzzer build (`make fuzz`), where
# texts with umlauts differ in their bytes but not in what is being fuzzed.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  set(KORDAVO_CHARSET -finput-charset=UTF-8 -fexec-charset=CP1252)
else()
  set(KORDAVO_CHARSET)
endif()

# Under libFuzzer every library is instrumented for coverage, so the fuzzer
# sees the edges of the code it drives, not only those of the target file.
if(KORDAVO_LIBFUZZER)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# Debug sections compressed: the test build links some sixty test programs
# against every library, and uncompressed they fill gigabytes of disk.
# Stack traces under the sanitizers still carry file and line.
add_compile_options(-gz -pipe)
add_link_options(-gz)

if(KORDAVO_SANITIZE)
  # Line tables only: a sanitizer's stack trace names file and line, and the
  # test build stays a few gigabytes on disk (no temporary files either: -pipe).
  add_compile_options(-g1 -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  # Test programs link as fixed-address executables: the sanitizers'
  # metadata would otherwise need a relocation per global at every start
  # and some twenty megabytes per program on disk.
  add_link_options(-fsanitize=address,undefined -no-pie)
endif()

# kordavo_library(<name> [DEPS ...]): a static library kordavo_<name> made of
# every .cpp in the calling folder src/<name> (not recursive).
#
# A library sees only its own folder and the folders of the libraries it
# links: its include directory is a folder of its own in the build tree
# holding one link, <name> -> src/<name>, and the include directories of
# its DEPS come with them. So `#include "matchday/spieltag.h"` in the season
# fails to compile: the season does not link the matchday.
function(kordavo_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;SOURCES" ${ARGN})
  if(NOT ARG_SOURCES)
    file(GLOB ARG_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  endif()
  set(_sicht ${PROJECT_BINARY_DIR}/sicht/${name})
  file(MAKE_DIRECTORY ${_sicht})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${_sicht}/${name} SYMBOLIC)
  if(NOT ARG_SOURCES)
    # A subsystem that has no code yet still gives its name to link against.
    add_library(kordavo_${name} INTERFACE)
    target_include_directories(kordavo_${name} INTERFACE ${_sicht})
    target_link_libraries(kordavo_${name} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(kordavo_${name} STATIC ${ARG_SOURCES})
  target_include_directories(kordavo_${name} PUBLIC ${_sicht})
  target_compile_options(kordavo_${name} PRIVATE ${KORDAVO_WARNINGS} ${KORDAVO_CHARSET})
  target_link_libraries(kordavo_${name} PUBLIC ${ARG_DEPS})
endfunction()

# The test programs share one precompiled header: GoogleTest and the
# standard headers most of them include, parsed once instead of in every
# test file (about half of a test file's compile time). It is made once, in
# kordavo_test_pch, and every test program reuses it; it holds no header of
# the game, so each program's own definitions and include folders do not
# touch it. A compiler launcher such as ccache caches no compile that reads
# a precompiled header, so with a launcher it is off unless asked for.
if(CMAKE_CXX_COMPILER_LAUNCHER)
  set(_pch_vorgabe OFF)
else()
  set(_pch_vorgabe ON)
endif()
option(KORDAVO_TEST_PCH "Test programs share one precompiled header" ${_pch_vorgabe})

function(kordavo_test_pch_ziel)
  if(TARGET kordavo_test_pch)
    return()
  endif()
  set(_anker ${PROJECT_BINARY_DIR}/kordavo_test_pch.cpp)
  if(NOT EXISTS ${_anker})
    file(WRITE ${_anker} "// The translation unit that builds the test programs' precompiled header.\n")
  endif()
  add_library(kordavo_test_pch OBJECT ${_anker})
  target_compile_options(kordavo_test_pch PRIVATE ${KORDAVO_WARNINGS} ${KORDAVO_CHARSET})
  target_link_libraries(kordavo_test_pch PRIVATE GTest::gtest GTest::gmock Threads::Threads)
  # SDL's compile flags define _REENTRANT (a no-op for glibc with g++):
  # defined for every test program alike, the one header serves them all.
  target_compile_definitions(kordavo_test_pch PRIVATE _REENTRANT)
  target_precompile_headers(kordavo_test_pch PRIVATE
    <gtest/gtest.h> <string> <vector> <algorithm> <cstring> <filesystem> <cstdlib> <cstdio>
    <memory> <set> <map> <fstream> <array> <chrono> <tuple> <functional> <thread>
    <utility> <sstream> <atomic>)
endfunction()

# kordavo_test(<name> SOURCES ... [DEPS ...] [LABELS ...] [TIMEOUT s]):
# one GoogleTest executable registered with ctest as a single test.
function(kordavo_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;DEPS;LABELS" ${ARGN})
  add_executable(test_${name} ${ARG_SOURCES})
  target_compile_options(test_${name} PRIVATE ${KORDAVO_WARNINGS} ${KORDAVO_CHARSET})
  target_include_directories(test_${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(test_${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock Threads::Threads)
  if(KORDAVO_TEST_PCH)
    kordavo_test_pch_ziel()
    target_compile_definitions(test_${name} PRIVATE _REENTRANT)
    target_precompile_headers(test_${name} REUSE_FROM kordavo_test_pch)
  endif()
  add_test(NAME ${name} COMMAND test_${name})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 600)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT}
    ENVIRONMENT "KORDAVO_HEADLESS=1;KORDAVO_CONFIG_DIR=${PROJECT_BINARY_DIR}/test-config;KORDAVO_SOURCE_DIR=${PROJECT_SOURCE_DIR};KORDAVO_BINARY_DIR=${PROJECT_BINARY_DIR};KORDAVO_GAME_DIR=${KORDAVO_GAME_DIR}")
  if(ARG_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
  endif()
endfunction()

# kordavo_bench(<name> SOURCES ... [DEPS ...]): a Google Benchmark program.
function(kordavo_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(bench_${name} ${ARG_SOURCES})
  target_compile_options(bench_${name} PRIVATE ${KORDAVO_WARNINGS} ${KORDAVO_CHARSET})
  target_include_directories(bench_${name} PRIVATE ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(bench_${name} PRIVATE ${ARG_DEPS} benchmark::benchmark Threads::Threads)
  # Benchmarks read the shipped data from the source tree.
  target_compile_definitions(bench_${name} PRIVATE KORDAVO_QUELLE="${PROJECT_SOURCE_DIR}")
  set_property(GLOBAL APPEND PROPERTY KORDAVO_BENCHMARKS bench_${name})
endfunction()

# kordavo_fuzzer(<name> SOURCES ... [DEPS ...] [CORPUS dir] [SMOKE seconds]):
# a fuzz target exporting LLVMFuzzerTestOneInput. With libFuzzer (clang) it
# links against the fuzzing engine; otherwise against our small standalone
# driver, and ctest runs it for a short smoke time (5 s: every seed of its
# corpus, then mutations of them; the long runs are `make fuzz`'s).
function(kordavo_fuzzer name)
  cmake_parse_arguments(ARG "" "CORPUS;SMOKE" "SOURCES;DEPS" ${ARGN})
  if(NOT ARG_SMOKE)
    set(ARG_SMOKE 5)
  endif()
  if(KORDAVO_LIBFUZZER)
    add_executable(fuzz_${name} ${ARG_SOURCES})
    target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  else()
    if(NOT TARGET kordavo_fuzz_treiber)
      # The stand-in driver is compiled once for every fuzz target.
      add_library(kordavo_fuzz_treiber OBJECT ${PROJECT_SOURCE_DIR}/fuzz/standalone_driver.cpp)
      target_compile_options(kordavo_fuzz_treiber PRIVATE ${KORDAVO_WARNINGS})
    endif()
    add_executable(fuzz_${name} ${ARG_SOURCES} $<TARGET_OBJECTS:kordavo_fuzz_treiber>)
  endif()
  target_compile_options(fuzz_${name} PRIVATE ${KORDAVO_WARNINGS} ${KORDAVO_CHARSET})
  target_include_directories(fuzz_${name} PRIVATE ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(fuzz_${name} PRIVATE ${ARG_DEPS} Threads::Threads)
  set_property(GLOBAL APPEND PROPERTY KORDAVO_FUZZERS fuzz_${name})
  if(KORDAVO_TESTS AND NOT KORDAVO_LIBFUZZER)
    set(corpus "")
    if(ARG_CORPUS)
      set(corpus ${ARG_CORPUS})
    endif()
    # No single allocation above 256 MB: every reader sizes what it allocates
    # by what its input can hold.
    add_test(NAME fuzz_smoke_${name} COMMAND fuzz_${name} -max_total_time=${ARG_SMOKE} -malloc_limit_mb=256 ${corpus})
    set_tests_properties(fuzz_smoke_${name} PROPERTIES TIMEOUT 300 LABELS fuzz
      ENVIRONMENT "KORDAVO_HEADLESS=1;KORDAVO_CONFIG_DIR=${PROJECT_BINARY_DIR}/test-config;KORDAVO_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  endif()
endfunction()

# kordavo_test_folder(<prefix> DEPS ... [EXCLUDE names...]): every test_<n>.cpp
# of the calling folder becomes the test <prefix>_<n>. The names made are
# left in KORDAVO_FOLDER_TESTS for the caller.
function(kordavo_test_folder prefix)
  cmake_parse_arguments(ARG "" "" "DEPS;EXCLUDE" ${ARGN})
  file(GLOB _tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/test_*.cpp)
  set(_made)
  foreach(t ${_tests})
    get_filename_component(n ${t} NAME_WE)
    string(REGEX REPLACE "^test_" "" n ${n})
    if(NOT n IN_LIST ARG_EXCLUDE)
      kordavo_test(${prefix}_${n} SOURCES ${t} DEPS ${ARG_DEPS})
      list(APPEND _made ${prefix}_${n})
    endif()
  endforeach()
  set(KORDAVO_FOLDER_TESTS ${_made} PARENT_SCOPE)
endfunction()

# kordavo_fuzz_folder(DEPS ...): every fuzz_<n>.cpp of the calling folder is
# the fuzz target <n>, seeded from fuzz/corpus/<n>/ when that exists.
function(kordavo_fuzz_folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB _targets CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_*.cpp)
  foreach(t ${_targets})
    get_filename_component(n ${t} NAME_WE)
    string(REGEX REPLACE "^fuzz_" "" n ${n})
    set(_corpus "")
    if(EXISTS ${PROJECT_SOURCE_DIR}/fuzz/corpus/${n})
      set(_corpus ${PROJECT_SOURCE_DIR}/fuzz/corpus/${n})
    endif()
    kordavo_fuzzer(${n} SOURCES ${t} DEPS ${ARG_DEPS} CORPUS "${_corpus}")
  endforeach()
endfunction()

# kordavo_bench_folder([PREFIX p] DEPS ...): every bench_<n>.cpp of the
# calling folder is the benchmark program bench_<p><n>.
function(kordavo_bench_folder)
  cmake_parse_arguments(ARG "" "PREFIX" "DEPS" ${ARGN})
  file(GLOB _benches CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/bench_*.cpp)
  foreach(b ${_benches})
    get_filename_component(n ${b} NAME_WE)
    string(REGEX REPLACE "^bench_" "" n ${n})
    kordavo_bench(${ARG_PREFIX}${n} SOURCES ${b} DEPS ${ARG_DEPS})
  endforeach()
endfunction()

# kordavo_mit_allen_schichten(<target>): links every layer library with the
# program's start-up wiring (kordavo_programm: the registration with the
# inbox's, the saved camp's and the network's wiring, and the new game's
# start), as the game program does. The wiring is compiled once, in its own
# library, however many programs link it.
function(kordavo_mit_allen_schichten ziel)
  if(NOT ziel STREQUAL "kordavo_programm")
    target_link_libraries(${ziel} PRIVATE kordavo_programm)
  endif()
  foreach(sub world match season matchday graphics gui screens net jpeg main)
    target_link_libraries(${ziel} PRIVATE kordavo_${sub})
  endforeach()
endfunction()

# kordavo_mit_spielordner(<target>...): the targets read the generated game
# folder (KORDAVO_SPIELORDNER) and are built after the archives; targets that
# do not exist in this build are skipped.
function(kordavo_mit_spielordner)
  foreach(ziel ${ARGN})
    if(TARGET ${ziel})
      target_compile_definitions(${ziel} PRIVATE KORDAVO_SPIELORDNER="${KORDAVO_GAME_DIR}")
      if(TARGET resgen_archive)
        add_dependencies(${ziel} resgen_archive)
      endif()
    endif()
  endforeach()
endfunction()
