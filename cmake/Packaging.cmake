# Install rules and the CPack packages: a ZIP for Windows, a .deb and a
# .tar.gz for Linux. The version comes from the project's version alone.


# What the packages hold.
set(CPACK_PACKAGE_NAME boxloom)
set(CPACK_PACKAGE_VENDOR "The Boxloom developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Exports ZEL baseball league seasons as CSV files or a SQLite database")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_SOURCE_DIR}/dist)
set(CPACK_PACKAGE_CHECKSUM SHA256)

if(WIN32)
  set(packaged_programs boxloom boxloom-league boxloom-export boxloom-site)
  install(TARGETS ${packaged_programs} RUNTIME DESTINATION .)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/README-windows.txt ${CMAKE_BINARY_DIR}/README.txt @ONLY
                 NEWLINE_STYLE CRLF)
  configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${CMAKE_BINARY_DIR}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${CMAKE_BINARY_DIR}/README.txt ${CMAKE_BINARY_DIR}/LICENSE.txt DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME boxloom-${PROJECT_VERSION}-windows-x64)
else()
  set(packaged_programs boxloom-export boxloom-site boxloom-demo-season)
  install(TARGETS ${packaged_programs} RUNTIME DESTINATION bin)
  install(FILES ${PROJECT_SOURCE_DIR}/docs/boxloom-export.1 DESTINATION share/man/man1)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/README.md DESTINATION share/doc/boxloom)
  set(CPACK_GENERATOR "DEB;TGZ")
  set(CPACK_PACKAGE_FILE_NAME boxloom-${PROJECT_VERSION}-linux-x86_64)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Boxloom developers")
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libstdc++6, libgcc-s1, libsqlite3-0")
endif()
# What scripts/package builds before CPack installs it.
add_custom_target(packaged_programs)
add_dependencies(packaged_programs ${packaged_programs})
include(CPack)
