add_library(boxloom_warnings INTERFACE)
target_compile_options(boxloom_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  # GCC 12 reports std::string concatenation at -O2 as overlapping memcpy (a known false positive).
  target_compile_options(boxloom_warnings INTERFACE -Wno-restrict)
endif()
if(BOXLOOM_WERROR)
  target_compile_options(boxloom_warnings INTERFACE -Werror)
endif()
