# Checks the #include lines of one core folder (cmake -P).
#   FOLDER    the folder's name (src/<FOLDER>)
#   ALLOWED   comma-separated folders whose headers it may include
#   FILES     comma-separated files to check
#   STAMP     file written when every include is allowed
#
# Allowed: "<folder>/Header.h" for an allowed folder (a subfolder such as
# platform/win32 counts as a folder of its own), the resource headers, C++
# standard headers (<name> without ".h" or "/") and <tinyxml.h>.
cmake_minimum_required(VERSION 3.25)
string(REPLACE "," ";" allowed "${ALLOWED}")
string(REPLACE "," ";" files "${FILES}")
set(resource_headers "resource.h" "DialogTables.h" "PrismelVersion.h")
set(library_headers "tinyxml.h")

set(refused "")
foreach(file IN LISTS files)
  file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS lines)
    if(line MATCHES "include[ \t]*\"([^\"]+)\"")
      set(header "${CMAKE_MATCH_1}")
      if(header IN_LIST resource_headers)
        continue()
      endif()
      get_filename_component(header_folder "${header}" DIRECTORY)
      if(header_folder STREQUAL "" OR NOT header_folder IN_LIST allowed OR header MATCHES "\\.\\.")
        string(APPEND refused "  ${file}: \"${header}\"\n")
      endif()
    elseif(line MATCHES "include[ \t]*<([^>]+)>")
      set(header "${CMAKE_MATCH_1}")
      if(header MATCHES "[./]" AND NOT header IN_LIST library_headers)
        string(APPEND refused "  ${file}: <${header}>\n")
      endif()
    else()
      string(APPEND refused "  ${file}: ${line}\n")
    endif()
  endforeach()
endforeach()

if(refused)
  message(FATAL_ERROR "src/${FOLDER} may include only its own headers and those of: "
                      "${ALLOWED}, the resource headers, the C++ standard library and TinyXML.\n"
                      "Refused:\n${refused}")
endif()
if(STAMP)
  file(WRITE "${STAMP}" "")
endif()
