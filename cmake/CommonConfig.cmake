# One place for the language level, warnings and sanitizers that every target shares.
set(CMAKE_CXX_EXTENSIONS OFF)

if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
    set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type" FORCE)
endif()

option(PARVANE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(PARVANE_WERROR "Treat compiler warnings as errors" OFF)

add_library(parvane_config INTERFACE)
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
