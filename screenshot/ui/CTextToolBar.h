// CTextToolBar: the text bar shown while the text tool is active.
//
// From left to right: the size button (the current size in points; opens the size list), the
// font button (opens the font list), the bold and italic toggles, the current-colour box and the
// 16 swatches of the palette, laid out by dialog template 302 (used as a pixel layout) on a
// rounded panel. The bar is a layered, topmost, non-activating pop-up owned by the capture window
// and dragged by its background (never from the swatch block). Every change made on it is shown
// at once and then reported through one of five notifications, which the owner overrides; each
// font notification carries the complete font: the bar's template font (the last one applied,
// whose face is the current face) with the bar's height, bold and italic written into it.
//
// The bar is a message filter: a press on the size or font button opens that button's list, or
// closes it when it is open; any press elsewhere closes the lists. Setters never repaint: the
// owner sets the values and then calls Paint. The owner also positions, shows and hides it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "screenshot/base/CWindowBase.h"
#include "screenshot/base/message_map.h"
#include "screenshot/base/ScopedWin.h"
#include "screenshot/ui/BarDrag.h"
#include "screenshot/ui/CFontComboBox.h"
#include "screenshot/ui/CHeightComboBox.h"
#include "screenshot/ui/CInplaceButtonManager.h"
#include "screenshot/ui/floating_bar_win.h"
#include "screenshot/ui/text_bar_logic.h"

class LayeredSurface;

class CTextToolBar : public CWindowBase {
 public:
  // The bar's buttons; every repaint request repaints the whole bar.
  using CBtnMgr = floatingbar::RepaintingButtons<CTextToolBar>;
  // The size list, handing the chosen pixel height to the bar.
  class CInternalHeightComboBox : public CHeightComboBox {
   public:
    explicit CInternalHeightComboBox(CTextToolBar* bar) : bar_(bar) {}
    void OnHeightSelected(int pixel_height) override { bar_->OnHeightChosen(pixel_height); }

   private:
    CTextToolBar* bar_;
  };
  // The font list, handing the chosen face's font to the bar.
  class CInternalFontComboBox : public CFontComboBox {
   public:
    explicit CInternalFontComboBox(CTextToolBar* bar) : bar_(bar) {}
    void OnFontSelected(const LOGFONTW& font) override { bar_->OnFaceChosen(font); }

   private:
    CTextToolBar* bar_;
  };

  // Loads nothing yet; the font list starts listing the system's fonts at once, in the
  // background, so that it opens without a wait.
  CTextToolBar();
  // Ends any drag and destroys the lists' and the bar's windows.
  ~CTextToolBar() override;

  // Slot 2: a press on the size or font button (sent to the bar) opens or closes that button's
  // list and is consumed; every press (any window) closes the lists it is not meant for.
  int FilterMessage(MSG* msg) override;

  // Builds the hidden bar window (owned by |owner|) from layout 302, moves it to the screen point
  // (x, y) on top of the topmost windows and registers it with the message loop's filters. FALSE
  // when the window cannot be made or the bar already has one.
  BOOL Create(int x, int y, HWND owner);
  // Shows or hides the window where it is, without activating or restacking it.
  void Show();
  void Hide();

  // The chosen swatch (0..15); an index outside the palette is ignored. Returns the previous.
  int SetColorIndex(int index);
  int GetColorIndex() const { return color_index_; }
  // The palette colour of an index (0xFFFFFFFF outside 0..15), and black or white, whichever
  // stands out against a colour (black only for colours whose three bytes are all 230 or more).
  static uint32_t ColorOf(int index);
  static uint32_t ContrastOf(uint32_t colorref);

  // Takes |font| whole as the template font; height, bold and italic follow it (height = the
  // magnitude of its height field, bold = weight above 699, italic = a non-zero italic byte).
  void SetFont(const LOGFONTW& font);
  // The template font as it was last applied.
  void GetFont(LOGFONTW* font) const;
  // One value each; SetBold and SetItalic return the previous flag.
  int SetBold(int bold);
  int SetItalic(int italic);
  void SetHeight(int pixels);
  int bold() const { return bold_; }
  int italic() const { return italic_; }
  int height() const { return height_; }
  // What every font notification carries: the template font with the bar's height (width half
  // of it), bold (weight 700 or 400) and italic.
  LOGFONTW NotificationFont() const;

