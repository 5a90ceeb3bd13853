# Cross build for 32-bit Windows (i686) with MinGW-w64.
set(TINTWELL_MINGW i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
