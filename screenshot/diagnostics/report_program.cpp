// The names that connect a crashed engine with its report program.
#include "screenshot/diagnostics/report_program.h"

namespace diag {

std::wstring SharedMemoryName(uint32_t process_id) {
  return L"cvMorrowdump_" + std::to_wstring(process_id);
}

bool DefaultReportProgramPath(const std::wstring& module_path, std::wstring* program) {
  const size_t slash = module_path.rfind(L'\\');
  if (slash == std::wstring::npos) return false;
  *program = module_path.substr(0, slash) + L"\\Morrowdump.exe";
  return true;
}

std::wstring ReportProgramCommandLine(const std::wstring& program,
                                      const std::wstring& shared_memory_name) {
  return L"\"" + program + L"\" --smname=" + shared_memory_name;
}

}  // namespace diag
