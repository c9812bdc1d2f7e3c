// Constant data carried inside the launcher: the complete engine executable and the icon file.
#pragma once

#include <cstddef>

namespace launcher {

struct EmbeddedBytes {
  const unsigned char* data;
  std::size_t size;
};

// The engine executable exactly as built; written out unchanged beside the launcher.
EmbeddedBytes EngineImage();
// A Windows icon file (three images) for the notification area.
EmbeddedBytes IconFile();

}  // namespace launcher
