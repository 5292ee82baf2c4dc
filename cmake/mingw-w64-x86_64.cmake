# Cross-build for 64-bit Windows with Debian's MinGW-w64 (posix thread model).
# Everything links statically, so the programs import system DLLs only.
# TVL_WINDOWS_DEPS names the prefix holding the cross-built libjpeg and
# GoogleTest (scripts/windows.sh fills it).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TVL_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TVL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TVL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TVL_MINGW_PREFIX}-windres)
set(CMAKE_AR ${TVL_MINGW_PREFIX}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${TVL_MINGW_PREFIX}-gcc-ranlib-posix CACHE FILEPATH "")

# Headers and libraries come from the MinGW sysroot and the deps prefix;
# programs (code generators, the emulator) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${TVL_MINGW_PREFIX} ${TVL_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TVL_WINDOWS_DEPS)

# No libgcc_s, libstdc++ or winpthread DLLs beside the programs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
