# The lowest layer's Win32 side, shared by the engine and the launcher: the window base, the
# top-down DIB helper and the GDI+ session guard.
set(BASE_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CWindowBase.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScopedGdiplus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/top_down_dib_win.cpp)
