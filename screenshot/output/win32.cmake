# Output's Win32 side: the settings file and registry, the clipboard.
list(APPEND ENGINE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/settings_registry_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_ini_file_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clipboard_output_win.cpp)
