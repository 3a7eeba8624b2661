# One library per core folder, with the folders it builds on named.
#
#   prismel_core_folder(<folder> [SOURCES ...] [USES <folders>...] [LIBRARIES ...])
#
# makes the target prismel_<folder>. The folder may include headers of its own
# folder and of the folders it uses (directly or through them), the resource
# headers, the C++ standard library and TinyXML: nothing else. Each build
# checks that (cmake/CheckLayerIncludes.cmake), so a core folder that reaches
# for a peer, a platform implementation or an OS header fails to build. The
# sources also see a <windows.h> that stops the compiler, ahead of the system's.
set(PRISMEL_LAYER_GUARD_DIR ${CMAKE_CURRENT_LIST_DIR}/layer-guard)
set(PRISMEL_LAYER_CHECK ${CMAKE_CURRENT_LIST_DIR}/CheckLayerIncludes.cmake)

function(prismel_core_folder folder)
  cmake_parse_arguments(arg "" "" "SOURCES;USES;LIBRARIES" ${ARGN})
  set(target prismel_${folder})
  if(arg_SOURCES)
    add_library(${target} STATIC ${arg_SOURCES})
    set(scope PUBLIC)
    target_include_directories(${target} BEFORE PRIVATE ${PRISMEL_LAYER_GUARD_DIR})
    prismel_warnings(${target})
  else()
    add_library(${target} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(${target} ${scope}
    ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/resources ${PROJECT_BINARY_DIR}/generated)

  set(allowed ${folder})
  foreach(used IN LISTS arg_USES)
    target_link_libraries(${target} ${scope} prismel_${used})
    get_property(closure GLOBAL PROPERTY PRISMEL_LAYER_${used})
    list(APPEND allowed ${closure})
  endforeach()
  list(REMOVE_DUPLICATES allowed)
  set_property(GLOBAL PROPERTY PRISMEL_LAYER_${folder} ${allowed})
  if(arg_LIBRARIES)
    target_link_libraries(${target} ${scope} ${arg_LIBRARIES})
  endif()

  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  set(files ${headers})
  foreach(source IN LISTS arg_SOURCES)
    list(APPEND files ${CMAKE_CURRENT_SOURCE_DIR}/${source})
  endforeach()
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${folder}-includes.checked)
  string(REPLACE ";" "," allowed_arg "${allowed}")
  string(REPLACE ";" "," files_arg "${files}")
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DFOLDER=${folder} -DALLOWED=${allowed_arg} -DFILES=${files_arg}
            -DSTAMP=${stamp} -P ${PRISMEL_LAYER_CHECK}
    DEPENDS ${files} ${PRISMEL_LAYER_CHECK}
    COMMENT "Checking the includes of src/${folder}"
    VERBATIM)
  add_custom_target(${target}_includes DEPENDS ${stamp})
  add_dependencies(${target} ${target}_includes)
endfunction()
