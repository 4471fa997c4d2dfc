# GoogleTest for the Windows cross builds, compiled from the sources that
# Debian's libgtest-dev ships (its libraries are for the build host only).
set(XVT_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the cross builds")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${XVT_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(lib gtest gtest_main gmock gmock_main)
  if(NOT TARGET GTest::${lib})
    add_library(GTest::${lib} ALIAS ${lib})
  endif()
endforeach()
