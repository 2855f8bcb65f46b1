# Cross-building the 32-bit Windows program on Debian with mingw-w64.
#
# MINGW_THREAD_MODEL picks the compiler's thread model. posix, the default, is
# the one whose C++ library has std::mutex, which GoogleTest needs. The
# program itself runs one thread and is built with win32: its run-time then
# needs nothing that Windows XP lacks (the posix one calls GetTickCount64).
set(MINGW_THREAD_MODEL posix CACHE STRING "mingw-w64 thread model: posix or win32")
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-${MINGW_THREAD_MODEL})
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-${MINGW_THREAD_MODEL})
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Only Windows system DLLs are imported.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# CTest runs the Windows test programs under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
