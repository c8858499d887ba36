# Compiles go through ccache when the machine has it. Its cache lies outside
# the work tree, and paths under the source folder are hashed relative to it,
# so a fresh clone in another folder reuses what an earlier clone compiled.
option(BOXLOOM_CCACHE "Compile through ccache when it is installed" ON)
if(BOXLOOM_CCACHE AND CMAKE_HOST_UNIX)
  find_program(BOXLOOM_CCACHE_PROGRAM ccache)
  if(BOXLOOM_CCACHE_PROGRAM)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/ccache-launcher.in ${CMAKE_BINARY_DIR}/ccache-launcher @ONLY
                   FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                    WORLD_READ WORLD_EXECUTE)
    set(CMAKE_C_COMPILER_LAUNCHER ${CMAKE_BINARY_DIR}/ccache-launcher)
    set(CMAKE_CXX_COMPILER_LAUNCHER ${CMAKE_BINARY_DIR}/ccache-launcher)
  endif()
endif()
