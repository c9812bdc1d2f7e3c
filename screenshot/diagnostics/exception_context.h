// CVExceptionContext: the block a crash hands to the report program through shared memory.
#pragma once

#include <cstddef>
#include <cstdint>

// The layout is shared with another program, so every field has a fixed size and place; all text
// is UTF-16. Fields this side does not set stay zero.
struct CVExceptionContext {
  uint32_t reserved;              // left to the report program
  uint32_t exception_address;     // from the exception record
  uint32_t exception_pointers;    // address of the EXCEPTION_POINTERS in the crashed process
  uint32_t exception_code;
  uint32_t process_id;
  uint32_t thread_id;
  uint8_t thread_context[716];    // the crashing thread's CONTEXT (i686)
  char16_t command_line[10792];   // zero-terminated
  char16_t first_name[64];        // zero-terminated
  char16_t second_name[64];       // zero-terminated
};

static_assert(sizeof(CVExceptionContext) == 0x5834, "the report program reads 0x5834 bytes");
static_assert(offsetof(CVExceptionContext, exception_address) == 4, "layout");
static_assert(offsetof(CVExceptionContext, exception_pointers) == 8, "layout");
static_assert(offsetof(CVExceptionContext, exception_code) == 12, "layout");
static_assert(offsetof(CVExceptionContext, process_id) == 16, "layout");
static_assert(offsetof(CVExceptionContext, thread_id) == 20, "layout");
static_assert(offsetof(CVExceptionContext, thread_context) == 24, "layout");
static_assert(offsetof(CVExceptionContext, command_line) == 740, "layout");
static_assert(offsetof(CVExceptionContext, first_name) == 22324, "layout");
static_assert(offsetof(CVExceptionContext, second_name) == 22452, "layout");

namespace diag {

// Copies `text` (null counts as empty) into a UTF-16 field of `units` code units, always
// zero-terminated, clearing the rest of the field. Text that does not fit is cut before a
// character that would not fit whole (a surrogate pair is never split). Returns the units copied.
size_t CopyUtf16Field(char16_t* field, size_t units, const wchar_t* text);

template <size_t N>
size_t CopyUtf16Field(char16_t (&field)[N], const wchar_t* text) {
  return CopyUtf16Field(field, N, text);
}

}  // namespace diag
