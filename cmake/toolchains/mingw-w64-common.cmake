# Shared part of the mingw-w64 toolchain files; VELTRANE_MINGW_TRIPLET names the target.
set(CMAKE_C_COMPILER ${VELTRANE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELTRANE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VELTRANE_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VELTRANE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No DLL beyond Windows' own: the C and C++ run-times and winpthreads go in statically.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
