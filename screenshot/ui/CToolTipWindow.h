// CToolTipWindow: the engine's one tooltip, shared by every bar.
//
// Bars call Show on every mouse move over one of their items; the message loop hands every
// message to RelayEvent before dispatching it, so the tooltip sees the pointer leave an item or
// press on it. When it shows, when it switches and when it hides is decided by
// TooltipStateMachine; this class is its window: a disabled layered pop-up (so it never takes the
// mouse or the focus) created on the first Show, three window timers, and the painting of the text
// on the rounded panel (bitmap 1047).
//
// Resources come from CWindowBase::Module(), which must be set before construction.
#pragma once

#include <windows.h>

#include "screenshot/base/CWindowBase.h"
#include "screenshot/base/message_map.h"
#include "screenshot/ui/text_coverage.h"
#include "screenshot/ui/tooltip_state.h"

class LayeredSurface;

class CToolTipWindow : public CWindowBase {
 public:
  // Loads the panel picture (premultiplied) and creates the font; the window comes with the
  // first Show.
  CToolTipWindow();
  ~CToolTipWindow() override;

  // The pointer is over |tool| (owner client coordinates) of |owner| at |point_in_owner_client|.
  // Null or empty texts are ignored; texts are cut to 31 characters.
  void Show(HWND owner, const RECT& tool, POINT point_in_owner_client, const wchar_t* text);
  // Every message of the loop, before dispatch; only observed.
  void RelayEvent(const MSG* msg);
  // Kills the three timers and destroys the window (a later Show makes a new one).
  void Destroy();
  // 0 idle, 1 waiting for the show delay, 2 shown, 3 hiding.
  int state() const { return machine_.state(); }
  // The text being shown or waited for.
  const wchar_t* text() const { return machine_.text(); }

  // Composes the tooltip for |text| as it is presented: the panel with the text at (5, 5).
  bool Compose(const wchar_t* text, LayeredSurface& surface) const;

  BEGIN_MSG_MAP(CToolTipWindow)
  MESSAGE_HANDLER(WM_TIMER, OnTimer)
  MESSAGE_HANDLER(WM_SETCURSOR, OnSetCursor)
  MESSAGE_HANDLER(WM_NCHITTEST, OnNcHitTest)
  END_MSG_MAP()

 private:
  // The state machine's view of the window, the timers and the pointer.
  class Host : public TooltipHost {
   public:
    explicit Host(CToolTipWindow& tip) : tip_(tip) {}
    void StartTimer(int id, int milliseconds) override;
    void StopTimer(int id) override;
    TipPointer QueryPointer(TipWindow owner) override;
    Point OwnerToScreen(TipWindow owner, Point client) override;
    void ShowText(const wchar_t* text, Point pointer) override;
    void HideText() override;
    void TrackLeave(TipWindow owner) override;
    TipWindow Self() override { return tip_.m_hWnd; }

   private:
    CToolTipWindow& tip_;
  };

  bool CreateTipWindow();
  void ShowAt(const wchar_t* text, POINT pointer);
  void Hide();

  LRESULT OnTimer(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnSetCursor(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnNcHitTest(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

  Host host_{*this};
  TooltipStateMachine machine_{host_};
  HBITMAP background_ = nullptr;
  HFONT font_ = nullptr;
};

// The process-wide tooltip: created before the capture run, destroyed after it.
CToolTipWindow* GetToolTipWindow();  // null when none exists
void CreateToolTipWindow();
void DestroyToolTipWindow();  // Destroy() then delete

// Draws |length| characters of |text| (all of it for -1) with |font| into the |width| x |height|
// rectangle at (x, y) of the 32-bit premultiplied |dest|, in |colour|: rendered white on black
// with DrawTextW and |format| into a surface of the rectangle's size, turned into premultiplied
// colour by coverage and alpha-blended. Shared by the tooltip and the context menu.
bool BlendText(HDC dest, int x, int y, int width, int height, HFONT font, const wchar_t* text,
               int length, UINT format, TextColour colour);
