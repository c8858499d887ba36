# The header-only Mustache library from the system's package
# (libkainjow-mustache-dev). Cross builds cannot search the build machine's
# include folder, so the one header is copied into the build tree.
find_file(BOXLOOM_MUSTACHE_HEADER kainjow/mustache.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH)
if(NOT BOXLOOM_MUSTACHE_HEADER)
  message(FATAL_ERROR "kainjow/mustache.hpp not found: install libkainjow-mustache-dev")
endif()
set(BOXLOOM_MUSTACHE_INCLUDE ${CMAKE_BINARY_DIR}/mustache-include)
configure_file(${BOXLOOM_MUSTACHE_HEADER} ${BOXLOOM_MUSTACHE_INCLUDE}/kainjow/mustache.hpp COPYONLY)
add_library(boxloom_mustache INTERFACE)
target_include_directories(boxloom_mustache SYSTEM INTERFACE ${BOXLOOM_MUSTACHE_INCLUDE})
