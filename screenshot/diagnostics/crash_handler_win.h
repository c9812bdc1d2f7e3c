// The crash hand-off: on an unhandled exception the exception context is written into named
// shared memory ("cvMorrowdump_<pid>") and an external report program is started to read it.
#pragma once

#include <windows.h>

// Answers of InstallCrashHandler.
constexpr DWORD kCrashHandlerInstalled = 0;
constexpr DWORD kCrashHandlerAlreadyInstalled = 0x810A0001;   // nothing was changed
constexpr DWORD kCrashHandlerNoModuleDirectory = 0x810A0002;  // own module path has no backslash

// Installs the process-wide unhandled-exception filter. `first_name` and `second_name` (null for
// empty) are passed on in the shared block. With a `module`, only crashes whose instruction
// pointer or frame-pointer chain touch that module are reported; null reports every crash.
// `report_program` null or empty means "Morrowdump.exe" beside this program's own module.
DWORD InstallCrashHandler(const wchar_t* first_name, const wchar_t* second_name, HMODULE module,
                          const wchar_t* report_program);
