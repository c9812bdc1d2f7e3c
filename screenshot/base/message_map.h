// Message maps for CWindowBase classes: a chain of handlers that reads like a table of contents.
//
//   BEGIN_MSG_MAP(CMyBar)
//     MESSAGE_HANDLER(WM_TIMER, OnTimer)
//     MESSAGE_RANGE_HANDLER(WM_MOUSEFIRST, WM_MOUSELAST, OnMouse)
//     CHAIN_MSG_MAP_MEMBER(btn_mgr_)
//   END_MSG_MAP()
//
// Each handler is called with bHandled set to TRUE and may clear it; the first handler that leaves
// it set stops the chain and its return value is the message result. Unhandled messages go to the
// window's previous procedure (CWindowBase::DefWindowProc).
#pragma once

#define BEGIN_MSG_MAP(theClass)                                                                   \
 public:                                                                                          \
  BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult, \
                            DWORD dwMsgMapID) override {                                          \
    BOOL bHandled = TRUE;                                                                         \
    (void)hWnd;                                                                                   \
    (void)dwMsgMapID;                                                                             \
    (void)bHandled;

// LRESULT OnX(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled)
#define MESSAGE_HANDLER(msg, func)                  \
  if (uMsg == (msg)) {                              \
    bHandled = TRUE;                                \
    lResult = func(uMsg, wParam, lParam, bHandled); \
    if (bHandled) return TRUE;                      \
  }

#define MESSAGE_RANGE_HANDLER(msgFirst, msgLast, func) \
  if (uMsg >= (msgFirst) && uMsg <= (msgLast)) {       \
    bHandled = TRUE;                                   \
    lResult = func(uMsg, wParam, lParam, bHandled);    \
    if (bHandled) return TRUE;                         \
  }

// LRESULT OnCommand(WORD wNotifyCode, WORD wID, HWND hWndCtl, BOOL& bHandled)
#define COMMAND_ID_HANDLER(id, func)                                                          \
  if (uMsg == WM_COMMAND && LOWORD(wParam) == (id)) {                                         \
    bHandled = TRUE;                                                                          \
    lResult = func(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam), bHandled); \
    if (bHandled) return TRUE;                                                                \
  }

// Offers the message to a member with ProcessMessage(hWnd, uMsg, wParam, lParam, lResult, id),
// such as a CInplaceButtonManager.
#define CHAIN_MSG_MAP_MEMBER(member) \
  if (member.ProcessMessage(hWnd, uMsg, wParam, lParam, lResult, dwMsgMapID)) return TRUE;

// Offers the message to the map of a base class |theChainClass| (itself a CWindowBase class).
#define CHAIN_MSG_MAP(theChainClass)                                                        \
  if (theChainClass::ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult, dwMsgMapID)) \
    return TRUE;

#define END_MSG_MAP() \
  return FALSE;       \
  }
