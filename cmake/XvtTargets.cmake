# Helpers shared by every folder: warnings, tests, benchmarks and fuzzers.

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
# Tests that drive a real X server each start one of their own through this.
set(XVT_OWN_XSERVER ${XVT_SOURCE_DIR}/tests/e2e/lib/own_xvfb.sh)

# Our own code builds with warnings as errors; third-party code is never
# compiled through these helpers.
function(xvt_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror
                         -Wno-missing-field-initializers)
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
  if(A_INCLUDE)
    target_include_directories(${name} PUBLIC ${A_INCLUDE})
  endif()
  target_link_libraries(${name} PUBLIC ${A_PUBLIC_LIBS} PRIVATE ${A_PRIVATE_LIBS})
endfunction()

# xvt_test(name SOURCES ... LIBS ... [LABELS ...] [XSERVER]): one GoogleTest executable, one
# CTest entry. XSERVER runs it in an X server of its own (tests/e2e/lib/own_xvfb.sh).
function(xvt_test name)
  if(XVT_FUZZ)
    return()
  endif()
  cmake_parse_arguments(A "XSERVER" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  xvt_warnings(${name})
  target_include_directories(${name} PRIVATE ${XVT_SOURCE_DIR}/tests/support)
  target_link_libraries(${name} PRIVATE ${A_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    XVT_SOURCE_DIR="${XVT_SOURCE_DIR}"
    XVT_TESTDATA_DIR="${XVT_SOURCE_DIR}/tests/data")
  if(A_XSERVER)
    add_test(NAME ${name} COMMAND ${XVT_OWN_XSERVER} $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77)
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT 120 ENVIRONMENT "XVT_SOURCE_DIR=${XVT_SOURCE_DIR}")
  if(A_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${A_LABELS}")
  endif()
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
