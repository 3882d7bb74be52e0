# The folders each folder's targets and files may use: link, and #include from.
# Outside libraries (Qt, SQLite, GoogleTest ...) are not named. A folder not
# named here follows the nearest folder above it that is (screens/payapp/gui
# follows screens). Keep this table and docs/design.md's dependency picture alike.
set(CORVENA_DEPENDENCY_RULES
  "platform/db:"
  "platform/forms: platform/db"
  "platform/automation: platform/forms platform/db"
  "platform/ui: platform/forms platform/db"
  "platform/signon: platform/forms platform/db"
  "platform/demo: platform/signon platform/forms platform/db"
  "platform/program: platform/signon platform/automation platform/ui platform/forms platform/db"
  "platform/shell: platform/signon platform/ui platform/forms platform/db"
  "platform/ar: platform/program platform/signon platform/automation platform/forms platform/db platform/demo"
  "platform/admin: platform/program platform/shell platform/signon platform/automation platform/forms platform/db platform/demo"
  "runtime/tables: platform/db platform/ar platform/demo"
  "runtime/host: platform/program platform/signon platform/forms platform/db"
  "runtime: runtime/host runtime/tables platform/program platform/shell platform/signon platform/automation platform/ui platform/forms platform/db platform/demo"
  "screens: runtime runtime/host runtime/tables platform/program platform/shell platform/signon platform/automation platform/ui platform/forms platform/db platform/ar platform/admin platform/demo"
  "stress: screens runtime runtime/host runtime/tables platform/program platform/shell platform/signon platform/automation platform/ui platform/forms platform/db platform/ar platform/admin platform/demo"
  "bench: screens runtime runtime/host runtime/tables platform/program platform/shell platform/signon platform/automation platform/ui platform/forms platform/db platform/ar platform/admin platform/demo")

# The folder of the table that rules PATH (relative to the source tree); empty
# when none does.
function(corvena_rule_folder path out)
  set(best "")
  foreach(rule IN LISTS CORVENA_DEPENDENCY_RULES)
    string(REGEX REPLACE ":.*" "" folder "${rule}")
    string(LENGTH "${folder}" length)
    string(LENGTH "${best}" bestLength)
    if((path STREQUAL folder OR path MATCHES "^${folder}/") AND length GREATER bestLength)
      set(best "${folder}")
    endif()
  endforeach()
  set(${out} "${best}" PARENT_SCOPE)
endfunction()

# Whether files in folder FROM may use folder TO.
function(corvena_rule_allows from to out)
  set(allowed FALSE)
  if(from STREQUAL to OR to STREQUAL "")
    set(allowed TRUE)
  endif()
  foreach(rule IN LISTS CORVENA_DEPENDENCY_RULES)
    if(rule MATCHES "^${from}:(.*)$")
      string(REPLACE " " ";" uses "${CMAKE_MATCH_1}")
      if(to IN_LIST uses)
        set(allowed TRUE)
      endif()
    endif()
  endforeach()
  set(${out} ${allowed} PARENT_SCOPE)
endfunction()

# Every #include "..." of the tree's sources against the table; the breaches, one a line.
function(corvena_include_breaches root out)
  set(breaches "")
  file(GLOB_RECURSE files RELATIVE ${root} ${root}/platform/*.h ${root}/platform/*.cpp
       ${root}/runtime/*.h ${root}/runtime/*.cpp ${root}/screens/*.h ${root}/screens/*.cpp)
  foreach(file IN LISTS files)
    corvena_rule_folder(${file} from)
    file(STRINGS ${root}/${file} includes REGEX "^#include \"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"([^\"]*)\".*" "\\1" header "${line}")
      corvena_rule_folder(${header} to)
      corvena_rule_allows("${from}" "${to}" allowed)
      if(NOT allowed)
        string(APPEND breaches "  ${file} includes ${header}: ${from} may not use ${to}\n")
      endif()
    endforeach()
  endforeach()
  set(${out} "${breaches}" PARENT_SCOPE)
endfunction()

# Every target below DIR, its subdirectories' too.
function(corvena_targets_below dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(children DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(child IN LISTS children)
    corvena_targets_below(${child} below)
    list(APPEND targets ${below})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# The project's targets' links against the table; the breaches, one a line.
function(corvena_link_breaches out)
  set(breaches "")
  corvena_targets_below(${PROJECT_SOURCE_DIR} targets)
  foreach(target IN LISTS targets)
    get_target_property(dir ${target} SOURCE_DIR)
    file(RELATIVE_PATH dir ${PROJECT_SOURCE_DIR} ${dir})
    corvena_rule_folder(${dir} from)
    get_target_property(links ${target} LINK_LIBRARIES)
    foreach(link IN LISTS links)
      if(NOT TARGET ${link})
        continue()
      endif()
      get_target_property(imported ${link} IMPORTED)
      if(imported)
        continue()
      endif()
      get_target_property(linkDir ${link} SOURCE_DIR)
      file(RELATIVE_PATH linkDir ${PROJECT_SOURCE_DIR} ${linkDir})
      corvena_rule_folder(${linkDir} to)
      corvena_rule_allows("${from}" "${to}" allowed)
      if(NOT allowed)
        string(APPEND breaches "  ${target} (${from}) links ${link} (${to})\n")
      endif()
    endforeach()
  endforeach()
  set(${out} "${breaches}" PARENT_SCOPE)
endfunction()

# Called once every target is declared: a link or an include the table does
# not allow fails the configure, naming it.
function(corvena_check_dependencies)
  corvena_link_breaches(links)
  corvena_include_breaches(${PROJECT_SOURCE_DIR} includes)
  if(links OR includes)
    message(FATAL_ERROR "Dependencies outside cmake/dependency_rules.cmake:\n${links}${includes}")
  endif()
endfunction()
