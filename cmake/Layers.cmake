# The layers of src/, from the ground up: "folder:folders it uses". A folder may include its own
# headers and those of every folder it uses, directly or through another; nothing else. Each
# top-level folder is one library that links only the libraries of the folders it uses, and
# CheckLayers.cmake fails the build on any include that breaks this table. The sub-folders of
# gui/ are ordered the same way inside the one GUI library.
set(ZOR_LAYERS
  "platform:"                        # text, files, clocks, diagnostics
  "model:platform"                   # device record, Item / Scene / App and their files, frames
  "input:platform"                   # key vocabulary, HID reports, typing
  "device:model,input"               # the driver interface, both drivers, their transports
  "analysis:model"                   # the three matching engines
  "session:device"                   # one device: driver slot, connection state, frame fan-out
  "automation:session,analysis"      # the runner, its workers, actions and scripts
  "presentation:automation"          # every rule of the GUI, without Qt
  "gui/widgets:presentation"         # Qt building blocks shared by every window
  "gui/pane:gui/widgets"             # a device's pane, thumbnail and full control window
  "gui/editor:gui/pane"              # the scene editor
  "gui/dialogs:gui/widgets"          # the device dialog and the App Manager
  "gui/window:gui/editor,gui/dialogs" # the main window and the program's entry
  "sim:platform"                     # the simulated remote screen of zorkvm-sim and the tests
)

# Sets <prefix>_FOLDERS to every folder of the table, and <prefix>_USES_<folder> (with '/' as
# '_') to the folders it uses directly.
function(zor_read_layers prefix)
  set(folders)
  foreach(entry IN LISTS ZOR_LAYERS)
    string(REPLACE ":" ";" parts "${entry}")
    list(GET parts 0 folder)
    list(LENGTH parts n)
    set(uses)
    if(n GREATER 1)
      list(GET parts 1 uses_text)
      string(REPLACE "," ";" uses "${uses_text}")
    endif()
    foreach(used IN LISTS uses)
      if(NOT used IN_LIST folders)
        message(FATAL_ERROR "layer table: ${folder} uses ${used}, which is not listed below it")
      endif()
    endforeach()
    list(APPEND folders "${folder}")
    string(REPLACE "/" "_" key "${folder}")
    set(${prefix}_USES_${key} "${uses}" PARENT_SCOPE)
  endforeach()
  set(${prefix}_FOLDERS "${folders}" PARENT_SCOPE)
endfunction()
