# Shared part of the two Windows toolchain files: cross-compiling with mingw-w64 (posix threads),
# every program linked statically (one .exe, no DLLs to ship), tests run under Wine.
# The including file sets ONDREL_MINGW_TRIPLET.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${ONDREL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ONDREL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ONDREL_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ONDREL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# CTest runs the test programs, and gtest_discover_tests lists their tests, through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine CACHE STRING "Runs the Windows programs on this system")
