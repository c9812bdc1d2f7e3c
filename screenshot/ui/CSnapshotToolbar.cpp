// CSnapshotToolbar: the floating row of image buttons shown next to the selected region.
#include "screenshot/ui/CSnapshotToolbar.h"

#include <windowsx.h>

#include "resource.h"
#include "screenshot/diagnostics/debug_log_win.h"
#include "screenshot/ui/BitmapSource.h"
#include "screenshot/ui/CToolTipWindow.h"
#include "screenshot/ui/floating_bar_win.h"
#include "screenshot/ui/ImageSet.h"
#include "screenshot/ui/layered_paint_win.h"
#include "screenshot/ui/LayeredSurface.h"

namespace {

using toolbar::Button;

constexpr wchar_t kName[] = L"toolbar";  // in the log

// Icon and highlight pictures of each button, in toolbar::Button order.
struct ButtonImages {
  ImageSet::Slot icon;
  ImageSet::Slot highlight;
};
const ButtonImages kImages[toolbar::kButtonCount] = {
    {ImageSet::kIconRectangle, ImageSet::kToolbarHighlight},
    {ImageSet::kIconEllipse, ImageSet::kToolbarHighlight},
    {ImageSet::kIconArrow, ImageSet::kToolbarHighlight},
    {ImageSet::kIconBrush, ImageSet::kToolbarHighlight},
    {ImageSet::kIconMosaic, ImageSet::kToolbarHighlight},
    {ImageSet::kIconText, ImageSet::kToolbarHighlight},
    {ImageSet::kIconUndo, ImageSet::kToolbarHighlight},
    {ImageSet::kIconSave, ImageSet::kToolbarHighlight},
    {ImageSet::kIconExit, ImageSet::kToolbarHighlight},
    {ImageSet::kIconFinish, ImageSet::kFinishHighlight},
};

Size BitmapSize(HBITMAP bitmap) {
  BITMAP info = {};
  if (!bitmap || ::GetObjectW(bitmap, sizeof(info), &info) != sizeof(info)) return {};
  return {info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

// Blends one of the two side-by-side frames of |bitmap| (0 left, 1 right) over |rect|,
// stretched to it. A missing bitmap draws nothing.
bool BlendFrame(HDC dest, const RECT& rect, HBITMAP bitmap, int frame) {
  if (!bitmap) return true;
  BitmapSource source(bitmap);
  if (!source.ok()) return false;
  const int frame_width = source.width() / 2;
  if (frame_width <= 0 || source.height() <= 0) return true;
  return ::AlphaBlend(dest, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                      source.dc(), frame * frame_width, 0, frame_width, source.height(),
                      kPremultipliedBlend) != FALSE;
}

}  // namespace

void CSnapshotToolbar::CToolBtnMgr::DrawButton(DRAWITEMSTRUCT* dis) {
  if (dis->itemAction & ODA_DRAWENTIRE) bar_->Paint();
}

CSnapshotToolbar::CSnapshotToolbar() : btn_mgr_(this) {}

CSnapshotToolbar::~CSnapshotToolbar() {
  if (m_hWnd) ::DestroyWindow(m_hWnd);
}

BOOL CSnapshotToolbar::Create(HWND owner) {
  if (m_hWnd) return FALSE;
  const ImageSet& images = SharedImages();
  std::array<Size, toolbar::kButtonCount> icons;
  for (int i = 0; i < toolbar::kButtonCount; ++i)
    icons[i] = BitmapSize(images.bitmap(kImages[i].icon));
  const toolbar::ToolbarLayout layout = toolbar::LayoutToolbar(icons);

  HWND hWnd =
      ::CreateWindowExW(floatingbar::kExStyle, L"static", L"", WS_POPUP, 0, 0, layout.window.width,
                        layout.window.height, owner, nullptr, module_->instance, nullptr);
  if (!hWnd) {
    diag::Log(diag::kLogError, L"CreateWindowEx [%s] Failed [%08X]", L"static", ::GetLastError());
    return FALSE;
  }
  Attach(hWnd);
  for (int i = 0; i < toolbar::kButtonCount; ++i) {
    const Rect& r = layout.buttons[i];
    buttons_[i] =
        btn_mgr_.AddButton(r.left, r.top, r.Width(), r.Height(), toolbar::kButtons[i].command);
  }
  EnableCommand(ID_TOOLBAR_UNDO, FALSE);
  EnableCommand(ID_TOOLBAR_REDO, FALSE);
  ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return TRUE;
}

void CSnapshotToolbar::EnableCommand(UINT id, BOOL enable) {
  if (InplaceButton* button = btn_mgr_.FindButton(id))
    btn_mgr_.EnableButton(button, enable != FALSE);
}

void CSnapshotToolbar::SetToolChecked(UINT id, BOOL on) {
  if (InplaceButton* button = btn_mgr_.FindButton(id))
    btn_mgr_.SetButtonCheck(button, toolbar::CheckedAfterSetToolChecked(id, on));
}

int CSnapshotToolbar::SetCurrentTool(int tool) {
  const int previous = current_tool_;
  current_tool_ = tool;
  return previous;
}

void CSnapshotToolbar::OnToolbarCommand(UINT) {}

bool CSnapshotToolbar::Compose(LayeredSurface& surface) const {
  const ImageSet& images = SharedImages();
  return floatingbar::Compose(m_hWnd, surface, images.bitmap(ImageSet::kToolbarPanel),
                              toolbar::kBackgroundMargin, kName,
                              [this, &images](HDC dc) { return BlendButtons(dc, images); });
}

bool CSnapshotToolbar::BlendButtons(HDC dc, const ImageSet& images) const {
  bool ok = true;
  for (Button b : toolbar::kPaintOrder) {
    const InplaceButton* button = buttons_[b];
    if (!button) continue;
    const toolbar::ButtonLook look = toolbar::LookOfButton(
        btn_mgr_.GetButtonState(button), toolbar::kButtons[b].tool, current_tool_);
    if (look.highlight != toolbar::Highlight::kNone) {
      const int frame = look.highlight == toolbar::Highlight::kHover ? 0 : 1;
      ok &= BlendFrame(dc, button->rect, images.bitmap(kImages[b].highlight), frame);
    }
    ok &= BlendFrame(dc, button->rect, images.bitmap(kImages[b].icon), look.greyed ? 1 : 0);
  }
  return ok;
}

void CSnapshotToolbar::Paint() {
  LayeredSurface surface;
  if (Compose(surface)) floatingbar::Present(m_hWnd, surface, kName);
}

void CSnapshotToolbar::ShowTooltipAt(POINT point) {
  CToolTipWindow* tip = GetToolTipWindow();
  if (!tip) return;
  toolbar::ToolbarLayout layout;
  for (int i = 0; i < toolbar::kButtonCount; ++i) {
    if (!buttons_[i]) return;  // the window is going away
    const RECT& r = buttons_[i]->rect;
    layout.buttons[i] = {r.left, r.top, r.right, r.bottom};
  }
  const Button b = toolbar::TooltipButtonAt(layout, {point.x, point.y});
  if (b == toolbar::kButtonCount) return;
  wchar_t text[128] = L"";
  // A string that fails to load leaves the text empty, which the tooltip ignores.
  if (::LoadStringW(module_->resource_instance, toolbar::kButtons[b].tip_string, text, 128) <= 0)
    text[0] = L'\0';
  tip->Show(m_hWnd, buttons_[b]->rect, point, text);
}

// The window class ("static") asks for double clicks, so the second of two quick presses arrives
// as a double click. It is a press like any other: two quick clicks on undo undo twice.
LRESULT CSnapshotToolbar::OnLButtonDblClk(UINT, WPARAM wParam, LPARAM lParam, BOOL&) {
  LRESULT result = 0;
  ProcessWindowMessage(m_hWnd, WM_LBUTTONDOWN, wParam, lParam, result, 0);
  return result;
}

// Reached only when no drag is going on.
LRESULT CSnapshotToolbar::OnMouseMove(UINT, WPARAM, LPARAM lParam, BOOL& bHandled) {
  if (!::GetCapture()) ShowTooltipAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  // The button manager still sees the move, for hover and press looks.
  bHandled = FALSE;
  return 0;
}

LRESULT CSnapshotToolbar::OnCommand(UINT, WPARAM wParam, LPARAM, BOOL&) {
  OnToolbarCommand(LOWORD(wParam));
  return 0;
}

LRESULT CSnapshotToolbar::OnMouseActivate(UINT, WPARAM, LPARAM, BOOL&) { return MA_NOACTIVATE; }

LRESULT CSnapshotToolbar::OnSetCursor(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
  bHandled = FALSE;
  if (reinterpret_cast<HWND>(wParam) != m_hWnd) return 0;
  CURSORINFO ci = {};
  ci.cbSize = sizeof(ci);
  if (!::GetCursorInfo(&ci)) return 0;
  POINT pt = ci.ptScreenPos;
  ::ScreenToClient(m_hWnd, &pt);
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  if (!::PtInRect(&client, pt) || btn_mgr_.HitTest(pt)) return 0;
  // The background is the bar's drag handle.
  ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
  bHandled = TRUE;
  return TRUE;
}

LRESULT CSnapshotToolbar::OnNcHitTest(UINT, WPARAM, LPARAM, BOOL&) {
  // The static class answers HTTRANSPARENT, which would let every click through the bar.
  return HTCLIENT;
}

LRESULT CSnapshotToolbar::OnNcDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
  btn_mgr_.RemoveAllButtons();
  for (InplaceButton*& b : buttons_) b = nullptr;
  drag_.Abandon();
  bHandled = FALSE;
  return 0;
}

LRESULT CSnapshotToolbar::OnLButtonDown(UINT, WPARAM, LPARAM lParam, BOOL&) {
  POINT cursor = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ::ClientToScreen(m_hWnd, &cursor);
  drag_.Begin(m_hWnd, cursor);
  return 0;
}
