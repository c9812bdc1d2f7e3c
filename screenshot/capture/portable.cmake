# Platform-free units of the capture window (built natively with sanitizers and into the engine).
list(APPEND PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/selection_geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/overlay_pixels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/magnifier_picture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/contrast_pixel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_tree.cpp
  ${CMAKE_CURRENT_LIST_DIR}/board_layers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bar_placement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tool_styles.cpp)
