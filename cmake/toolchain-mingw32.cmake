# Cross-compiling the shipped 32-bit Windows build with mingw-w64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(PRISMEL_MINGW_TRIPLE i686-w64-mingw32)
set(PRISMEL_WINEARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
