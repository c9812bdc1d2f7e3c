// Helpers for the tests of the font and size drop lists: lists that record what they report, a
// face source of the test's own, a window that stands for the rest of the screen, and a suite
// with the engine's pictures and a message filter registry.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screenshot/base/message_filter.h"
#include "screenshot/base/message_map.h"
#include "screenshot/ui/CFontComboBox.h"
#include "screenshot/ui/CHeightComboBox.h"
#include "win/support/test_input.h"
#include "win/support/test_pictures.h"

namespace droplists {

struct ScrollMessage {
  int code, position;
};

// A drop list |List| that records the scroll messages it sends itself.
template <class List>
class ScrollRecordingList : public List {
 public:
  using List::List;
  BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                            DWORD id) override {
    if (uMsg == WM_VSCROLL) scrolls.push_back({LOWORD(wParam), HIWORD(wParam)});
    return List::ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult, id);
  }
  std::vector<ScrollMessage> scrolls;
};

// A font list that records the faces chosen and its scroll messages.
class RecordingFontList : public ScrollRecordingList<CFontComboBox> {
 public:
  using ScrollRecordingList::ScrollRecordingList;
  void OnFontSelected(const LOGFONTW& font) override { chosen.push_back(font); }
  std::vector<LOGFONTW> chosen;
};

// A size list that records the pixel heights chosen and its scroll messages.
class RecordingSizeList : public ScrollRecordingList<CHeightComboBox> {
 public:
  void OnHeightSelected(int pixel_height) override { chosen.push_back(pixel_height); }
  std::vector<int> chosen;
};

// The screen's vertical dots per inch.
inline int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

// Reports |names| (in the order given, character set |charset|) as a system would.
inline CFontComboBox::FaceSource FacesNamed(std::vector<std::wstring> names, BYTE charset = 0) {
  return [names, charset](HDC, const CFontComboBox::FaceReporter& report) {
    for (const std::wstring& n : names) {
      LOGFONTW lf = {};
      lf.lfCharSet = charset;
      lf.lfHeight = -12;
      lstrcpynW(lf.lfFaceName, n.c_str(), LF_FACESIZE);
      if (!report(lf)) return;
    }
  };
}

// "Face 00", "Face 01", ...: |count| names already in the list's order.
inline std::vector<std::wstring> NumberedFaces(int count) {
  std::vector<std::wstring> names;
  for (int i = 0; i < count; ++i) {
    wchar_t name[16];
    wsprintfW(name, L"Face %02d", i);
    names.push_back(name);
  }
  return names;
}

inline std::wstring FaceOf(const LOGFONTW& lf) { return lf.lfFaceName; }

// A plain window of the test's thread, standing for whatever else is on the screen: it records
// the presses it receives.
class Elsewhere : public CWindowBase {
 public:
  BEGIN_MSG_MAP(Elsewhere)
  MESSAGE_HANDLER(WM_NCHITTEST, OnNcHitTest)
  MESSAGE_HANDLER(WM_LBUTTONDOWN, OnPress)
  MESSAGE_HANDLER(WM_RBUTTONDOWN, OnPress)
  END_MSG_MAP()
  LRESULT OnNcHitTest(UINT, WPARAM, LPARAM, BOOL&) { return HTCLIENT; }
  LRESULT OnPress(UINT msg, WPARAM, LPARAM, BOOL&) {
    presses.push_back(msg);
    return 0;
  }
  bool Create(int x, int y, int width, int height) {
    HWND h = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"static", nullptr,
                             WS_POPUP | WS_VISIBLE, x, y, width, height, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    if (h) Attach(h);
    return h != nullptr;
  }
  ~Elsewhere() override {
    if (m_hWnd) DestroyWindow(m_hWnd);
  }
  std::vector<UINT> presses;
};

// The engine's pictures (the lists draw with them) and a message filter registry for the lists
// to close themselves through. A window of the thread covers the screen behind everything, so
// that every move and click the tests make lands on a window of theirs and is waited for by what
// it causes, not by a timeout.
class DropListTest : public testpictures::EngineModuleTest {
 protected:
  static void SetUpTestSuite() {
    EngineModuleTest::SetUpTestSuite();
    backdrop_ = new Elsewhere;
    backdrop_->Create(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    testinput::PumpUntil([] { return IsWindowVisible(backdrop_->hwnd()) != FALSE; }, 1000);
  }
  static void TearDownTestSuite() {
    delete backdrop_;
    backdrop_ = nullptr;
    testinput::Drain();
    EngineModuleTest::TearDownTestSuite();
  }
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(EngineModuleTest::SetUp());
    CreateMessageFilterList();
  }
  void TearDown() override {
    testinput::SendMouse(MOUSEEVENTF_LEFTUP);
    testinput::Drain();
    DestroyMessageFilterList();
  }

 private:
  static inline Elsewhere* backdrop_ = nullptr;
};

// The screen point at (x, y) of a window's client area.
inline POINT OnScreen(HWND window, int x, int y) {
  POINT p = {x, y};
  ClientToScreen(window, &p);
  return p;
}

}  // namespace droplists
