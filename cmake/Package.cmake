# The shipped folder as one ZIP: Prismel.exe and its Language folder, which
# go beside a data source. Nothing of the peers or the tests is installed.
#
#   cmake --build --preset win32 --target package
#     -> build/win32/Prismel-<version>-win32.zip
install(TARGETS Prismel RUNTIME DESTINATION .)
install(FILES ${PRISMEL_LANGUAGE_FILES} DESTINATION Language)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Prismel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME "Prismel-${PROJECT_VERSION}-${PRISMEL_WINEARCH}")
# The files at the top of the archive, as they go into the folder.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
include(CPack)
