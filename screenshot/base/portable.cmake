# The engine's lowest layer, platform-free part: geometry, the message filter registry, the
# tool command table, the colour palette and the settings files' text encodings (the launcher
# reads and writes its INI file by the same rules).
list(APPEND PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/message_filter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tool_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/palette.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_encoding.cpp)
