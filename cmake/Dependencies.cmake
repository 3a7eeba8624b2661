# Third-party code comes from Debian's packages only; nothing is downloaded.
#
# GoogleTest: the native build uses the packaged library; the Windows build
# compiles Debian's GoogleTest sources with the cross compiler.
if(NOT PRISMEL_FUZZ)
  if(WIN32)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  else()
    find_package(GTest REQUIRED)
    include(GoogleTest)
  endif()
endif()

find_package(Threads REQUIRED)
include(${CMAKE_CURRENT_LIST_DIR}/TinyXml.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/ImagingLibraries.cmake)
