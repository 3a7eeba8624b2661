# What the two mingw-w64 toolchains share. The including toolchain file sets
# PRISMEL_MINGW_TRIPLE (i686-w64-mingw32 or x86_64-w64-mingw32), the
# processor and PRISMEL_WINEARCH (win32 or win64, the Wine prefix kind).
set(CMAKE_SYSTEM_NAME Windows)

# The posix thread model: GCC 12's win32 model has no std::thread or std::mutex.
set(CMAKE_C_COMPILER ${PRISMEL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PRISMEL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${PRISMEL_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PRISMEL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Static runtime: the program and its peers run without any mingw DLL.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests run under Wine of the matching kind, in a private prefix inside the
# build tree, with a virtual display when there is no real one.
set(CMAKE_CROSSCOMPILING_EMULATOR
  "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh;--arch=${PRISMEL_WINEARCH}")
