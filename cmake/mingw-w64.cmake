# Cross build for 64-bit Windows with MinGW-w64:
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ORBIX_MINGW_PREFIX x86_64-w64-mingw32 CACHE STRING "Target triplet of the MinGW-w64 tools")
set(CMAKE_C_COMPILER ${ORBIX_MINGW_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${ORBIX_MINGW_PREFIX}-g++)
set(CMAKE_RC_COMPILER ${ORBIX_MINGW_PREFIX}-windres)
# The resource script is UTF-8; say so even where a windres ignores its code_page pragma.
set(CMAKE_RC_FLAGS_INIT "-c 65001")

# Libraries and headers come from the MinGW sysroot only; build tools from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${ORBIX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
