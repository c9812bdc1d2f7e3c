// Writes two debug-log messages, one of them filtered out, so that a test can watch the real
// debugger output.
#include "screenshot/diagnostics/debug_log_win.h"

int main() {
  diag::SetLogClassMask(0x30);
  diag::Log(0x01, L"filtered out");
  diag::Log(diag::kLogError, L"CreateFile [%s] Failed [%08X]", L"C:\\out\\a.png", 5u);
  return 0;
}
