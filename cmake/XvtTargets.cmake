# Helpers shared by every folder: areas, libraries, warnings, tests, benchmarks and fuzzers.

if(XVT_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(XVT_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "XVT_FUZZ needs clang (CC=clang CXX=clang++)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
  add_custom_target(xvt_fuzzers)
endif()

set(XVT_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/..)
# Cross-built Windows tests run under Wine, which shows the build host's
# root folder as drive Z:.
if(WIN32 AND CMAKE_CROSSCOMPILING)
  set(XVT_TEST_PATH_PREFIX "Z:")
else()
  set(XVT_TEST_PATH_PREFIX "")
endif()
# Tests that drive a real X server each start one of their own through this.
set(XVT_OWN_XSERVER ${XVT_SOURCE_DIR}/tests/e2e/lib/own_xvfb.sh)

# xvt_add_areas(dir...): add the listed folders of the current folder, in
# the order given (lower layers first). A listed folder without a
# CMakeLists.txt is an error.
# xvt_add_areas(GLOB): every sub-folder at any depth with a CMakeLists.txt,
# in sorted order, each with a binary folder of the same relative path.
# Areas found this way do not add their own sub-folders.
function(xvt_add_areas)
  cmake_parse_arguments(A "GLOB" "" "" ${ARGN})
  if(A_GLOB)
    file(GLOB_RECURSE area_lists LIST_DIRECTORIES false CONFIGURE_DEPENDS
         ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
    list(SORT area_lists)
    set(dirs "")
    foreach(list_file ${area_lists})
      get_filename_component(area_dir ${list_file} DIRECTORY)
      file(RELATIVE_PATH area ${CMAKE_CURRENT_SOURCE_DIR} ${area_dir})
      list(APPEND dirs ${area})
    endforeach()
  else()
    set(dirs ${A_UNPARSED_ARGUMENTS})
  endif()
  foreach(dir ${dirs})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    else()
      message(FATAL_ERROR "${CMAKE_CURRENT_SOURCE_DIR}/${dir} is listed but has no CMakeLists.txt")
    endif()
  endforeach()
endfunction()

# Our own code builds with warnings as errors; third-party code is never
# compiled through these helpers.
function(xvt_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror
                         -Wno-missing-field-initializers)
  # GCC warns of a class holding a type from an anonymous namespace unless
  # that type is defined in the file compiled; in a batch, no file is.
  if(CMAKE_UNITY_BUILD AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-subobject-linkage)
  endif()
endfunction()

# GCC 12 reports its middle-end warnings inside the standard library's
# inline code when that code comes from a precompiled header, as it does not
# from the header itself; -DXVT_PCH=OFF keeps them.
function(_xvt_pch_warnings target)
  target_compile_options(${target} PRIVATE -Wno-array-bounds -Wno-stringop-overread -Wno-stringop-overflow)
endfunction()

# The standard headers that most of our sources include, compiled once into
# the first library and reused by the others (all share the same flags).
# GCC only; -DXVT_PCH=OFF also checks that every source includes what it uses.
function(xvt_precompile_std target)
  if(NOT XVT_PCH OR XVT_FUZZ OR NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    return()
  endif()
  _xvt_pch_warnings(${target})
  get_property(provider GLOBAL PROPERTY XVT_PCH_PROVIDER)
  if(provider)
    target_precompile_headers(${target} REUSE_FROM ${provider})
  else()
    target_precompile_headers(${target} PRIVATE ${XVT_SOURCE_DIR}/cmake/precompiled_std.h)
    set_property(GLOBAL PROPERTY XVT_PCH_PROVIDER ${target})
  endif()
endfunction()

# xvt_library(name [STATIC|INTERFACE] SOURCES ... [PUBLIC_LIBS ...] [PRIVATE_LIBS ...] [INCLUDE dir])
function(xvt_library name)
  cmake_parse_arguments(A "INTERFACE" "INCLUDE" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  if(A_INTERFACE)
    add_library(${name} INTERFACE)
    if(A_INCLUDE)
      target_include_directories(${name} INTERFACE ${A_INCLUDE})
    endif()
    target_link_libraries(${name} INTERFACE ${A_PUBLIC_LIBS})
    return()
  endif()
  add_library(${name} STATIC ${A_SOURCES})
  xvt_warnings(${name})
  xvt_precompile_std(${name})
  if(A_INCLUDE)
    target_include_directories(${name} PUBLIC ${A_INCLUDE})
  endif()
  target_link_libraries(${name} PUBLIC ${A_PUBLIC_LIBS} PRIVATE ${A_PRIVATE_LIBS})
endfunction()

# The executable and CTest entry behind a test or a test group.
function(_xvt_test_executable name xserver)
  add_executable(${name})
  xvt_warnings(${name})
  target_include_directories(${name} PRIVATE ${XVT_SOURCE_DIR}/tests/support)
  target_link_libraries(${name} PRIVATE GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    XVT_SOURCE_DIR="${XVT_TEST_PATH_PREFIX}${XVT_SOURCE_DIR}"
    XVT_TESTDATA_DIR="${XVT_TEST_PATH_PREFIX}${XVT_SOURCE_DIR}/tests/data")
  if(xserver)
    add_test(NAME ${name} COMMAND ${XVT_OWN_XSERVER} $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77)
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT 120 ENVIRONMENT "XVT_SOURCE_DIR=${XVT_SOURCE_DIR}")
endfunction()

# xvt_test_group(name [WINDOWS] [TIMEOUT s]): one GoogleTest executable and one
# CTest entry for the tests of a layer, which its areas add with
# xvt_test(name SOURCES ... LIBS ...). Its sources build on one precompiled
# header of GoogleTest and the standard library; WINDOWS adds the umbrella
# Windows header to it.
function(xvt_test_group name)
  if(XVT_FUZZ)
    return()
  endif()
  cmake_parse_arguments(A "WINDOWS" "TIMEOUT" "" ${ARGN})
  _xvt_test_executable(${name} OFF)
  set_property(TARGET ${name} PROPERTY XVT_TEST_GROUP ON)
  set(pch ${XVT_SOURCE_DIR}/tests/support/precompiled.h)
  if(A_WINDOWS)
    target_link_libraries(${name} PRIVATE xvt_win32_headers)
    set(pch ${XVT_SOURCE_DIR}/tests/support/precompiled_windows.h)
  endif()
  if(XVT_PCH AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_precompile_headers(${name} PRIVATE ${pch})
    _xvt_pch_warnings(${name})
  endif()
  if(A_TIMEOUT)
    set_tests_properties(${name} PROPERTIES TIMEOUT ${A_TIMEOUT})
  endif()
endfunction()

# xvt_test(name SOURCES ... LIBS ... [LABELS ...] [XSERVER]): tests into the
# group called name, or else an executable of their own with one CTest entry
# (for tests that must run alone or carry a label such as e2e). XSERVER runs
# such an executable in an X server of its own (tests/e2e/lib/own_xvfb.sh).
function(xvt_test name)
  if(XVT_FUZZ)
    return()
  endif()
  cmake_parse_arguments(A "XSERVER" "" "SOURCES;LIBS;LABELS" ${ARGN})
  if(TARGET ${name})
    get_property(group TARGET ${name} PROPERTY XVT_TEST_GROUP)
    if(NOT group)
      message(FATAL_ERROR "test ${name} is not a group and is defined twice")
    endif()
    if(A_LABELS OR A_XSERVER)
      message(FATAL_ERROR "test group ${name} takes no labels and no X server: such a test is an executable of its own")
    endif()
  else()
    _xvt_test_executable(${name} "${A_XSERVER}")
    if(A_LABELS)
      set_tests_properties(${name} PROPERTIES LABELS "${A_LABELS}")
    endif()
  endif()
  target_sources(${name} PRIVATE ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS})
endfunction()

# xvt_bench(name SOURCES ... LIBS ...): a Google Benchmark executable, built in the normal build only.
function(xvt_bench name)
  if(NOT XVT_BUILD_BENCH)
    return()
  endif()
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  xvt_warnings(${name})
  target_link_libraries(${name} PRIVATE ${A_LIBS} benchmark::benchmark)
  target_compile_definitions(${name} PRIVATE XVT_SOURCE_DIR="${XVT_SOURCE_DIR}")
endfunction()

# xvt_fuzzer(name SOURCES ... LIBS ... [CORPUS dir] [SECONDS n]): a libFuzzer target,
# run by CTest (label "fuzz") for a bounded time in the fuzzing build only.
function(xvt_fuzzer name)
  if(NOT XVT_FUZZ)
    return()
  endif()
  cmake_parse_arguments(A "" "CORPUS;SECONDS" "SOURCES;LIBS" ${ARGN})
  if(NOT A_SECONDS)
    set(A_SECONDS 20)
  endif()
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  add_dependencies(xvt_fuzzers ${name})
  set(work ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
  file(MAKE_DIRECTORY ${work})
  set(seeds "")
  if(A_CORPUS)
    set(seeds ${A_CORPUS})
  endif()
  add_test(NAME ${name}
           COMMAND ${name} -max_total_time=${A_SECONDS} -timeout=10 -rss_limit_mb=2048 ${work} ${seeds})
  set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT 300)
endfunction()
