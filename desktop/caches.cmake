# The desktop's caches of menu entries and icons, refreshed after an install or uninstall.
# Desktops read the entries and icons without them, but a stale cache hides new ones; so a
# cache is refreshed only where it already exists, and never made where there was none. A
# missing tool or a failing one is a note, never an error: the files are in place either way.

# DATADIR: the share folder that holds applications/ and icons/.
function(quiltane_refresh_caches datadir)
  set(applications "${datadir}/applications")
  if(EXISTS "${applications}/mimeinfo.cache")
    quiltane_run_cache_tool(update-desktop-database -q "${applications}")
  endif()
  set(theme "${datadir}/icons/hicolor")
  if(EXISTS "${theme}/icon-theme.cache")
    # -t: a user's own hicolor folder has no index.theme of its own.
    quiltane_run_cache_tool(gtk-update-icon-cache -q -t -f "${theme}")
  endif()
endfunction()

function(quiltane_run_cache_tool tool)
  find_program(tool_path ${tool} NO_CACHE)
  if(NOT tool_path)
    return()
  endif()
  execute_process(COMMAND ${tool_path} ${ARGN} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(STATUS "${tool} did not refresh its cache (${result}); the files are installed all the same")
  endif()
endfunction()
