# Cross build for 32-bit Windows with Debian's mingw-w64 (posix thread model).
# Nothing built here runs on this machine: 32-bit Wine cannot start.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VELTRANE_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
# The processor architecture the program's manifest names.
set(VELTRANE_MANIFEST_ARCH X86)
