// Windowless buttons: rectangles with ids and state inside one owning window.
//
// The manager tracks hover (with TrackMouseEvent) and press (with the mouse capture), turns a
// completed click into WM_COMMAND to the owning window, and asks the owner to repaint through an
// owner-draw record. Pressed and hot are pointers held here; disabled and checked live in the
// buttons; the state a bar paints is always derived at paint time with GetButtonState.
#pragma once

#include <windows.h>

// One button, allocated and owned by the manager.
struct InplaceButton {
  InplaceButton* next = nullptr;
  LONG_PTR user_data = 0;  // the owner's value (the context menu keeps its item record here)
  RECT rect = {};          // owner client coordinates; right = x + width, bottom = y + height
  DWORD style = 0;         // only WS_DISABLED is used
  DWORD checked = 0;
  UINT id = 0;  // sent in WM_COMMAND
};

class CInplaceButtonManager {
 public:
  // Owner-draw state bits of a button (the DRAWITEMSTRUCT state values).
  static constexpr UINT kStatePressed = ODS_SELECTED;   // 1
  static constexpr UINT kStateDisabled = ODS_DISABLED;  // 4
  static constexpr UINT kStateChecked = ODS_CHECKED;    // 8
  static constexpr UINT kStateHot = ODS_HOTLIGHT;       // 0x40

  CInplaceButtonManager() = default;
  virtual ~CInplaceButtonManager();
  CInplaceButtonManager(const CInplaceButtonManager&) = delete;
  CInplaceButtonManager& operator=(const CInplaceButtonManager&) = delete;

  // Mouse handling for the owning window's message map (WM_MOUSEMOVE, WM_LBUTTONDOWN,
  // WM_LBUTTONUP, WM_CAPTURECHANGED, WM_MOUSELEAVE); non-zero when the message was consumed.
  virtual BOOL ProcessMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                              DWORD dwMsgMapID);
  // Called for each removed button, its user data already detached; the owner frees it here.
  virtual void OnButtonRemoved(InplaceButton* button, LONG_PTR user_data);
  // Repaint request. itemAction is ODA_DRAWENTIRE for a repaint, 0 for a follow-up notice that a
  // bar painting everything at once may ignore. The base draws a push button in the window.
  virtual void DrawButton(DRAWITEMSTRUCT* dis);

  // New button at the head of the list (so it wins hit tests against older overlapping ones).
  InplaceButton* AddButton(int x, int y, int width, int height, UINT id);
  // First button in list order containing the point; disabled ones are found too.
  InplaceButton* HitTest(POINT pt) const;
  InplaceButton* FindButton(UINT id) const;
  // No repaint; disabling the hot button makes it cold.
  void EnableButton(InplaceButton* button, bool enable);
  void SetButtonCheck(InplaceButton* button, bool checked);
  // kStateChecked if checked; else kStateDisabled if disabled; else the press look of the pressed
  // button, kStateHot for the hot one, 0 otherwise.
  UINT GetButtonState(const InplaceButton* button) const;
  UINT GetButtonId(const InplaceButton* button) const { return button->id; }
  LONG_PTR GetButtonData(const InplaceButton* button) const { return button->user_data; }
  LONG_PTR SetButtonData(InplaceButton* button, LONG_PTR value);
  // Frees every button; a pressed one leaves "release pending" so the next button-up or capture
  // loss still releases the capture and recomputes the hover.
  void RemoveAllButtons();

  InplaceButton* pressed() const { return pressed_; }
  InplaceButton* hot() const { return hot_; }
  InplaceButton* first() const { return head_; }

 private:
  static bool IsEnabled(const InplaceButton* b) { return (b->style & WS_DISABLED) == 0; }
  InplaceButton* FirstEnabledAt(POINT pt) const;
  bool IsListed(const InplaceButton* b) const;
  void TrackLeave(HWND hWnd);
  void RequestDraw(InplaceButton* button, UINT state, UINT action);
  void RepaintAfterRelease(InplaceButton* released);
  BOOL OnMouseMove(HWND hWnd, POINT pt);
  BOOL OnLButtonDown(HWND hWnd, POINT pt);
  BOOL OnLButtonUp(HWND hWnd, POINT pt);
  BOOL OnCaptureChanged(HWND hWnd);

  InplaceButton* pressed_ = nullptr;
  InplaceButton* hot_ = nullptr;
  InplaceButton* head_ = nullptr;
  UINT press_look_ = 0;  // kStatePressed while the pointer is inside the pressed button
  UINT release_pending_ = 0;
  HWND window_ = nullptr;  // the last window messages came from, for the base DrawButton
};
