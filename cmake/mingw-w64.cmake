# Cross-compiling for 64-bit Windows with Debian's mingw-w64 compilers, against the libraries
# tools/windows/build-deps.sh builds. The posix thread model is the one whose libstdc++ has
# std::thread and std::mutex. The prefix of those libraries comes from the cache variable or
# the environment variable PARVANE_WINDOWS_PREFIX (the path the script prints).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(PARVANE_WINDOWS_HOST x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${PARVANE_WINDOWS_HOST}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PARVANE_WINDOWS_HOST}-g++-posix)
set(CMAKE_RC_COMPILER ${PARVANE_WINDOWS_HOST}-windres)

if(NOT PARVANE_WINDOWS_PREFIX AND DEFINED ENV{PARVANE_WINDOWS_PREFIX})
    set(PARVANE_WINDOWS_PREFIX "$ENV{PARVANE_WINDOWS_PREFIX}")
endif()
set(PARVANE_WINDOWS_PREFIX "${PARVANE_WINDOWS_PREFIX}" CACHE PATH
    "Prefix of the cross-built Windows libraries (printed by tools/windows/build-deps.sh)")
# try_compile projects see only the cache variables named here.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES PARVANE_WINDOWS_PREFIX)

# Libraries and headers only from the prefix and mingw-w64's own folder (zlib); programs from
# the build machine.
set(CMAKE_FIND_ROOT_PATH "${PARVANE_WINDOWS_PREFIX}" /usr/${PARVANE_WINDOWS_HOST})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg_check_modules reads only the prefix's .pc files, never the build machine's. The
# variables go through the environment because FindPkgConfig runs pkg-config as a child.
set(ENV{PKG_CONFIG_LIBDIR} "${PARVANE_WINDOWS_PREFIX}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
set(PKG_CONFIG_EXECUTABLE pkg-config CACHE FILEPATH "pkg-config of the build machine")

# ctest runs the test programs under wine. They find the mingw runtime DLLs in the prefix's
# bin/, beside mp3splt.exe; WINEDEBUG keeps wine's own chatter out of their output.
find_program(PARVANE_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(PARVANE_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_COMMAND};-E;env;WINEDEBUG=-all"
        "WINEPATH=Z:${PARVANE_WINDOWS_PREFIX}/bin" "${PARVANE_WINE}")
endif()
