# A zip to unpack and run on Windows: the program, its companions and the manual.
install(TARGETS uravik RUNTIME DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Uravik)
set(CPACK_PACKAGE_VENDOR Uravik)
set(CPACK_PACKAGE_FILE_NAME "uravik-${PROJECT_VERSION}-${CMAKE_SYSTEM_PROCESSOR}")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
