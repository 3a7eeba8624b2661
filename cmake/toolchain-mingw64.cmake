# Cross-compiling the Windows tree as 64-bit programs with mingw-w64. The
# product ships as the 32-bit build (toolchain-mingw32.cmake); this build
# exists to run the Windows tests under 64-bit Wine on machines whose kernel
# refuses 32-bit programs. The code is the same for both.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(PRISMEL_MINGW_TRIPLE x86_64-w64-mingw32)
set(PRISMEL_WINEARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
