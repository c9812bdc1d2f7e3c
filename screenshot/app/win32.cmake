# The engine process's Win32 side (the entry point, main.cpp, is added by the executable).
list(APPEND ENGINE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/engine_process_win.cpp)
