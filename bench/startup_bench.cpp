// Start-up and peak memory of the capture engine against the least a capture tool can do
// (minimal_capture.exe), on the display it runs on.
//
// Each run starts the program with CreateProcess and times until the screen shows the dimmed
// frozen picture: the bench covers the screen with a plain grey window of its own (transparent
// to the mouse, so the engine does not highlight it), parks the pointer in the bottom-right
// corner, and samples two screen pixels away from the pointer until both read dimmed. Then it
// reads the process's peak memory, presses Esc (the engine's leave key) and waits for the
// process to end. One warm-up run of each program, then `runs` of each, alternating.
//
//   startup_bench.exe ENGINE.exe MINIMAL.exe [runs]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const BYTE kGrey = 200;
const BYTE kDimmedGrey = kGrey * 159 / 255;  // black at alpha 0x60 over the grey

struct Screen {
  int x = 0, y = 0, cx = 0, cy = 0;
  POINT samples[2] = {};
};

struct Sample {
  bool ok = false;
  double startup_ms = 0;
  std::vector<std::pair<std::string, double>> phases;  // the engine's own timeline marks
  SIZE_T peak_working_set = 0;
  SIZE_T working_set = 0;   // half a second after the overlay showed
  bool terminated = false;  // did not leave on Esc
};

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

void Wait(DWORD ms) {
  const Clock::time_point end = Clock::now() + std::chrono::milliseconds(ms);
  while (Clock::now() < end) {
    Pump();
    Sleep(5);
  }
}

bool IsGrey(COLORREF c, BYTE level) {
  const int tol = 3;
  return std::abs(GetRValue(c) - level) <= tol && std::abs(GetGValue(c) - level) <= tol &&
         std::abs(GetBValue(c) - level) <= tol;
}

// True when every sample point reads `level`.
bool ScreenShows(const Screen& s, BYTE level) {
  HDC dc = GetDC(nullptr);
  bool all = true;
  for (const POINT& p : s.samples) all = all && IsGrey(GetPixel(dc, p.x, p.y), level);
  ReleaseDC(nullptr, dc);
  return all;
}

bool WaitForScreen(const Screen& s, BYTE level, DWORD timeout_ms) {
  const Clock::time_point end = Clock::now() + std::chrono::milliseconds(timeout_ms);
  while (Clock::now() < end) {
    if (ScreenShows(s, level)) return true;
    Pump();
    Sleep(5);
  }
  return false;
}

HWND MakeGreyBackground(const Screen& s) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hbrBackground = CreateSolidBrush(RGB(kGrey, kGrey, kGrey));
  wc.lpszClassName = L"LumettaStartupBenchGrey";
  RegisterClassW(&wc);
  HWND w = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT, wc.lpszClassName, nullptr,
                           WS_POPUP | WS_VISIBLE, s.x, s.y, s.cx, s.cy, nullptr, nullptr, nullptr,
                           nullptr);
  if (w) UpdateWindow(w);
  return w;
}

void PressEsc() {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = VK_ESCAPE;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
}

// Waits for the process while keeping this thread's window painted.
bool WaitForExit(HANDLE process, DWORD timeout_ms) {
  const Clock::time_point end = Clock::now() + std::chrono::milliseconds(timeout_ms);
  while (Clock::now() < end) {
    if (MsgWaitForMultipleObjects(1, &process, FALSE, 20, QS_ALLINPUT) == WAIT_OBJECT_0)
      return true;
    Pump();
  }
  return false;
}

// The timeline marks the engine wrote ("<ms since its process started> <phase>" lines).
std::vector<std::pair<std::string, double>> ReadTimeline(const std::wstring& path) {
  std::vector<std::pair<std::string, double>> phases;
  FILE* f = _wfopen(path.c_str(), L"r");
  if (!f) return phases;
  char line[128];
  while (std::fgets(line, sizeof(line), f)) {
    double ms = 0;
    char name[96] = {};
    if (std::sscanf(line, "%lf %95[^\n]", &ms, name) == 2) phases.emplace_back(name, ms);
  }
  std::fclose(f);
  return phases;
}

std::wstring TimelinePath() {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  return std::wstring(dir) + L"lumetta_startup_timeline.txt";
}