  // Composes the whole bar and presents it on the window.
  void Paint();
  // What Paint presents: the bar composed into a new 32-bit surface of the window's size. False
  // when there is no window or the surface cannot be made.
  bool Compose(LayeredSurface& surface) const;

  // Where a screen point lies: on a control, on the drag handle, or off the bar.
  colorbar::PointClass Classify(POINT screen) const;

  // ---- notifications for the owner, called after the bar shows the change; empty here ----
  // A swatch was chosen.
  virtual void OnTextColorChanged(int color_index);
  // A face was chosen in the font list; |font| is the new template font with the bar's style.
  virtual void OnFontFaceChanged(const LOGFONTW& font);
  // A size was chosen in the size list; |font| carries its pixel height.
  virtual void OnFontHeightChanged(const LOGFONTW& font);
  // Bold or italic was toggled; |font| carries the new weight or italic byte.
  virtual void OnBoldChanged(const LOGFONTW& font);
  virtual void OnItalicChanged(const LOGFONTW& font);

  // ---- state, as the owner and the tests see it ----
  bool dragging() const { return drag_.active(); }
  const textbar::Layout& layout() const { return layout_; }
  const CBtnMgr& button_manager() const { return btn_mgr_; }
  // The size list exists from its first opening on.
  CInternalHeightComboBox* size_list() const { return size_list_.get(); }
  CInternalFontComboBox& font_list() { return font_list_; }
  // The point size the size button shows for the current height.
  int ShownPointSize() const;

  BEGIN_MSG_MAP(CTextToolBar)
  // While dragging: the moves, the release and a loss of the capture.
  CHAIN_MSG_MAP_MEMBER(drag_)
  MESSAGE_HANDLER(WM_LBUTTONDBLCLK, OnLButtonDblClk)
  MESSAGE_HANDLER(WM_MOUSEMOVE, OnMouseMove)
  MESSAGE_HANDLER(WM_COMMAND, OnCommand)
  MESSAGE_HANDLER(WM_MOUSEACTIVATE, OnMouseActivate)
  MESSAGE_HANDLER(WM_SETCURSOR, OnSetCursor)
  MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
  CHAIN_MSG_MAP_MEMBER(btn_mgr_)
  // Reached only when the press was on no button.
  MESSAGE_HANDLER(WM_LBUTTONDOWN, OnLButtonDown)
  END_MSG_MAP()

 private:
  LRESULT OnLButtonDblClk(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnMouseMove(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnMouseActivate(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnSetCursor(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT OnLButtonDown(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

  // From the lists (CTextToolBar_lists.cpp).
  void OnHeightChosen(int pixel_height);
  void OnFaceChosen(const LOGFONTW& font);
  // Opens the size or font list under its button, or closes it when it is open.
  void ToggleSizeList();
  void ToggleFontList();
  // The button's rectangle on the screen.
  RECT ScreenRectOf(const Rect& client) const;
  void ShowTooltipAt(POINT client);
  void DestroyLists();

  // Loads the panel, toggle frames and glyphs (the first call only; the module is known by then).
  void LoadBitmaps();
  void AddButtons();
  // Painting steps (CTextToolBar_paint.cpp); false when a blend failed.
  bool BlendDropButtons(HDC dc) const;
  bool BlendToggles(HDC dc) const;

  // In the order the bar's state is declared.
  int color_index_ = 0;
  int italic_ = 0;
  int bold_ = 0;
  int height_ = 17;
  CBtnMgr btn_mgr_;
  // Null before Create and after the window is gone; the manager owns the records.
  InplaceButton* swatches_[colorbar::kSwatchCount] = {};
  InplaceButton* size_button_ = nullptr;
  InplaceButton* font_button_ = nullptr;
  InplaceButton* bold_button_ = nullptr;
  InplaceButton* italic_button_ = nullptr;
  textbar::Layout layout_;
  // The bar's own pictures: 1048 panel, 1049 toggle frames, 1050 font glyph, 1051 bold glyph,
  // 1052 italic glyph. The drop buttons' frames are the shared image set's.
  ScopedBitmap panel_, toggle_frames_, font_glyph_, bold_glyph_, italic_glyph_;
  bool bitmaps_loaded_ = false;
  // The size label's font: "arial", 12 pixels.
  ScopedFont label_font_;
  LOGFONTW template_font_ = {};
  BarDrag drag_;
  std::unique_ptr<CInternalHeightComboBox> size_list_;
  CInternalFontComboBox font_list_{this};
};
