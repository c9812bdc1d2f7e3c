list(APPEND PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/dialog_template.cpp
  ${CMAKE_CURRENT_LIST_DIR}/nine_grid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/premultiply.cpp)
list(APPEND PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/toolbar_logic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/color_bar_logic.cpp)
list(APPEND PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/context_menu_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/popup_placement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_coverage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tooltip_state.cpp)
list(APPEND PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/drop_list_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/font_faces.cpp
  ${CMAKE_CURRENT_LIST_DIR}/known_face_metrics.cpp
  ${CMAKE_CURRENT_LIST_DIR}/point_sizes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scroll_bar_geometry.cpp)
list(APPEND PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/text_bar_logic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_style.cpp)
