// Entry point of the capture engine: start-up, one capture run, shutdown.
#include <windows.h>
#include <commctrl.h>
#include <objidl.h>  // gdiplus.h needs it under WIN32_LEAN_AND_MEAN
#include <gdiplus.h>

#include "screenshot/app/ImageSet.h"
#include "screenshot/app/command_line.h"
#include "screenshot/app/engine_process.h"
#include "screenshot/app/message_filter.h"
#include "screenshot/diagnostics/crash_handler.h"
#include "screenshot/diagnostics/startup_timeline.h"
#include "screenshot/output/SettingsStore.h"
#include "screenshot/ui/CToolTipWindow.h"
#include "screenshot/ui/CWindowBase.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  diag::TimelineMark("main");
  InstallCrashHandler(L"", L"screenshot", instance, nullptr);
  engine::SetInstance(instance);

  CommandLine command_line;
  command_line.Parse(::GetCommandLineW());
  if (!command_line.empty()) {
    if (command_line.HasSwitch(L"install")) {
      engine::RunInstallAction();
      return 0;
    }
    if (command_line.HasSwitch(L"QXCreate")) engine::SetNotifyOnCopy(true);
  }

  HANDLE single_instance = engine::CreateSnapshotSectionEvent();
  if (!single_instance) return -1;

  INITCOMMONCONTROLSEX icc = {sizeof(icc), 0xFF};
  ::InitCommonControlsEx(&icc);

  CWindowBase::SetModule(instance);
  SharedImages().Load(instance);
  SettingsStore::Instance().Load();

  Gdiplus::GdiplusStartupInput gdiplus_input;
  ULONG_PTR gdiplus_token = 0;
  Gdiplus::GdiplusStartup(&gdiplus_token, &gdiplus_input, nullptr);  // result deliberately unused

  CreateMessageFilterList();
  CreateToolTipWindow();
  diag::TimelineMark("started");
  engine::RunCapture(instance);
  DestroyToolTipWindow();
  DestroyMessageFilterList();

  SettingsStore::Instance().Save();
  Gdiplus::GdiplusShutdown(gdiplus_token);
  ::CloseHandle(single_instance);
  return 0;
}
