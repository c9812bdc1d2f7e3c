// Pulls the engine executable and the icon file into the launcher's read-only data with .incbin,
// so they are byte-for-byte the files the build produced (no conversion to C arrays).
#include "launcher/embedded_data.h"

// C symbols carry a leading underscore on i686 and none on x86_64.
#if defined(__i386__)
#define EMBED_SYMBOL(name) "_" #name
#else
#define EMBED_SYMBOL(name) #name
#endif

#define EMBED_FILE(name, path) \
  __asm__(".section .rdata,\"dr\"\n"                      \
          ".balign 16\n"                                  \
          ".globl " EMBED_SYMBOL(name) "\n"               \
          EMBED_SYMBOL(name) ":\n"                        \
          ".incbin \"" path "\"\n"                        \
          ".globl " EMBED_SYMBOL(name##_end) "\n"         \
          EMBED_SYMBOL(name##_end) ":\n"                  \
          ".byte 0\n"                                     \
          ".text\n")

EMBED_FILE(lumetta_engine_image, ENGINE_IMAGE_FILE);
EMBED_FILE(lumetta_icon_file, ICON_IMAGE_FILE);

extern "C" const unsigned char lumetta_engine_image[];
extern "C" const unsigned char lumetta_engine_image_end[];
extern "C" const unsigned char lumetta_icon_file[];
extern "C" const unsigned char lumetta_icon_file_end[];

namespace launcher {

EmbeddedBytes EngineImage() {
  return {lumetta_engine_image,
          static_cast<std::size_t>(lumetta_engine_image_end - lumetta_engine_image)};
}

EmbeddedBytes IconFile() {
  return {lumetta_icon_file, static_cast<std::size_t>(lumetta_icon_file_end - lumetta_icon_file)};
}

}  // namespace launcher
