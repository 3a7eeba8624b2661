# TinyXML, the one XML library: target `prismel_tinyxml` in every build.
#
# Natively it is Debian's libtinyxml-dev. The Windows build compiles Debian's
# source package of the same version, which the install step
# (scripts/third-party-sources.sh) unpacked into build/third_party-src, never
# committed; configuring only reads it. Debian builds the library with
# TIXML_USE_STL and its header forces that define, so both builds define it,
# for the library and for everything that includes it.
add_library(prismel_tinyxml INTERFACE)
target_compile_definitions(prismel_tinyxml INTERFACE TIXML_USE_STL)

if(WIN32)
  set(PRISMEL_TINYXML_SOURCE_DIR "${PROJECT_SOURCE_DIR}/build/third_party-src/tinyxml/src"
      CACHE PATH "Unpacked TinyXML sources (scripts/third-party-sources.sh)")
  set(tinyxml_dir "${PRISMEL_TINYXML_SOURCE_DIR}")
  if(NOT EXISTS "${tinyxml_dir}/tinyxml.cpp")
    message(FATAL_ERROR "No TinyXML sources in '${tinyxml_dir}': run scripts/install-deps.sh")
  endif()
  # The same objects as Debian's static library.
  add_library(prismel_tinyxml_static STATIC
    ${tinyxml_dir}/tinyxml.cpp
    ${tinyxml_dir}/tinyxmlparser.cpp
    ${tinyxml_dir}/tinyxmlerror.cpp)
  target_compile_definitions(prismel_tinyxml_static PUBLIC TIXML_USE_STL)
  target_include_directories(prismel_tinyxml_static SYSTEM PUBLIC ${tinyxml_dir})
  target_link_libraries(prismel_tinyxml INTERFACE prismel_tinyxml_static)
else()
  find_path(TINYXML_INCLUDE_DIR tinyxml.h REQUIRED)
  find_library(TINYXML_LIBRARY NAMES libtinyxml.a tinyxml REQUIRED)
  target_include_directories(prismel_tinyxml SYSTEM INTERFACE ${TINYXML_INCLUDE_DIR})
  target_link_libraries(prismel_tinyxml INTERFACE ${TINYXML_LIBRARY})
endif()
