# The engine's lowest layer, platform-free part: geometry, the message filter registry, the
# tool command table and the colour palette.
list(APPEND PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/message_filter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tool_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/palette.cpp)
