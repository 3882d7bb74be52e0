# cmake -DROOT=<source tree> -P check_includes.cmake: the include rules of
# dependency_rules.cmake checked again, for files changed since the configure.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/dependency_rules.cmake)
corvena_include_breaches(${ROOT} breaches)
if(breaches)
  message(FATAL_ERROR "Includes outside cmake/dependency_rules.cmake:\n${breaches}")
endif()
