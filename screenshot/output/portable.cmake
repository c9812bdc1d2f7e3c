list(APPEND PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/settings_schema.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_values.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_paths.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_ini_text.cpp)
list(APPEND PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/clipboard_dib.cpp
  ${CMAKE_CURRENT_LIST_DIR}/save_names.cpp)
