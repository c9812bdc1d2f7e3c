list(APPEND PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ini_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ini_document.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hotkey_setting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/icon_file.cpp)
