# 32-bit Windows programs (i686), built on Debian with mingw-w64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ONDREL_MINGW_TRIPLET i686-w64-mingw32)
# Doubles computed in SSE2 registers, as on 64-bit: the x87 unit keeps 80-bit intermediates,
# so that 100.0 / 1000 * 25 lands just above 2.5 and a percentage would round differently.
# Every processor that runs a supported Windows has SSE2.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
