# Platform-free units of the annotation board: geometry and hit tests, hit masks, the object core
# with its weak references, the undo list's bookkeeping, and the mosaic's blocks.
list(APPEND PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/shape_geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hit_mask.cpp
  ${CMAKE_CURRENT_LIST_DIR}/object_core.cpp
  ${CMAKE_CURRENT_LIST_DIR}/record_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mosaic_pixels.cpp)
