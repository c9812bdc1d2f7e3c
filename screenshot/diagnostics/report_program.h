// The names that connect a crashed engine with its report program: the shared-memory name, the
// default program path and the program's command line.
#pragma once

#include <cstdint>
#include <string>

namespace diag {

// "cvMorrowdump_<process id>".
std::wstring SharedMemoryName(uint32_t process_id);

// The report program beside the module whose path is given: everything up to the module path's
// last backslash, then "\Morrowdump.exe". False (and `program` untouched) for a path without
// any backslash.
bool DefaultReportProgramPath(const std::wstring& module_path, std::wstring* program);

// "\"<program>\" --smname=<shared memory name>".
std::wstring ReportProgramCommandLine(const std::wstring& program,
                                      const std::wstring& shared_memory_name);

}  // namespace diag
