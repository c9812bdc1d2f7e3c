list(APPEND PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/log_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame_walk.cpp
  ${CMAKE_CURRENT_LIST_DIR}/exception_context.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_program.cpp)
