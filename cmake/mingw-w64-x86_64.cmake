# Cross-compiles for Windows x86-64 with Debian's MinGW-w64 (posix thread
# model: GCC 12's win32 model has no std::thread or std::mutex).
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake ...
# Libraries are looked for only in the MinGW sysroot and in the prefix that
# scripts/build-windows-deps fills (build-windows/deps/prefix by default;
# another one may be given with -DORVANE_WINDOWS_DEPS=<dir>).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${_mingw}-windres)
set(CMAKE_AR ${_mingw}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${_mingw}-ranlib CACHE FILEPATH "")

if(NOT ORVANE_WINDOWS_DEPS)
  get_filename_component(ORVANE_WINDOWS_DEPS
    "${CMAKE_CURRENT_LIST_DIR}/../build-windows/deps/prefix" ABSOLUTE)
endif()
set(ORVANE_WINDOWS_DEPS "${ORVANE_WINDOWS_DEPS}" CACHE PATH
  "Prefix of the cross-built SDL2, SDL2_mixer, libjpeg-turbo and GoogleTest")
# try_compile projects see the prefix too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ORVANE_WINDOWS_DEPS)

set(CMAKE_FIND_ROOT_PATH /usr/${_mingw} "${ORVANE_WINDOWS_DEPS}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config reads only the prefix's .pc files, never the host's.
set(ENV{PKG_CONFIG_LIBDIR} "${ORVANE_WINDOWS_DEPS}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

# Every program is linked fully static (libgcc, libstdc++, winpthread and
# the static SDL2, SDL2_mixer and libjpeg), so a lone .exe runs on a plain
# Windows and under Wine without any MinGW DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
