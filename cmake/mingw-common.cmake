# Shared part of the Windows cross toolchains (mingw-w64 from Debian). The
# including file sets XVT_MINGW_TRIPLE. The posix-thread compilers give
# std::thread and std::mutex; the run-time libraries are linked statically,
# so the programs need no DLL beside the system's.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${XVT_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${XVT_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${XVT_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${XVT_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Test programs run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
# GCC 12 at -O3 reports std::string's own appends as overlapping copies
# (a known false alarm of -Wrestrict in the library's inline code).
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
