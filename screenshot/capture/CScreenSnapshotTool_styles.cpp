// CScreenSnapshotTool: choosing a tool, the colour bar that goes with the shape tools, and the
// styles it changes on the board and in the settings. The text tool's bar is in
// CScreenSnapshotTool_text.cpp.
#include "screenshot/base/geometry_win.h"
#include "screenshot/base/palette.h"
#include "screenshot/base/tool_commands.h"
#include "screenshot/board/board_types.h"
#include "screenshot/capture/bar_placement.h"
#include "screenshot/capture/CScreenSnapshotTool.h"
#include "screenshot/output/SettingsStore.h"

namespace {

Rect WindowRectOf(HWND w) {
  RECT r = {};
  if (w) ::GetWindowRect(w, &r);
  return FromRECT(r);
}

}  // namespace

// ---- CInternalColorToolBar ---------------------------------------------------------------------

BOOL CScreenSnapshotTool::CInternalColorToolBar::ProcessWindowMessage(HWND hWnd, UINT uMsg,
                                                                      WPARAM wParam, LPARAM lParam,
                                                                      LRESULT& lResult,
                                                                      DWORD dwMsgMapID) {
  if (uMsg == WM_WINDOWPOSCHANGED && lParam)
    owner_->OnStyleBarMoved(hWnd, *reinterpret_cast<const WINDOWPOS*>(lParam));
  return CColorToolBar::ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult, dwMsgMapID);
}

// ---- choosing a tool ---------------------------------------------------------------------------

void CScreenSnapshotTool::ChooseTool(int tool, bool from_menu) {
  if (IsPenTool(tool)) {
    ChoosePenTool(tool, from_menu);
  } else if (tool == kToolText) {
    ChooseTextTool(from_menu);
  } else if (tool == kToolSelect) {
    // The bar of the selected object's kind follows through OnStyleTarget.
    toolbar_.SetCurrentTool(tool);
    board_.SelectNext();
  } else {
    // Mosaic has no style: both style bars go.
    color_bar_.Hide();
    text_bar_.Hide();
    toolbar_.SetCurrentTool(tool);
    board_.SetTool(tool);
  }
  if (from_menu) {
    toolbar_.Paint();  // drawn pressed on the bar as well
    board_.Refresh();
  }
}

void CScreenSnapshotTool::ChoosePenTool(int tool, bool from_menu) {
  // Clicking the current tool's button again only shows or hides its bar.
  const StyleBarPlan plan =
      PlanStyleBar(tool, toolbar_.GetCurrentTool(), from_menu, ColorBarVisible(), TextBarVisible());
  PlaceColorBar(plan.place);
  // Loaded before it is shown, so that the bar never shows the previous tool's pen.
  if (plan.load) LoadColorBar(pen_styles_.Of(tool));
  if (plan.show)
    ShowColorBar();
  else
    color_bar_.Hide();
  text_bar_.Hide();
  toolbar_.SetCurrentTool(tool);
  // The board leaves select mode before it takes the pen, so that no selected shape takes it.
  board_.SetTool(tool);
  if (plan.load) LoadBoardPen(pen_styles_.Of(tool));
}

void CScreenSnapshotTool::LoadColorBar(const PenSlot& slot) {
  color_bar_.SetColorIndex(slot.color_index);
  color_bar_.SetWidthIndex(slot.width_index);
  color_bar_.SetDashStyle(slot.dash_style);
  color_bar_.Paint();
}

void CScreenSnapshotTool::LoadBoardPen(const PenSlot& slot) {
  board_.SetPenColor(palette::ColorOf(slot.color_index));
  board_.SetPenWidth(palette::PenWidthPixels(slot.width_index));
  board_.SetDashStyle(slot.dash_style);
}

// ---- the colour bar's place --------------------------------------------------------------------

bool CScreenSnapshotTool::ColorBarVisible() const {
  return color_bar_.hwnd() && ::IsWindowVisible(color_bar_.hwnd());
}

void CScreenSnapshotTool::ShowColorBar() {
  if (!color_bar_.hwnd()) return;
  color_bar_.Paint();
  color_bar_.Show();
  style_bar_placement_pending_ = false;
}

