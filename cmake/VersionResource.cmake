# Windows Explorer shows what an executable is from its VERSIONINFO resource.
# Gives a Windows executable a VERSIONINFO resource with its description.
function(boxloom_version_resource target description)
  if(NOT WIN32)
    return()
  endif()
  set(BOXLOOM_RC_NAME ${target})
  set(BOXLOOM_RC_FILE ${target}.exe)
  set(BOXLOOM_RC_DESCRIPTION ${description})
  configure_file(${PROJECT_SOURCE_DIR}/packaging/version.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc @ONLY)
  enable_language(RC)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
endfunction()
