// CVExceptionContext: the block a crash hands to the report program through shared memory.
#include "screenshot/diagnostics/exception_context.h"

namespace diag {

size_t CopyUtf16Field(char16_t* field, size_t units, const wchar_t* text) {
  if (units == 0) return 0;
  size_t n = 0;
  for (const wchar_t* p = text ? text : L""; *p; ++p) {
    // Where wchar_t holds whole code points, those above the basic plane become a pair.
    const uint32_t c = static_cast<uint32_t>(*p);
    char16_t encoded[2];
    size_t length = 1;
    if (c > 0xFFFF && c <= 0x10FFFF) {
      encoded[0] = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      encoded[1] = static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
      length = 2;
    } else if (c >= 0xD800 && c <= 0xDBFF && p[1] >= 0xDC00 && p[1] <= 0xDFFF) {
      encoded[0] = static_cast<char16_t>(c);
      encoded[1] = static_cast<char16_t>(p[1]);
      length = 2;
    } else {
      encoded[0] = static_cast<char16_t>(c > 0x10FFFF ? 0xFFFD : c);
    }
    if (n + length > units - 1) break;  // keep the terminator
    for (size_t i = 0; i < length; ++i) field[n++] = encoded[i];
    if (length == 2 && c <= 0xFFFF) ++p;  // the pair came from two units of the text
  }
  for (size_t i = n; i < units; ++i) field[i] = 0;
  return n;
}

}  // namespace diag
