# Output's Win32 side: the settings file and registry, the clipboard.
list(APPEND ENGINE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/settings_registry_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_ini_file_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clipboard_output_win.cpp)
# The save dialog and the image encoders.
list(APPEND ENGINE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CFileDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CSnapshotFileDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_file_win.cpp)
