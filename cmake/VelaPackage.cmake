# The release archive of the Windows programs: one ZIP with the programs and a short README for
# operators, made by `cmake --build build/windows --target package`. Included after every area
# has defined its targets; a program that does not exist in this tree is left out.
if(NOT WIN32 OR VELA_FUZZ)
  return()
endif()

set(vela_release_programs VelaUpdate vela-update vela-bootsim skinpack skinview)
foreach(program IN LISTS vela_release_programs)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION .)
  endif()
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/assets/release/README.txt DESTINATION .)

if(PROJECT_VERSION)
  set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
else()
  set(CPACK_PACKAGE_VERSION 0.0.0)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME VelaUpdate)
set(CPACK_PACKAGE_VENDOR "Vela")
set(CPACK_PACKAGE_FILE_NAME "VelaUpdate-${CPACK_PACKAGE_VERSION}-win64")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
# Debug information stays in the build tree; the archive carries stripped programs.
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/release)
include(CPack)
