# Cross build for 64-bit Windows (x86-64) with MinGW-w64, from the same sources.
set(TINTWELL_MINGW x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
