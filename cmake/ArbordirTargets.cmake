# Shared settings and helpers for every target of the project.

if(WIN32)
  # Static runtime: the program and its tests need no MinGW DLLs beside them.
  add_link_options(-static)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
endif()

if(CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64|amd64")
  # SSE2 is part of x86_64; the pixel loops count on the compiler using it.
  add_compile_options(-msse2)
endif()

if(ARBORDIR_FUZZERS)
  # Everything the fuzzers link is instrumented for coverage and checked by the sanitizers.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# Warnings apply to our own targets only, not to GoogleTest built from source.
function(arbordir_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wno-missing-field-initializers)
endfunction()

function(arbordir_sanitize target)
  if(ARBORDIR_SANITIZE AND NOT WIN32)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                             -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# arbordir_library(name SOURCES... [LIBS ...]): a static library whose headers are included
# from the repository root ("core/folder_tree.h").
function(arbordir_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}")
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  arbordir_warnings(${name})
  arbordir_sanitize(${name})
endfunction()

# arbordir_test(name SOURCES... [LIBS ...] [LABELS ...]): a GoogleTest program registered with
# CTest. Windows test programs run under Wine with the build's own prefix.
function(arbordir_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  if(ARBORDIR_FUZZERS)
    return() # the fuzzing build runs only the fuzzers
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  arbordir_warnings(${name})
  arbordir_sanitize(${name})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}"
                                          WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}")
  arbordir_test_environment(${name})
endfunction()

function(arbordir_test_environment test)
  if(WIN32 AND NOT CMAKE_HOST_WIN32)
    set_tests_properties(${test} PROPERTIES ENVIRONMENT
      "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix;WINEDEBUG=-all;WINEDLLOVERRIDES=mscoree=\\;mshtml=")
  endif()
endfunction()

macro(arbordir_find_dependencies)
  if(WIN32)
    # The program ships alone: link zlib's static library, not the import library of its DLL.
    set(ZLIB_USE_STATIC_LIBS ON)
  endif()
  find_package(ZLIB REQUIRED)
  find_package(PNG REQUIRED)
  find_package(JPEG REQUIRED)
  if(WIN32 AND NOT CMAKE_HOST_WIN32 AND EXISTS /usr/src/googletest/CMakeLists.txt)
    # Debian ships GoogleTest as sources: build them with the cross compiler.
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
    if(NOT TARGET GTest::gtest)
      add_library(GTest::gtest ALIAS gtest)
      add_library(GTest::gtest_main ALIAS gtest_main)
    endif()
  else()
    find_package(GTest REQUIRED)
  endif()
endmacro()
include(AddSubdirectories)

# arbordir_fuzzer(name SOURCES... LIBS... CORPUS dir): a libFuzzer target. Its test replays the
# seed corpus (and the crashes kept there as regressions) once; fuzzing itself is run by hand:
#   build/fuzz/fuzz/<area>/<name> -max_total_time=300 <corpus copy>
function(arbordir_fuzzer name)
  cmake_parse_arguments(ARG "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  if(NOT ARBORDIR_FUZZERS)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  arbordir_warnings(${name})
  add_test(NAME ${name} COMMAND ${name} -runs=0 "${ARG_CORPUS}")
  set_tests_properties(${name} PROPERTIES LABELS fuzz)
endfunction()
