list(APPEND PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/dialog_template.cpp
  ${CMAKE_CURRENT_LIST_DIR}/nine_grid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/premultiply.cpp)
