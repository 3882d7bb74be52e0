# corvena_tests(NAME LIBS... ) builds every tests/*.cpp beside the calling
# CMakeLists into one test program and registers its cases with CTest.
function(corvena_tests name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    CORVENA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    CORVENA_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# corvena_screen(LIB PROGRAM): a screen's sources (every *.cpp but main.cpp) as
# a library that its tests and the benchmarks link, and the program built from
# main.cpp into bin/, beside PARENT, which looks for its screens next to itself.
function(corvena_screen lib program)
  # ROLES after the program: its tests make server users (see corvena_server_tests).
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER sources EXCLUDE REGEX ".*/main\\.cpp$")
  add_library(${lib} STATIC ${sources})
  target_include_directories(${lib} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${lib} PUBLIC corvena_runtime)
  add_executable(${program} main.cpp)
  target_link_libraries(${program} PRIVATE ${lib})
  set_target_properties(${program} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
  corvena_tests(${lib}_tests ${lib} corvena_screen_testing)
  if(TARGET ${lib}_tests)
    corvena_server_tests(${lib}_tests ${ARGN})
  endif()
endfunction()

# corvena_server_tests(NAME): NAME's cases once more, named *.pg, each on a fresh
# database of a throwaway PostgreSQL server that the pgserver fixture starts
# before the first and stops and removes after the last, also when one fails.
# The server's directory lies in /tmp, not in the build tree: as root the server
# runs as postgres, who may not enter a checkout in a private home; and a short
# path keeps its socket's name within the kernel's limit. One per build tree.
string(MD5 build_hash "${PROJECT_BINARY_DIR}")
string(SUBSTRING "${build_hash}" 0 12 build_hash)
set(CORVENA_PG_DIR /tmp/corvena-pg-${build_hash})
string(REPLACE "/" "%2F" CORVENA_PG_HOST "${CORVENA_PG_DIR}")
# The server's own hold-off (platform/db/postgresql/corvena_hold.c) is built
# where the server's headers are, and the throwaway server loads it.
execute_process(COMMAND pg_config --includedir-server OUTPUT_VARIABLE CORVENA_PG_SERVER_INCLUDE
  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(CORVENA_PG_SERVER_INCLUDE AND EXISTS "${CORVENA_PG_SERVER_INCLUDE}/postgres.h")
  set(CORVENA_SERVER_HOLD ON)
  set(CORVENA_SERVER_HOLD_MODULE $<TARGET_FILE:corvena_hold>)
else()
  set(CORVENA_SERVER_HOLD OFF)
  set(CORVENA_SERVER_HOLD_MODULE "")
endif()
if(NOT TEST pgserver.start)
  add_test(NAME pgserver.start COMMAND ${PROJECT_SOURCE_DIR}/scripts/pgserver start ${CORVENA_PG_DIR}
    ${CORVENA_SERVER_HOLD_MODULE})
  add_test(NAME pgserver.stop COMMAND ${PROJECT_SOURCE_DIR}/scripts/pgserver stop ${CORVENA_PG_DIR})
  set_tests_properties(pgserver.start PROPERTIES FIXTURES_SETUP pgserver)
  set_tests_properties(pgserver.stop PROPERTIES FIXTURES_CLEANUP pgserver)
endif()
# With ROLES, the cases make the company's users, which on a server are the
# whole server's roles: such cases run one at a time, or two tests' CLERK1
# would be one role with two passwords.
function(corvena_server_tests name)
  set(lock "")
  if("ROLES" IN_LIST ARGN)
    set(lock RESOURCE_LOCK pgroles)
  endif()
  gtest_discover_tests(${name} TEST_SUFFIX .pg DISCOVERY_TIMEOUT 60
    PROPERTIES
      ENVIRONMENT "CORVENA_TEST_SERVER=postgresql://postgres@${CORVENA_PG_HOST}"
      FIXTURES_REQUIRED pgserver ${lock})
endfunction()
