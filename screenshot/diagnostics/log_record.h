// The debug log's record text: the message as a JSON string inside a six-member record.
#pragma once

#include <cstddef>
#include <cstdint>

namespace diag {

// Buffer sizes of the log, in characters including the terminator.
constexpr size_t kLogMessageChars = 1024;
constexpr size_t kLogRecordChars = 4096;

// Local time of a record, as the system clock gives it.
struct LogTime {
  int year, month, day, hour, minute, second, milliseconds;
};

// Everything a record shows; the Win32 side gathers it, so the text can be checked anywhere.
struct LogRecordFields {
  unsigned log_class;
  const wchar_t* message;  // null counts as empty
  uint32_t process_id;
  const wchar_t* process_name;  // null counts as empty
  uint32_t thread_id;
  LogTime time;
};

// Writes `text` wrapped in double quotes with JSON escapes into `out` (at most capacity - 1
// characters, always terminated unless capacity is 0). When it does not fit, the string is cut
// before an escape or a surrogate pair that does not fit whole and still gets its closing quote.
// Returns the number of characters written.
size_t WriteJsonString(const wchar_t* text, wchar_t* out, size_t capacity);

// Writes the record for `fields` into `out` (at most capacity - 1 characters, always terminated
// unless capacity is 0) and returns its length. A message too long for the buffer is shortened
// inside its JSON string so that the record stays complete; only a buffer too small for the
// record without any message text cuts the record itself.
size_t FormatLogRecord(const LogRecordFields& fields, wchar_t* out, size_t capacity);

// The length to keep of a text cut to `length` characters so that it does not end in the first
// half of a surrogate pair.
size_t WholeCharacterLength(const wchar_t* text, size_t length);

}  // namespace diag
