// CWindowBase: subclassing, the fall-through to the previous procedure, and the final message.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screenshot/base/CWindowBase.h"
#include "screenshot/base/message_map.h"

namespace {

const UINT kSelfDestroy = WM_APP + 1;

class TestWindow : public CWindowBase {
 public:
  BEGIN_MSG_MAP(TestWindow)
  MESSAGE_HANDLER(WM_APP, OnApp)
  MESSAGE_HANDLER(kSelfDestroy, OnSelfDestroy)
  MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
  END_MSG_MAP()

  LRESULT OnApp(UINT, WPARAM wp, LPARAM, BOOL& handled) {
    if (wp == 0) handled = FALSE;  // declined: falls through to the static control
    return 1234;
  }
  LRESULT OnSelfDestroy(UINT, WPARAM, LPARAM, BOOL&) {
    ::DestroyWindow(m_hWnd);
    // Still inside our own dispatch: the object must still be attached.
    events.push_back(m_hWnd ? "after-destroy-attached" : "after-destroy-detached");
    return 0;
  }
  LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL& handled) {
    events.push_back("destroy");
    handled = FALSE;
    return 0;
  }
  void OnFinalMessage(HWND h) override {
    events.push_back("final");
    final_handle = h;
  }
  std::vector<std::string> events;
  HWND final_handle = nullptr;
};

HWND MakeStatic() {
  return CreateWindowExW(0, L"static", L"hello", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

TEST(WindowBase, HandledMessagesStopUnhandledOnesReachThePreviousProcedure) {
  TestWindow w;
  HWND h = MakeStatic();
  ASSERT_TRUE(w.Attach(h));
  EXPECT_EQ(CWindowBase::FromHandle(h), &w);
  EXPECT_EQ(SendMessageW(h, WM_APP, 1, 0), 1234);
  EXPECT_NE(SendMessageW(h, WM_APP, 0, 0), 1234);
  wchar_t text[16] = {};
  GetWindowTextW(h, text, 16);  // the static control still answers WM_GETTEXT
  EXPECT_STREQ(text, L"hello");
  DestroyWindow(h);
  EXPECT_EQ(w.events, (std::vector<std::string>{"destroy", "final"}));
  EXPECT_EQ(w.hwnd(), nullptr);
  EXPECT_EQ(w.final_handle, h);
}

TEST(WindowBase, FinalMessageWaitsForTheOutermostDispatch) {
  TestWindow w;
  HWND h = MakeStatic();
  w.Attach(h);
  SendMessageW(h, kSelfDestroy, 0, 0);
  EXPECT_EQ(w.events, (std::vector<std::string>{"destroy", "after-destroy-attached", "final"}));
  EXPECT_EQ(w.hwnd(), nullptr);
  EXPECT_FALSE(IsWindow(h));
}

TEST(WindowBase, ObjectCanBeReattachedAfterItsWindowIsGone) {
  TestWindow w;
  HWND first = MakeStatic();
  w.Attach(first);
  DestroyWindow(first);
  HWND second = MakeStatic();
  w.Attach(second);
  EXPECT_EQ(SendMessageW(second, WM_APP, 1, 0), 1234);
  EXPECT_EQ(GetPropW(first, L"CORVANEJP_IME_HANDWRITING_PROP_NAME"), nullptr);
  DestroyWindow(second);
  EXPECT_EQ(w.hwnd(), nullptr);
}

}  // namespace
