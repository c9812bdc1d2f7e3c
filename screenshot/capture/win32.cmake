list(APPEND ENGINE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CScreenSnapshotTool.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CScreenSnapshotTool_selection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CScreenSnapshotTool_commands.cpp)
