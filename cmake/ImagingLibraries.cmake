# libjpeg-turbo, libpng and zlib, which the streaming picture decoders
# (src/platform/streaming) read JPEG and PNG files with: the target
# `prismel_imaging_libraries` in every build.
#
# Natively they are Debian's -dev packages. The Windows build compiles
# Debian's source packages of the same versions, which the install step
# (scripts/third-party-sources.sh) unpacked into build/third_party-src
# (never committed), and links them statically: zlib and libpng from their
# plain sources, as TinyXML is; libjpeg-turbo through its own CMake build in
# this build tree, with its SIMD parts assembled by nasm.
#
# The memory limits of both libraries (the largest block libpng may
# allocate, the chunks it skips, libjpeg's max_memory_to_use) are set by the
# decoders at run time, so both builds have the same whatever the
# libraries' own configuration; both need libpng's user limits, user memory
# and unknown-chunk handling, which Debian's configuration and the prebuilt
# one have.
add_library(prismel_imaging_libraries INTERFACE)

if(NOT WIN32)
  find_package(PNG REQUIRED)
  find_package(JPEG REQUIRED)
  target_link_libraries(prismel_imaging_libraries INTERFACE PNG::PNG JPEG::JPEG)
  return()
endif()

set(PRISMEL_THIRD_PARTY_SOURCE_DIR "${PROJECT_SOURCE_DIR}/build/third_party-src"
    CACHE PATH "Unpacked Debian source packages (scripts/third-party-sources.sh)")
set(third_party "${PRISMEL_THIRD_PARTY_SOURCE_DIR}")
foreach(package zlib libpng1.6 libjpeg-turbo)
  if(NOT EXISTS "${third_party}/${package}/src/CMakeLists.txt")
    message(FATAL_ERROR "No ${package} sources in '${third_party}/${package}/src': run scripts/install-deps.sh")
  endif()
endforeach()

# zlib: the compression library without its gz* file functions.
set(zlib_dir "${third_party}/zlib/src")
add_library(prismel_zlib STATIC
  ${zlib_dir}/adler32.c ${zlib_dir}/compress.c ${zlib_dir}/crc32.c ${zlib_dir}/deflate.c
  ${zlib_dir}/infback.c ${zlib_dir}/inffast.c ${zlib_dir}/inflate.c ${zlib_dir}/inftrees.c
  ${zlib_dir}/trees.c ${zlib_dir}/uncompr.c ${zlib_dir}/zutil.c)
target_include_directories(prismel_zlib SYSTEM PUBLIC ${zlib_dir})
set_target_properties(prismel_zlib PROPERTIES COMPILE_OPTIONS "-O2;-w")

# libpng with the configuration it ships for builds without its scripts.
set(png_dir "${third_party}/libpng1.6/src")
set(png_generated "${CMAKE_BINARY_DIR}/third_party/libpng")
configure_file(${png_dir}/scripts/pnglibconf.h.prebuilt ${png_generated}/pnglibconf.h COPYONLY)
add_library(prismel_png STATIC
  ${png_dir}/png.c ${png_dir}/pngerror.c ${png_dir}/pngget.c ${png_dir}/pngmem.c
  ${png_dir}/pngpread.c ${png_dir}/pngread.c ${png_dir}/pngrio.c ${png_dir}/pngrtran.c
  ${png_dir}/pngrutil.c ${png_dir}/pngset.c ${png_dir}/pngtrans.c ${png_dir}/pngwio.c
  ${png_dir}/pngwrite.c ${png_dir}/pngwtran.c ${png_dir}/pngwutil.c)
target_include_directories(prismel_png SYSTEM PUBLIC ${png_dir} ${png_generated})
target_link_libraries(prismel_png PUBLIC prismel_zlib)
set_target_properties(prismel_png PROPERTIES COMPILE_OPTIONS "-O2;-w")

# libjpeg-turbo: only its static library is built, with the same toolchain.
include(ExternalProject)
set(jpeg_source "${third_party}/libjpeg-turbo/src")
set(jpeg_binary "${CMAKE_BINARY_DIR}/third_party/libjpeg-turbo")
set(jpeg_launcher "")
if(CCACHE_PROGRAM)
  set(jpeg_launcher "-DCMAKE_C_COMPILER_LAUNCHER=${CCACHE_PROGRAM}")
endif()
ExternalProject_Add(prismel_jpeg_build
  SOURCE_DIR ${jpeg_source}
  BINARY_DIR ${jpeg_binary}
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
    -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_INSTALL_PREFIX=${jpeg_binary}/install
    ${jpeg_launcher}
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF
    -DWITH_SIMD=ON -DREQUIRE_SIMD=ON
  BUILD_COMMAND ${CMAKE_COMMAND} --build ${jpeg_binary} --target jpeg-static
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${jpeg_binary}/libjpeg.a
  LOG_CONFIGURE ON
  LOG_BUILD ON
  LOG_OUTPUT_ON_FAILURE ON)
file(MAKE_DIRECTORY ${jpeg_binary})
add_library(prismel_jpeg STATIC IMPORTED GLOBAL)
set_target_properties(prismel_jpeg PROPERTIES
  IMPORTED_LOCATION ${jpeg_binary}/libjpeg.a
  INTERFACE_INCLUDE_DIRECTORIES "${jpeg_source};${jpeg_binary}"
  INTERFACE_SYSTEM_INCLUDE_DIRECTORIES "${jpeg_source};${jpeg_binary}")
add_dependencies(prismel_jpeg prismel_jpeg_build)

target_link_libraries(prismel_imaging_libraries INTERFACE prismel_png prismel_jpeg)
