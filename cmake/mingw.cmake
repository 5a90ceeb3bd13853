# Cross build for Windows with MinGW-w64, for the processor the toolchain
# file that includes this one names in TINTWELL_MINGW (i686 or x86_64). The
# -posix compilers carry the thread model GoogleTest needs (std::mutex); the
# win32 ones do not.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${TINTWELL_MINGW})
set(CMAKE_C_COMPILER ${TINTWELL_MINGW}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${TINTWELL_MINGW}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER ${TINTWELL_MINGW}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TINTWELL_MINGW}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The unit tests run under the Wine that runs this build.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-for.sh)
