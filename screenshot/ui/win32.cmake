# The widget toolkit's Win32 side: the shared images, buttons, bars, menu and tooltip.
list(APPEND ENGINE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ImageSet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CInplaceButtonManager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BitmapSource.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CreateFromTemplate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LayeredSurface.cpp
  ${CMAKE_CURRENT_LIST_DIR}/layered_paint_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CSnapshotToolbar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CColorToolBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CColorToolBar_paint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CContextToolMenu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CToolTipWindow.cpp)
# The in-place item host, its scroll bar and the font and size drop lists.
list(APPEND ENGINE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CInplaceItemContainer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CInplaceItemContainer_sites.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CInplaceItemContainer_helper.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CInplaceScrollBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drop_list_paint_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CDropListWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CFontComboBox_catalog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CFontComboBox_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CFontComboBox_paint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CHeightComboBox.cpp)
# The text bar, and the drag and the steps the bars share.
list(APPEND ENGINE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/BarDrag.cpp
  ${CMAKE_CURRENT_LIST_DIR}/floating_bar_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CTextToolBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CTextToolBar_lists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CTextToolBar_paint.cpp)
