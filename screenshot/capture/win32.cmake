list(APPEND ENGINE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CScreenSnapshotTool.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CScreenSnapshotTool_selection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CScreenSnapshotTool_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CScreenSnapshotTool_board.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CScreenSnapshotTool_styles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CScreenSnapshotTool_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CScreenSnapshotTool_save.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CBackdropWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CMagnifierWindow.cpp)