void CScreenSnapshotTool::PlaceColorBar(BarPlacement placement) {
  PlaceStyleBar(color_bar_.hwnd(), placement);
}

void CScreenSnapshotTool::PlaceStyleBar(HWND bar, BarPlacement placement) {
  if (!bar || placement == BarPlacement::kKeep) return;
  const Rect r = WindowRectOf(bar);
  const Size size = {r.Width(), r.Height()};
  const Rect sel =
      overlay_.selection().IsEmpty() ? Rect{} : Offset(overlay_.selection(), origin_.x, origin_.y);
  const Rect toolbar = WindowRectOf(toolbar_.hwnd());
  Point at;
  if (placement == BarPlacement::kStyleBar) {
    at = StyleBarPosition(size, toolbar, sel, MonitorRectAtCursor(), VirtualScreenRect());
  } else {
    const bool toolbar_shown = toolbar_.hwnd() && ::IsWindowVisible(toolbar_.hwnd());
    const Point anchor = MenuBarAnchor(size, toolbar_shown ? &toolbar : nullptr, sel);
    at = MenuBarPosition(anchor, size, MonitorRectAt(anchor), VirtualScreenRect());
  }
  ::SetWindowPos(bar, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CScreenSnapshotTool::KeepStyleBarPlaced() {
  if (!style_bar_placement_pending_) return;
  PlaceColorBar(BarPlacement::kStyleBar);
  if (ColorBarVisible()) style_bar_placement_pending_ = false;
}

void CScreenSnapshotTool::OnStyleBarMoved(HWND moved, const WINDOWPOS& pos) {
  if (moving_style_bars_ || (pos.flags & SWP_NOMOVE)) return;
  moving_style_bars_ = true;
  for (HWND other : {color_bar_.hwnd(), text_bar_.hwnd()}) {
    if (other && other != moved)
      ::SetWindowPos(other, nullptr, pos.x, pos.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  moving_style_bars_ = false;
}

// ---- style changes -----------------------------------------------------------------------------

void CScreenSnapshotTool::OnPenWidthChanged(int width_index) {
  if (width_index < 0 || width_index >= palette::kPenWidthCount) return;
  board_.SetPenWidth(palette::PenWidthPixels(width_index));
  pen_styles_.SetWidth(StyleTool(toolbar_.GetCurrentTool(), board_.GetStyleKind()), width_index,
                       SettingsStore::Instance());
}

void CScreenSnapshotTool::OnPenColorChanged(int color_index) {
  if (palette::ColorOf(color_index) == palette::kNoColor) return;
  board_.SetPenColor(palette::ColorOf(color_index));
  pen_styles_.SetColor(StyleTool(toolbar_.GetCurrentTool(), board_.GetStyleKind()), color_index,
                       SettingsStore::Instance());
}

void CScreenSnapshotTool::OnDashStyleChanged(int dash_style) {
  board_.SetDashStyle(dash_style);
  pen_styles_.SetDash(StyleTool(toolbar_.GetCurrentTool(), board_.GetStyleKind()), dash_style,
                      SettingsStore::Instance());
}

void CScreenSnapshotTool::OnStyleTarget(int kind) {
  if (IsPenTool(kind)) {
    // The selected shape's pen, as the board took it from the shape.
    LoadColorBar(PenSlot{palette::IndexOf(board_.GetPenColor()),
                         palette::PenWidthIndex(board_.GetPenWidth()), board_.GetDashStyle()});
    // A bar never shown before has no place yet: next to the main tool bar.
    if (style_bar_placement_pending_) PlaceColorBar(BarPlacement::kStyleBar);
    ShowColorBar();
    text_bar_.Hide();
  } else if (kind == kObjectText) {
    // The selected text's style, as the board took it from the text.
    const LOGFONTW font = board_.GetTextFont();
    text_bar_.SetColorIndex(palette::IndexOf(board_.GetTextColor()));
    text_bar_.SetFont(font);
    if (style_bar_placement_pending_) PlaceStyleBar(text_bar_.hwnd(), BarPlacement::kStyleBar);
    ShowTextBar();
    color_bar_.Hide();
  }
}
