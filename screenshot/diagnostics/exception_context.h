// CVExceptionContext: the block a crash hands to the report program through shared memory.
#pragma once

#include <cstddef>
#include <cstdint>

// The layout is shared with another program, so every field has a fixed size and place; all text
// is UTF-16. Fields this side does not set stay zero. The report program maps exactly 0x5834
// bytes whichever the architecture; the fields before the text are the native ones of the process
// that crashed (its addresses and its CONTEXT), and the two names sit at the same offsets in both.

// i686:
//   @0      reserved            u32, left to the report program
//   @4      exception address   u32, from the exception record
//   @8      exception pointers  u32, address of the EXCEPTION_POINTERS in the crashed process
//   @12     exception code      u32
//   @16     process id          u32
//   @20     thread id           u32
//   @24     thread context      the i686 CONTEXT, 716 bytes
//   @740    command line        UTF-16, zero-terminated, up to the first name
//   @22324  first name          64 UTF-16 units, zero-terminated
//   @22452  second name         64 UTF-16 units, zero-terminated
struct CVExceptionContextI686 {
  uint32_t reserved;
  uint32_t exception_address;
  uint32_t exception_pointers;
  uint32_t exception_code;
  uint32_t process_id;
  uint32_t thread_id;
  uint8_t thread_context[716];
  char16_t command_line[10792];
  char16_t first_name[64];
  char16_t second_name[64];
};

static_assert(sizeof(CVExceptionContextI686) == 0x5834, "the report program reads 0x5834 bytes");
static_assert(offsetof(CVExceptionContextI686, exception_address) == 4, "layout");
static_assert(offsetof(CVExceptionContextI686, exception_pointers) == 8, "layout");
static_assert(offsetof(CVExceptionContextI686, exception_code) == 12, "layout");
static_assert(offsetof(CVExceptionContextI686, process_id) == 16, "layout");
static_assert(offsetof(CVExceptionContextI686, thread_id) == 20, "layout");
static_assert(offsetof(CVExceptionContextI686, thread_context) == 24, "layout");
static_assert(offsetof(CVExceptionContextI686, command_line) == 740, "layout");
static_assert(offsetof(CVExceptionContextI686, first_name) == 22324, "layout");
static_assert(offsetof(CVExceptionContextI686, second_name) == 22452, "layout");

// x86_64: addresses are 64-bit and start on 8-byte boundaries; the padding words are always zero.
//   @0      reserved            u32, left to the report program
//   @4      padding             u32, zero
//   @8      exception address   u64, from the exception record
//   @16     exception pointers  u64, address of the EXCEPTION_POINTERS in the crashed process
//   @24     exception code      u32
//   @28     process id          u32
//   @32     thread id           u32
//   @36     padding             u32, zero
//   @40     thread context      the x86_64 CONTEXT, 1232 bytes (not 16-byte aligned here: a
//                               reader copies it out before using it as a CONTEXT)
//   @1272   command line        UTF-16, zero-terminated, up to the first name
//   @22324  first name          64 UTF-16 units, zero-terminated
//   @22452  second name         64 UTF-16 units, zero-terminated
// Packed to 4 so that the 64-bit fields do not round the block up past 0x5834 bytes; they are at
// 8-byte offsets all the same.
#pragma pack(push, 4)
struct CVExceptionContextX64 {
  uint32_t reserved;
  uint32_t padding_after_reserved;
  uint64_t exception_address;
  uint64_t exception_pointers;
  uint32_t exception_code;
  uint32_t process_id;
  uint32_t thread_id;
  uint32_t padding_after_thread_id;
  uint8_t thread_context[1232];
  char16_t command_line[10526];
  char16_t first_name[64];
  char16_t second_name[64];
};
#pragma pack(pop)

static_assert(sizeof(CVExceptionContextX64) == 0x5834, "the report program reads 0x5834 bytes");
static_assert(offsetof(CVExceptionContextX64, padding_after_reserved) == 4, "layout");
static_assert(offsetof(CVExceptionContextX64, exception_address) == 8, "layout");
static_assert(offsetof(CVExceptionContextX64, exception_pointers) == 16, "layout");
static_assert(offsetof(CVExceptionContextX64, exception_code) == 24, "layout");
static_assert(offsetof(CVExceptionContextX64, process_id) == 28, "layout");
static_assert(offsetof(CVExceptionContextX64, thread_id) == 32, "layout");
static_assert(offsetof(CVExceptionContextX64, padding_after_thread_id) == 36, "layout");
static_assert(offsetof(CVExceptionContextX64, thread_context) == 40, "layout");
static_assert(offsetof(CVExceptionContextX64, command_line) == 1272, "layout");
static_assert(offsetof(CVExceptionContextX64, first_name) == 22324, "layout");
static_assert(offsetof(CVExceptionContextX64, second_name) == 22452, "layout");

// The block this build writes and reads. Host builds (the native tests) take the x86_64 layout
// unless they are 32-bit x86 themselves.
#if defined(__i386__) || defined(_M_IX86)
using CVExceptionContext = CVExceptionContextI686;
#elif defined(__x86_64__) || defined(_M_X64) || !defined(_WIN32)
using CVExceptionContext = CVExceptionContextX64;
#else
#error "the crash hand-off knows the CONTEXT of i686 and x86_64 only"
#endif

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
