# Cross build for 64-bit Windows with MinGW-w64 from Linux; tests run under Wine.
#
#   cmake -S . -B build-mingw -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
#   cmake --build build-mingw && ctest --test-dir build-mingw
#
# Needs g++-mingw-w64-x86-64 and, for the tests, wine64 (GoogleTest's vendored
# sources are built into the test programs). The programs are linked statically,
# so they run without any MinGW DLL beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TARVELKIN_MINGW_PREFIX x86_64-w64-mingw32)
# The posix-threads variant: GoogleTest needs std::mutex, which the win32
# variant's libstdc++ lacks before GCC 13 (Debian 12 has GCC 12).
find_program(CMAKE_CXX_COMPILER REQUIRED
             NAMES ${TARVELKIN_MINGW_PREFIX}-g++-posix ${TARVELKIN_MINGW_PREFIX}-g++)
# The C compiler of the same toolchain, for anything that enables C.
find_program(CMAKE_C_COMPILER REQUIRED
             NAMES ${TARVELKIN_MINGW_PREFIX}-gcc-posix ${TARVELKIN_MINGW_PREFIX}-gcc)
find_program(CMAKE_RC_COMPILER NAMES ${TARVELKIN_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TARVELKIN_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# ctest lists and runs the test programs through Wine; building needs no Wine.
find_program(TARVELKIN_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(TARVELKIN_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TARVELKIN_WINE})
endif()
