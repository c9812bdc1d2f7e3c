list(APPEND LAUNCHER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/launcher_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/auto_start.cpp
  ${CMAKE_CURRENT_LIST_DIR}/engine_start.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CHotkeyRegistrar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CTrayIcon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/system_menu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CLauncherWindow.cpp)
