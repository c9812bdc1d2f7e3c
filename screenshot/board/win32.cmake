# The annotation board's Win32 side: the board itself (split by role), its objects and records,
# and its drawing layers with the GDI+ strokes.
list(APPEND ENGINE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/board_paint_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CScrawlBoard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CScrawlBoard_objects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CScrawlBoard_create.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CScrawlBoard_select.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CScrawlBoard_mosaic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CScrawlBoard_records.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CScrawlBoard_text_style.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CScrawlBoard_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CScrawlBoard_text_board.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CScrawlBoard_text_records.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CInplaceEditBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CInplaceEditBox_input.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CInplaceEditBox_ime.cpp)
