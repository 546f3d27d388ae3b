# The levels' rules, checked when the build is configured: quiltane_check_level fails the
# configure when a level links Qt or a level above it, directly or through another target.
# Call it after every target is defined.

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

# quiltane_check_level(target [NO_QT] [ABOVE higher targets...])
function(quiltane_check_level target)
  cmake_parse_arguments(PARSE_ARGV 1 level "NO_QT" "" "ABOVE")
  quiltane_linked_libraries(${target} libraries)
  foreach(library IN LISTS libraries)
    if(level_NO_QT AND library MATCHES "^Qt[0-9]*::|(^|/|lib)Qt[0-9]+[A-Z]")
      message(FATAL_ERROR "${target} must not use Qt, but links ${library}.")
    endif()
    if(library IN_LIST level_ABOVE)
      message(FATAL_ERROR "${target} must not link ${library}, a level above it.")
    endif()
  endforeach()
endfunction()
