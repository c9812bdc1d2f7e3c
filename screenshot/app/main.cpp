// Entry point of the capture engine: start-up, one capture run, shutdown.
#include <windows.h>
#include <commctrl.h>

#include "screenshot/app/command_line.h"
#include "screenshot/app/engine_process_win.h"
#include "screenshot/base/CWindowBase.h"
#include "screenshot/base/message_filter.h"
#include "screenshot/base/ScopedWin.h"
#include "screenshot/diagnostics/crash_handler_win.h"
#include "screenshot/diagnostics/startup_timeline_win.h"
#include "screenshot/output/SettingsStore.h"
#include "screenshot/ui/CToolTipWindow.h"
#include "screenshot/ui/ImageSet.h"

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

  // Held until the process ends: a second engine started meanwhile finds it and leaves.
  ScopedHandle single_instance(engine::CreateSnapshotSectionEvent());
  if (!single_instance) return -1;

  INITCOMMONCONTROLSEX icc = {sizeof(icc), 0xFF};
  ::InitCommonControlsEx(&icc);

  CWindowBase::SetModule(instance);
  SharedImages().Load(instance);
  SettingsStore::Instance().Load();

  {
    // GDI+ lives until the settings are written, after every window and picture of the run is
    // gone; a failed start only means that GDI+ drawing and encoding will fail where used.
    ScopedGdiplus gdiplus;
    CreateMessageFilterList();
    CreateToolTipWindow();
    diag::TimelineMark("started");
    engine::RunCapture(instance);
    DestroyToolTipWindow();
    DestroyMessageFilterList();

    SettingsStore::Instance().Save();
  }
  return 0;
}
