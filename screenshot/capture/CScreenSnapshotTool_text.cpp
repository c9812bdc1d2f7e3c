// CScreenSnapshotTool: the text tool and its text bar, and the text style the bar changes on the
// board and in the settings.
#include <cstddef>

#include "screenshot/base/palette.h"
#include "screenshot/base/tool_commands.h"
#include "screenshot/board/board_types.h"
#include "screenshot/capture/CScreenSnapshotTool.h"
#include "screenshot/diagnostics/debug_log_win.h"
#include "screenshot/output/SettingsStore.h"
#include "screenshot/ui/text_style.h"

namespace {

// The size of the menu metrics before Windows Vista added a field; every version accepts it.
constexpr UINT kNonClientMetricsSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);

// The system's menu font: the record every other field of the text font comes from.
LOGFONTW MenuFont() {
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = kNonClientMetricsSize;
  if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0)) {
    diag::Log(diag::kLogError, L"SystemParametersInfo [%s] Failed [%08X]", L"menu font",
              ::GetLastError());
    return LOGFONTW{};
  }
  return metrics.lfMenuFont;
}

}  // namespace

// ---- CInternalTextToolBar ----------------------------------------------------------------------

BOOL CScreenSnapshotTool::CInternalTextToolBar::ProcessWindowMessage(HWND hWnd, UINT uMsg,
                                                                     WPARAM wParam, LPARAM lParam,
                                                                     LRESULT& lResult,
                                                                     DWORD dwMsgMapID) {
  if (uMsg == WM_WINDOWPOSCHANGED && lParam)
    owner_->OnStyleBarMoved(hWnd, *reinterpret_cast<const WINDOWPOS*>(lParam));
  return CTextToolBar::ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult, dwMsgMapID);
}

// ---- the text style at start-up ----------------------------------------------------------------

void CScreenSnapshotTool::LoadTextStyle() {
  const TextStyle style = textstyle::FromSettings(SettingsStore::Instance());
  text_font_ = MenuFont();
  textstyle::SetFace(style.face, &text_font_);
  // The stored bold flag makes the font bold as well as the bar's toggle: the first text of the
  // next capture looks as the bar says.
  textstyle::ApplyTo(style, &text_font_);
  text_color_index_ = style.color_index;
  text_bar_.SetColorIndex(text_color_index_);
  text_bar_.SetFont(text_font_);
  text_bar_.SetBold(style.bold);
  LoadBoardText();
}

// ---- choosing the text tool --------------------------------------------------------------------

void CScreenSnapshotTool::ChooseTextTool(bool from_menu) {
  // As for the shape tools, with the text bar: its button clicked again only toggles the bar.
  const StyleBarPlan plan =
      PlanStyleBar(kToolText, toolbar_.GetCurrentTool(), from_menu, TextBarVisible(),
                   color_bar_.hwnd() && ::IsWindowVisible(color_bar_.hwnd()));
  PlaceStyleBar(text_bar_.hwnd(), plan.place);
  // Loaded before it is shown, so that the bar never shows a selected text's style.
  if (plan.load) LoadTextBar();
  if (plan.show)
    ShowTextBar();
  else
    text_bar_.Hide();
  color_bar_.Hide();
  toolbar_.SetCurrentTool(kToolText);
  board_.SetTool(kToolText);
  if (plan.load) LoadBoardText();
}

void CScreenSnapshotTool::LoadTextBar() {
  text_bar_.SetColorIndex(text_color_index_);
  text_bar_.SetFont(text_font_);
  text_bar_.Paint();
}

void CScreenSnapshotTool::LoadBoardText() {
  const uint32_t color = palette::ColorOf(text_color_index_);
  board_.SetTextColors(color, palette::ContrastOf(color));
  board_.SetTextFont(&text_font_);
}

bool CScreenSnapshotTool::TextBarVisible() const {
  return text_bar_.hwnd() && ::IsWindowVisible(text_bar_.hwnd());
}

void CScreenSnapshotTool::ShowTextBar() {
  if (!text_bar_.hwnd()) return;
  text_bar_.Paint();
  text_bar_.Show();
  style_bar_placement_pending_ = false;
}

// ---- the text bar's changes --------------------------------------------------------------------

void CScreenSnapshotTool::OnTextColorChanged(int color_index) {
  const uint32_t color = palette::ColorOf(color_index);
  if (color == palette::kNoColor) return;
  board_.SetTextColors(color, palette::ContrastOf(color));
  // Only the text tool's own colour is remembered.
  if (StyleTool(toolbar_.GetCurrentTool(), board_.GetStyleKind()) != kToolText) return;
  text_color_index_ = color_index;
  SettingsStore::Instance().SetTextColorIndex(color_index);
}

void CScreenSnapshotTool::OnFontFaceChanged(const LOGFONTW& font) {
  board_.SetTextFont(&font);
  text_font_ = font;
  SettingsStore::Instance().SetFaceName(font.lfFaceName);
}

void CScreenSnapshotTool::OnFontHeightChanged(const LOGFONTW& font) {
  board_.SetTextFont(&font);
  text_font_ = font;
  SettingsStore::Instance().SetTextHeight(textstyle::HeightOfField(font.lfHeight));
}

void CScreenSnapshotTool::OnBoldChanged(const LOGFONTW& font) {
  board_.SetTextFont(&font);
  text_font_ = font;
  SettingsStore::Instance().SetBold(font.lfWeight > textstyle::kBoldAbove);
}

void CScreenSnapshotTool::OnItalicChanged(const LOGFONTW& font) {
  board_.SetTextFont(&font);
  text_font_ = font;
  SettingsStore::Instance().SetItalic(font.lfItalic != 0);
}
