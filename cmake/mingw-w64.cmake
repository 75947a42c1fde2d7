# Cross-build for 64-bit Windows with Debian's MinGW-w64 (posix threads model, for std::thread);
# the tests run under Wine through the emulator wrapper scripts/wine/wine-run.sh, which the
# top-level CMakeLists points at a Wine prefix inside the build directory.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Only the static zlib exists for the programs to carry: a missing DLL makes Windows (and Wine)
# fail with exit code 53 before main.
set(ZLIB_USE_STATIC_LIBS ON)
