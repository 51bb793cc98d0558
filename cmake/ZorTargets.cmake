# Source layout rules, so that adding a file never needs a CMake edit:
# - src/<area>/*.cpp            core library (no Qt)
# - src/<area>/ui/*.cpp, src/editor/**  GUI library (Qt 6 Widgets)
# - tools/<name>/*.cpp          executable zorkvm-<name>
# - tests/<path>/*.cpp          one GoogleTest executable per folder; folders under ui/ or editor/
#                               link the GUI library and run on the offscreen platform.

# Lists the .cpp files below `dir`, recursively, that belong to the core (gui=OFF) or GUI (gui=ON).
function(zor_collect_sources out dir gui)
  file(GLOB_RECURSE all CONFIGURE_DEPENDS "${dir}/*.cpp")
  set(result)
  foreach(f IN LISTS all)
    file(RELATIVE_PATH rel "${dir}" "${f}")
    if(rel MATCHES "(^|/)ui/" OR rel MATCHES "^editor/")
      set(is_gui ON)
    else()
      set(is_gui OFF)
    endif()
    if(is_gui STREQUAL gui)
      list(APPEND result "${f}")
    endif()
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()
