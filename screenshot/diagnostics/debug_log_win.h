// The engine's debug log: printf-style messages sent to the system debugger output, normally as
// JSON-like records ("class", "content", "pid", "pname", "tid", "time").
#pragma once

namespace diag {

// Message class of error reports.
constexpr unsigned kLogError = 0x30;

// Formats one message (at most 1023 characters are kept) and emits it, unless the log is off or
// `cls` shares no bit with the class mask. Safe from any thread.
void Log(unsigned cls, const wchar_t* format, ...);

// The logger's switches: on, every class, structured records.
void SetLogEnabled(bool enabled);
void SetLogClassMask(unsigned mask);
void SetLogStructured(bool structured);

// Tests: while a sink is set, each emitted text goes to it instead of the debugger output.
using LogSink = void (*)(const wchar_t* text);
void SetLogSinkForTesting(LogSink sink);

}  // namespace diag
