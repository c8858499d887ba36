# SQLite for the league database: the system library natively; for the
# Windows build, SQLite's amalgamation compiled into the static executables,
# taken from a registry package that ships it (pinned, hash checked), never
# copied into this repository.
if(NOT CMAKE_CROSSCOMPILING)
  find_package(SQLite3 REQUIRED)
  return()
endif()

set(BOXLOOM_SQLITE_PACKAGE "better-sqlite3@12.4.1")
set(BOXLOOM_SQLITE_TARBALL_SHA256 "14398acbf00d1e8fe0a2753df7d4f15c13138e4b874f4e6e96791f65b4536d0d")
set(sqlite_dir ${CMAKE_BINARY_DIR}/_deps/sqlite)
set(sqlite_tarball ${sqlite_dir}/better-sqlite3-12.4.1.tgz)

if(NOT EXISTS ${sqlite_dir}/package/deps/sqlite3/sqlite3.c)
  file(MAKE_DIRECTORY ${sqlite_dir})
  find_program(NPM npm REQUIRED)
  execute_process(COMMAND ${NPM} pack ${BOXLOOM_SQLITE_PACKAGE} --pack-destination ${sqlite_dir}
                  WORKING_DIRECTORY ${sqlite_dir} RESULT_VARIABLE packed OUTPUT_QUIET ERROR_QUIET)
  if(NOT packed EQUAL 0 OR NOT EXISTS ${sqlite_tarball})
    message(FATAL_ERROR "could not fetch ${BOXLOOM_SQLITE_PACKAGE} with npm")
  endif()
  file(SHA256 ${sqlite_tarball} actual)
  if(NOT actual STREQUAL BOXLOOM_SQLITE_TARBALL_SHA256)
    file(REMOVE ${sqlite_tarball})
    message(FATAL_ERROR "${BOXLOOM_SQLITE_PACKAGE}: SHA-256 ${actual}, expected ${BOXLOOM_SQLITE_TARBALL_SHA256}")
  endif()
  file(ARCHIVE_EXTRACT INPUT ${sqlite_tarball} DESTINATION ${sqlite_dir}
       PATTERNS package/deps/sqlite3/sqlite3.c package/deps/sqlite3/sqlite3.h)
endif()

enable_language(C)
add_library(boxloom_sqlite3 STATIC ${sqlite_dir}/package/deps/sqlite3/sqlite3.c)
target_include_directories(boxloom_sqlite3 SYSTEM PUBLIC ${sqlite_dir}/package/deps/sqlite3)
target_compile_definitions(boxloom_sqlite3 PRIVATE SQLITE_THREADSAFE=1 SQLITE_OMIT_LOAD_EXTENSION)
add_library(SQLite::SQLite3 ALIAS boxloom_sqlite3)
