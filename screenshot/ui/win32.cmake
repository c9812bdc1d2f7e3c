list(APPEND ENGINE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CWindowBase.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CInplaceButtonManager.cpp)
list(APPEND ENGINE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/BitmapSource.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CreateFromTemplate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LayeredSurface.cpp
  ${CMAKE_CURRENT_LIST_DIR}/layered_paint.cpp)
list(APPEND ENGINE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CSnapshotToolbar.cpp)
list(APPEND ENGINE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CContextToolMenu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CToolTipWindow.cpp)
