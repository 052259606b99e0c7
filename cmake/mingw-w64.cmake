# Cross-compiles for 64-bit Windows from Debian with mingw-w64's GCC (posix threads), linking
# everything statically so that the .exe needs no DLL beside it. Programs built here run under
# wine, which the tests use as the emulator.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TILVARA_MINGW x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${TILVARA_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TILVARA_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TILVARA_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TILVARA_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Unicode Win32 declarations throughout, and no min/max macros over std::min and std::max.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

# Debian's wine puts no wine64 on PATH; the wrapper `wine` runs 64-bit programs as well.
find_program(TILVARA_WINE NAMES wine wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
