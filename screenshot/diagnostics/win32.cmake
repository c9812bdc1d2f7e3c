set(DIAGNOSTICS_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/debug_log.cpp
  ${CMAKE_CURRENT_LIST_DIR}/crash_handler.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CMappingSecurity.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CSuspendedThreads.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CProcessFrameMemory.cpp)
list(APPEND ENGINE_SOURCES ${DIAGNOSTICS_WIN32_SOURCES})
# The crash hand-off finds the engine's frames by following saved frame pointers, so the code
# that may be on a crashing stack has to keep them.
set_source_files_properties(${DIAGNOSTICS_WIN32_SOURCES} PROPERTIES
  COMPILE_OPTIONS -fno-omit-frame-pointer)
