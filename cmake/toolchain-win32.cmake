# 32-bit Windows programs (i686), built on Debian with mingw-w64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ONDREL_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
