# The diagnostics' Win32 side: the debug log and the crash hand-off.
set(DIAGNOSTICS_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/debug_log_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/startup_timeline_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/crash_handler_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CCrashStack.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CMappingSecurity.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CSuspendedThreads.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CProcessFrameMemory.cpp)
list(APPEND ENGINE_SOURCES ${DIAGNOSTICS_WIN32_SOURCES})
# On i686 the crash hand-off finds the engine's frames by following saved frame pointers, so the
# code that may be on a crashing stack has to keep them. (x86_64 unwinds by the functions' unwind
# data instead, which every function has; the option does no harm there.)
set_source_files_properties(${DIAGNOSTICS_WIN32_SOURCES} PROPERTIES
  COMPILE_OPTIONS -fno-omit-frame-pointer)
