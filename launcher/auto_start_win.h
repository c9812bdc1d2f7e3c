// Starting the launcher at log-on: its value under the machine-wide Run key, and the removal of
// that value and of a Startup-folder shortcut of the same name.
#pragma once

#include <string>

namespace launcher {

// Writes the Run value name = target, only when target names an existing file. Windows reads the
// value as a command line, so a target with blanks is stored in quotes (unquoted, a folder such
// as "C:\My Tools" would start "C:\My.exe" instead). Failures, such as missing rights, are
// silent; returns whether the value was written.
bool AddAutoStart(const std::wstring& name, const std::wstring& target);

// Deletes the Run value name and the shortcut "<Startup folder>\<name>.lnk", and tells the shell
// that the shortcut is gone. Failures are silent.
void RemoveAutoStart(const std::wstring& name);

}  // namespace launcher
