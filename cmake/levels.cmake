# The levels' rules and their checks. The top CMakeLists.txt states the rules once, a row per
# level: its folder, its library and the levels it may use. quiltane_check_levels() then
#  - fails the configure when a level's library links, directly or through another target, the
#    library of a level it may not use, or Qt where it may not use Qt;
#  - before a level's library is built, reads every #include line of its folder and fails the
#    build on one that names a level it may not use ("stamps/...", also as <stamps/...>), a
#    Qt header where it may not use Qt, or a path with "..";
#  - adds the test levels_readme: README.md's Layout table names the same levels in its "may
#    use" column, and Qt where the level may use Qt.
# The include and README checks run as scripts (cmake -P this file), so that the build reruns
# them whenever a level's files change.

# The same policies in a script as in the project (IN_LIST among them).
cmake_policy(VERSION 3.25)

# quiltane_level(FOLDER LIBRARY [QT] USES levels...): one row of the rules.
function(quiltane_level folder library)
  cmake_parse_arguments(PARSE_ARGV 2 level "QT" "" "USES")
  set_property(GLOBAL APPEND PROPERTY QUILTANE_LEVELS ${folder})
  set_property(GLOBAL PROPERTY QUILTANE_LEVEL_${folder}_LIBRARY ${library})
  set_property(GLOBAL PROPERTY QUILTANE_LEVEL_${folder}_USES ${level_USES})
  set_property(GLOBAL PROPERTY QUILTANE_LEVEL_${folder}_QT ${level_QT})
endfunction()

# Folders in words for the messages: "core/" or "stamps/ and core/".
function(quiltane_level_words out)
  set(folders ${ARGN})
  list(TRANSFORM folders APPEND /)
  list(POP_BACK folders last)
  list(JOIN folders ", " words)
  if(words)
    set(words "${words} and ")
  endif()
  set(${out} "${words}${last}" PARENT_SCOPE)
endfunction()

# Fails with a line for each broken rule, unwrapped, so that each names its file or target whole.
function(quiltane_fail)
  list(JOIN ARGN "\n " text)
  message(FATAL_ERROR " ${text}")
endfunction()

# Every library that target links, directly or through the targets it links.
function(quiltane_linked_libraries target out)
  set(found "")
  set(queue ${target})
  while(queue)
    list(POP_FRONT queue current)
    foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
      get_target_property(libraries ${current} ${property})
      foreach(library IN LISTS libraries)
        # A static library's private links show as $<LINK_ONLY:name>; links made from another
        # folder are bracketed by ::@(...) markers.
        string(REGEX REPLACE "^\\$<LINK_ONLY:(.+)>$" "\\1" library "${library}")
        if(library MATCHES "^::@|-NOTFOUND$" OR library IN_LIST found)
          continue()
        endif()
        list(APPEND found ${library})
        if(TARGET ${library})
          list(APPEND queue ${library})
        endif()
      endforeach()
    endforeach()
  endwhile()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# A header of Qt: <QImage>, <QtCore/QString>, <QtWidgets>.
set(QUILTANE_QT_HEADER "^(Q[A-Z][A-Za-z0-9]*|Qt[A-Za-z0-9]*(/.*)?)$")
set(QUILTANE_QT_LIBRARY "^Qt[0-9]*::|(^|/|lib)Qt[0-9]+[A-Z]")

# Fails the configure on a link the level may not have. Levels without a library in this build
# (the window with QUILTANE_GUI=OFF) have nothing to check.
function(quiltane_check_links level)
  get_property(levels GLOBAL PROPERTY QUILTANE_LEVELS)
  get_property(library GLOBAL PROPERTY QUILTANE_LEVEL_${level}_LIBRARY)
  get_property(uses GLOBAL PROPERTY QUILTANE_LEVEL_${level}_USES)
  get_property(qt GLOBAL PROPERTY QUILTANE_LEVEL_${level}_QT)
  if(NOT TARGET ${library})
    return()
  endif()
  quiltane_level_words(words ${level} ${uses})
  quiltane_linked_libraries(${library} linked)
  foreach(other IN LISTS levels)
    get_property(other_library GLOBAL PROPERTY QUILTANE_LEVEL_${other}_LIBRARY)
    if(other_library IN_LIST linked AND NOT other IN_LIST uses)
      quiltane_fail("${library} links ${other_library}, but ${level} may use only ${words}.")
    endif()
  endforeach()
  foreach(linked_library IN LISTS linked)
    if(NOT qt AND linked_library MATCHES "${QUILTANE_QT_LIBRARY}")
      quiltane_fail("${library} links ${linked_library}, but ${level} must not use Qt.")
    endif()
  endforeach()
endfunction()

