# One place for the language level, warnings and sanitizers that every target shares.
set(CMAKE_CXX_EXTENSIONS OFF)

if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
    set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type" FORCE)
endif()

option(PARVANE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(PARVANE_WERROR "Treat compiler warnings as errors" OFF)

add_library(parvane_config INTERFACE)
# Includes name their folder from the project's root ("engine/job/SplitJob.h"), so every
# include line shows which room it reaches into.
cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH PARVANE_ROOT)
target_include_directories(parvane_config INTERFACE ${PARVANE_ROOT})
# A usage requirement, so the public headers compile for whoever links the libraries.
target_compile_features(parvane_config INTERFACE cxx_std_20)
target_compile_options(parvane_config INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wold-style-cast)
if(PARVANE_WERROR)
    target_compile_options(parvane_config INTERFACE -Werror)
endif()
if(PARVANE_SANITIZE)
    target_compile_options(parvane_config INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(parvane_config INTERFACE -fsanitize=address,undefined)
endif()

# Sources of 2 GiB and more must open and measure on 32-bit systems too.
target_compile_definitions(parvane_config INTERFACE _FILE_OFFSET_BITS=64)

# Builds meant for use get Debian's hardening as debhelper passes it to a package build:
# dpkg-buildflags' CPPFLAGS, CXXFLAGS and LDFLAGS with every hardening feature (fortified
# functions, stack protector, read-only relocations bound at start) and the source folder
# left out of the file names the compiler writes. The build type keeps choosing the
# optimisation and the debug information. Debug and sanitized builds go without: fortified
# functions want optimisation, and the sanitizers check more than they do. A build for
# Windows goes without too: the flags are for Debian's ELF linker.
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(DPKG_BUILDFLAGS AND NOT PARVANE_SANITIZE AND NOT CMAKE_BUILD_TYPE STREQUAL "Debug"
   AND NOT WIN32)
    foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
        execute_process(
            COMMAND "${CMAKE_COMMAND}" -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                    "DEB_${kind}_MAINT_STRIP=-g -O2" "${DPKG_BUILDFLAGS}" --get ${kind}
            WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
            OUTPUT_VARIABLE debian_${kind} OUTPUT_STRIP_TRAILING_WHITESPACE
            COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
    string(APPEND CMAKE_CXX_FLAGS " ${debian_CPPFLAGS} ${debian_CXXFLAGS}")
    string(APPEND CMAKE_EXE_LINKER_FLAGS " ${debian_LDFLAGS}")
    string(APPEND CMAKE_SHARED_LINKER_FLAGS " ${debian_LDFLAGS}")
endif()

# Folders made by an installation are readable by everyone, whatever the installer's umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
