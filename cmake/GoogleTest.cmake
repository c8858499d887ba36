# The installed GoogleTest when there is one; otherwise (the cross build, or a
# machine without it) it is built from its sources.
if(NOT CMAKE_CROSSCOMPILING)
  find_package(GTest QUIET)
endif()
if(NOT GTest_FOUND)
  set(BOXLOOM_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
  if(NOT EXISTS ${BOXLOOM_GOOGLETEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest not found: install it, set BOXLOOM_GOOGLETEST_SOURCE to its sources, "
                        "or configure with -DBOXLOOM_BUILD_TESTS=OFF")
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${BOXLOOM_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  if(NOT TARGET GTest::gtest)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
endif()

# One process per test program, or per shard of a long one (gtest's own
# sharding), so that a suite's shared fixtures are made once per process
# rather than once per test; ctest runs the processes side by side.
#   boxloom_add_gtest(TARGET [SHARDS N] [RESOURCE_LOCK NAME])
function(boxloom_add_gtest target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "SHARDS;RESOURCE_LOCK" "")
  if(NOT arg_SHARDS)
    set(arg_SHARDS 1)
  endif()
  math(EXPR last "${arg_SHARDS} - 1")
  foreach(shard RANGE ${last})
    set(name ${target})
    if(arg_SHARDS GREATER 1)
      set(name ${target}-${shard})
    endif()
    add_test(NAME ${name} COMMAND ${target})
    # A hang fails the run instead of holding it.
    set_tests_properties(${name} PROPERTIES TIMEOUT 900
                         ENVIRONMENT "GTEST_TOTAL_SHARDS=${arg_SHARDS};GTEST_SHARD_INDEX=${shard}")
    if(arg_RESOURCE_LOCK)
      set_tests_properties(${name} PROPERTIES RESOURCE_LOCK ${arg_RESOURCE_LOCK})
    endif()
    if(BOXLOOM_TEST_FIXTURES)
      set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED "${BOXLOOM_TEST_FIXTURES}")
    endif()
  endforeach()
endfunction()