# The include check of one level, run by the build: every #include line of the .h and .cpp files
# under root/level. Prints a line per include that breaks the rule, then fails.
function(quiltane_check_includes root level levels uses qt)
  quiltane_level_words(words ${level} ${uses})
  file(GLOB_RECURSE files RELATIVE ${root} ${root}/${level}/*.h ${root}/${level}/*.cpp)
  list(SORT files)
  set(broken "")
  foreach(file IN LISTS files)
    file(STRINGS ${root}/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS lines)
      string(REGEX MATCH "[<\"]([^>\"]*)[>\"]" include "${line}")
      set(path "${CMAKE_MATCH_1}")
      string(REGEX MATCH "^[^/]+" first "${path}")
      if(path MATCHES "/" AND first IN_LIST levels AND NOT first STREQUAL level AND NOT first IN_LIST uses)
        list(APPEND broken "${file} includes ${include}, but ${level} may include only ${words}.")
      elseif(path MATCHES "(^|/)\\.\\.(/|$)")
        list(APPEND broken "${file} includes ${include}: name it from the repository root, as \"core/picture.h\".")
      elseif(NOT qt AND path MATCHES "${QUILTANE_QT_HEADER}")
        list(APPEND broken "${file} includes ${include}, but ${level} must not use Qt.")
      endif()
    endforeach()
  endforeach()
  if(broken)
    quiltane_fail(${broken})
  endif()
endfunction()

# The levels_readme test: each level's row of README.md's Layout table, "| `stamps/` | what |
# `core` |", names in backticks in its last column exactly the levels it may use, and Qt only
# where the level may use Qt. rules holds a row per level, "stamps=core", "workbench=...,Qt".
function(quiltane_check_readme readme rules)
  file(STRINGS ${readme} rows REGEX "^\\| `[a-z_]+/` \\|")
  set(broken "")
  foreach(rule IN LISTS rules)
    string(REGEX MATCH "^([a-z_]+)=(.*)$" _ "${rule}")
    set(level ${CMAKE_MATCH_1})
    string(REPLACE "," ";" expected "${CMAKE_MATCH_2}")
    list(SORT expected)
    set(row "")
    foreach(candidate IN LISTS rows)
      if(candidate MATCHES "^\\| `${level}/` \\|")
        set(row "${candidate}")
      endif()
    endforeach()
    if(NOT row)
      list(APPEND broken "README.md's Layout table has no row for ${level}/.")
      continue()
    endif()
    string(REGEX REPLACE "^.*\\|([^|]*)\\|[ \t]*$" "\\1" may_use "${row}")
    string(REGEX MATCHALL "`[a-z_]+`" said "${may_use}")
    list(TRANSFORM said REPLACE "`" "")
    if(may_use MATCHES "(^|[^A-Za-z])Qt([^A-Za-z]|$)")
      list(APPEND said Qt)
    endif()
    list(SORT said)
    if(NOT said STREQUAL expected)
      list(JOIN said ", " said_words)
      list(JOIN expected ", " expected_words)
      list(APPEND broken "README.md says ${level}/ may use [${said_words}], but the build's rule is [${expected_words}].")
    endif()
  endforeach()
  if(broken)
    quiltane_fail(${broken})
  endif()
endfunction()

# Checks every level's links now, its includes whenever its library is built, and adds the
# levels_readme test. Call it after every target is defined.
function(quiltane_check_levels)
  get_property(levels GLOBAL PROPERTY QUILTANE_LEVELS)
  set(stamps "")
  set(rules "")
  set(libraries "")
  foreach(level IN LISTS levels)
    quiltane_check_links(${level})
    get_property(library GLOBAL PROPERTY QUILTANE_LEVEL_${level}_LIBRARY)
    get_property(uses GLOBAL PROPERTY QUILTANE_LEVEL_${level}_USES)
    get_property(qt GLOBAL PROPERTY QUILTANE_LEVEL_${level}_QT)
    if(qt)
      set(qt ON)
    else()
      set(qt OFF)
    endif()
    # New files rerun the configure (CONFIGURE_DEPENDS), changed ones the check.
    file(GLOB_RECURSE files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${level}/*.h
         ${PROJECT_SOURCE_DIR}/${level}/*.cpp)
    set(stamp ${CMAKE_BINARY_DIR}/levels/${level}.checked)
    list(JOIN levels "$<SEMICOLON>" levels_arg)
    list(JOIN uses "$<SEMICOLON>" uses_arg)
    add_custom_command(
      OUTPUT ${stamp}
      COMMAND ${CMAKE_COMMAND} -DQUILTANE_ROOT=${PROJECT_SOURCE_DIR} -DQUILTANE_LEVEL=${level}
              "-DQUILTANE_LEVELS=${levels_arg}" "-DQUILTANE_USES=${uses_arg}" -DQUILTANE_LEVEL_QT=${qt}
              -P ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
      COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
      DEPENDS ${files} ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
      COMMENT "Checking the includes of ${level}/"
      VERBATIM)
    list(APPEND stamps ${stamp})
    if(qt)
      list(APPEND uses Qt)
    endif()
    list(JOIN uses "," uses_words)
    list(APPEND rules "${level}=${uses_words}")
    if(TARGET ${library})
      list(APPEND libraries ${library})
    endif()
  endforeach()
  add_custom_target(quiltane_level_includes DEPENDS ${stamps})
  foreach(library IN LISTS libraries)
    add_dependencies(${library} quiltane_level_includes)
  endforeach()
  list(JOIN rules "$<SEMICOLON>" rules_arg)
  add_test(NAME levels_readme
           COMMAND ${CMAKE_COMMAND} -DQUILTANE_README=${PROJECT_SOURCE_DIR}/README.md
                   "-DQUILTANE_RULES=${rules_arg}" -P ${CMAKE_CURRENT_FUNCTION_LIST_FILE})
endfunction()

# Run as a script: the README check when given QUILTANE_README, else one level's include check.
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  if(DEFINED QUILTANE_README)
    quiltane_check_readme(${QUILTANE_README} "${QUILTANE_RULES}")
  else()
    quiltane_check_includes(${QUILTANE_ROOT} ${QUILTANE_LEVEL} "${QUILTANE_LEVELS}" "${QUILTANE_USES}"
                            ${QUILTANE_LEVEL_QT})
  endif()
endif()
