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
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER sources EXCLUDE REGEX ".*/main\\.cpp$")
  add_library(${lib} STATIC ${sources})
  target_include_directories(${lib} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${lib} PUBLIC corvena_runtime)
  add_executable(${program} main.cpp)
  target_link_libraries(${program} PRIVATE ${lib})
  set_target_properties(${program} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
  corvena_tests(${lib}_tests ${lib})
endfunction()
