list(APPEND ENGINE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/settings_registry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_ini_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsStore.cpp)
list(APPEND ENGINE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/clipboard_output.cpp)
