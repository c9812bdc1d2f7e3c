list(APPEND LAUNCHER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/launcher_files_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/auto_start_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/engine_start_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CHotkeyRegistrar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CTrayIcon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/system_menu_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CLauncherWindow.cpp)