Sample RunOnce(const Screen& s, const std::wstring& exe) {
  Sample r;
  const std::wstring timeline = TimelinePath();
  DeleteFileW(timeline.c_str());
  SetEnvironmentVariableW(L"LUMETTA_TIMELINE", timeline.c_str());
  if (!WaitForScreen(s, kGrey, 15000)) {
    std::printf("  the grey background is not on screen\n");
    return r;
  }
  std::wstring command = L"\"" + exe + L"\"";
  STARTUPINFOW si = {sizeof(si)};
  PROCESS_INFORMATION pi = {};
  const Clock::time_point t0 = Clock::now();
  if (!CreateProcessW(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi)) {
    std::printf("  CreateProcess failed [%08lX]\n", GetLastError());
    return r;
  }
  const Clock::time_point limit = t0 + std::chrono::seconds(60);
  bool shown = false;
  while (Clock::now() < limit) {
    if (ScreenShows(s, kDimmedGrey)) {
      shown = true;
      break;
    }
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) break;
    Pump();
    Sleep(2);
  }
  r.startup_ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
  if (shown) {
    Wait(500);  // let start-up's last allocations settle
    PROCESS_MEMORY_COUNTERS_EX pmc = {};
    pmc.cb = sizeof(pmc);
    if (GetProcessMemoryInfo(pi.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc),
                             sizeof(pmc))) {
      r.peak_working_set = pmc.PeakWorkingSetSize;
      r.working_set = pmc.WorkingSetSize;
    }
    r.ok = true;
  } else {
    std::printf("  the dimmed screen did not appear\n");
  }
  PressEsc();
  if (!WaitForExit(pi.hProcess, 10000)) {
    r.terminated = true;
    TerminateProcess(pi.hProcess, 1);
    WaitForSingleObject(pi.hProcess, 10000);
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  SetEnvironmentVariableW(L"LUMETTA_TIMELINE", nullptr);
  r.phases = ReadTimeline(timeline);
  DeleteFileW(timeline.c_str());
  return r;
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

struct Summary {
  std::vector<double> startup, peak_ws, ws;
  std::vector<std::string> phase_order;
  std::map<std::string, std::vector<double>> phases;
  int terminated = 0, failed = 0;

  void Add(const Sample& s) {
    if (!s.ok) {
      ++failed;
      return;
    }
    for (const auto& p : s.phases) {
      if (!phases.count(p.first)) phase_order.push_back(p.first);
      phases[p.first].push_back(p.second);
    }
    startup.push_back(s.startup_ms);
    peak_ws.push_back(static_cast<double>(s.peak_working_set));
    ws.push_back(static_cast<double>(s.working_set));
    if (s.terminated) ++terminated;
  }
};

double MiB(double bytes) { return bytes / (1024.0 * 1024.0); }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::printf("usage: startup_bench.exe ENGINE.exe MINIMAL.exe [runs]\n");
    return 2;
  }
  auto widen = [](const char* a) {
    wchar_t buf[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, a, -1, buf, MAX_PATH);
    return std::wstring(buf);
  };
  const std::wstring engine = widen(argv[1]), minimal = widen(argv[2]);
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;

  Screen s;
  s.x = GetSystemMetrics(SM_XVIRTUALSCREEN);
  s.y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  s.cx = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  s.cy = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  s.samples[0] = {s.x + s.cx / 2, s.y + s.cy / 2};
  s.samples[1] = {s.x + s.cx / 4, s.y + s.cy / 4};
  HWND grey = MakeGreyBackground(s);
  SetCursorPos(s.x + s.cx - 2, s.y + s.cy - 2);
  Wait(300);

  Summary eng, min;
  std::printf("start-up on %dx%d (ms from CreateProcess to the dimmed screen)\n", s.cx, s.cy);
  RunOnce(s, minimal);  // warm-up: the first start of a program under Wine loads more
  RunOnce(s, engine);
  for (int i = 0; i < runs; ++i) {
    const Sample m = RunOnce(s, minimal);
    const Sample e = RunOnce(s, engine);
    std::printf("  run %d: minimal %7.0f   engine %7.0f%s\n", i + 1, m.startup_ms, e.startup_ms,
                e.terminated ? "   (engine did not leave on Esc)" : "");
    min.Add(m);
    eng.Add(e);
  }
  const double buffer = static_cast<double>(s.cx) * s.cy * 4;
  const double m_start = Median(min.startup), e_start = Median(eng.startup);
  std::printf("  median: minimal %.0f ms, engine %.0f ms, engine / minimal %.2f\n", m_start,
              e_start, m_start > 0 ? e_start / m_start : 0);
  // Where the engine's start-up goes: its own marks, in milliseconds since its process started
  // (the bench's figure above counts from CreateProcess and ends when it sees the dim).
  std::printf(
      "engine timeline (median ms since its process started; step = since the mark before)\n");
  double previous = 0;
  std::string timeline_row;
  for (const std::string& name : eng.phase_order) {
    const double at = Median(eng.phases[name]);
    std::printf("  %-12s %8.1f   step %7.1f\n", name.c_str(), at, at - previous);
    previous = at;
    timeline_row += " " + name + "=" + std::to_string(at);
  }
  std::printf("  %-12s %8.1f   (seen on screen by the bench, from CreateProcess)\n", "shown",
              e_start);
  // Under Wine the working set is the process's resident memory (DLLs and the shared window
  // surfaces included) and its peak the high-water mark; Wine has no peak of private memory
  // (it answers the anonymous memory resident at the moment of asking).
  std::printf("memory (median; one full-screen 32-bpp buffer = %.1f MiB)\n", MiB(buffer));
  std::printf("  engine:  peak working set %.1f MiB, held during the capture %.1f MiB\n",
              MiB(Median(eng.peak_ws)), MiB(Median(eng.ws)));
  std::printf("  minimal: peak working set %.1f MiB, held while shown %.1f MiB\n",
              MiB(Median(min.peak_ws)), MiB(Median(min.ws)));
  std::printf("  frozen picture + overlay buffer: %.1f MiB\n", MiB(2 * buffer));
  // For bench/run.py's summary.
  std::printf("RESULT startup %d %d %.1f %.1f %d %d %d\n", s.cx, s.cy, m_start, e_start,
              eng.failed + min.failed, eng.terminated, static_cast<int>(eng.startup.size()));
  std::printf("RESULT timeline %d %d%s\n", s.cx, s.cy, timeline_row.c_str());
  std::printf("RESULT memory %d %d %.0f %.0f %.0f %.0f\n", s.cx, s.cy, Median(eng.peak_ws),
              Median(eng.ws), Median(min.peak_ws), Median(min.ws));
  if (grey) DestroyWindow(grey);
  return eng.failed + min.failed == 0 ? 0 : 1;
}
