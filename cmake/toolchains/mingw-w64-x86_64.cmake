# Cross build for 64-bit Windows with Debian's mingw-w64 (posix thread model);
# test programs run through Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VELTRANE_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
# The processor architecture the program's manifest names.
set(VELTRANE_MANIFEST_ARCH amd64)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
