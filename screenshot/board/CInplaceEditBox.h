// CScrawlBoard::CInplaceEditBox: the text tool's in-place editor. No visible control: the board
// draws the text, the frame and the composition onto its overlay and the host draws the caret
// (OnCaretChanged). A hidden "edit" window holds the keyboard focus and the input-method context
// (CEditProxy), a message-only "static" window the caret timer and the posted redraw
// (CMouseProxy); both hand their messages to the box.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "screenshot/base/CWindowBase.h"
#include "screenshot/board/CScrawlBoard_text.h"

// The input-method calls the box makes, so that tests can stand in for an input method.
class TextBoxIme {
 public:
  virtual ~TextBoxIme() = default;
  // IME_PROP_* of the thread's keyboard layout.
  virtual DWORD Properties();
  // A GCS_* part of the composition of `edit`'s context: bytes as the input method gives them.
  virtual std::vector<BYTE> Part(HWND edit, DWORD part);
  virtual void Cancel(HWND edit);
  virtual void SetFont(HWND edit, const LOGFONTW& font);
  // Places the composition window (CFS_POINT with its area) and the candidate window.
  virtual void Place(HWND edit, POINT caret, const RECT& area);
  virtual void Exclude(HWND edit, int index, const RECT& area);
};
// The input method the box talks to: the system's, or a stand-in a test set.
TextBoxIme& TextBoxImeInUse();

class CScrawlBoard::CInplaceEditBox {
 public:
  class CEditProxy;
  class CMouseProxy;
  static constexpr UINT kRedrawMessage = WM_USER;
  static constexpr UINT_PTR kCaretTimer = 1000;

  explicit CInplaceEditBox(CScrawlBoard* board);
  ~CInplaceEditBox();
  CInplaceEditBox(const CInplaceEditBox&) = delete;
  CInplaceEditBox& operator=(const CInplaceEditBox&) = delete;

  bool IsOpen() const { return open_; }
  // A new box at `p` (clamped 8/6 pixels inside the board) with the board's font and colours.
  void OpenNew(Point p);
  // The box on an existing text object, its content copied in.
  void OpenOn(CObjectText* o);
  // Closes the box: kept (discard false), new text becomes an object with its creation record
  // and edits of an object one change record; discarded, nothing is kept. Answers the object
  // made or edited, or null.
  CObjectText* Close(bool discard, bool redraw);
  // Draws the open box onto the board's overlay (cleared first) and notifies.
  void Redraw();
  // The box's messages (from the host and the hidden windows). TRUE when consumed.
  BOOL ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // The hit code of a board point: 1 text, 2 grip, 10..17 edges; 0 off the box.
  int HitTest(Point p) const;
  void SetCursorFor(int code) const;
  // The box's font while open, with its record; the box's colours (from the board) changed.
  void ChangeFont(const LOGFONTW& font, bool record);
  void ColorsChanged();
  // Ends a drag of the box at once, keeping nothing of it (for commands that change the box or
  // the records while the mouse is down).
  void CancelDrag();
  // Puts a pending composition in as typed text.
  void CommitComposition();
  bool composing() const { return !comp_.empty(); }
  // The content draws the box at in Compose: the cells as laid out, at the box's place.
  void ComposeInto(const PixelView& target);

  // What records put back and what tests look at.
  const TextContent& content() const { return text_; }
  void SetContent(const TextContent& c);
  CEditBoxRecordTextBoxPos::Place place() const { return {origin_, box_rect_, box_size_}; }
  void SetPlace(const CEditBoxRecordTextBoxPos::Place& p);
  const Rect& box_rect() const { return box_rect_; }
  Point origin() const { return origin_; }
  bool resizable() const { return resizable_; }
  HWND edit_window() const { return edit_; }
  HWND timer_window() const { return timer_; }
  int line_height() const { return line_height_; }
  const LOGFONTW& font() const { return font_; }
  // Stands in for the input method (null: the system's), for tests.
  static void SetIme(TextBoxIme* ime);

 private:
  // CInplaceEditBox_input.cpp
  LRESULT OnKeyDown(WPARAM key);
  LRESULT OnChar(WPARAM ch);
  void Edit(TypingKind kind, uint16_t code);
  bool OnMouse(UINT msg, Point p);
  void StartDrag(int mode, Point p);
  void DragTo(Point p);
  void OnTimer();
  void OnKillFocus();
  void ShowCaret(bool restart);
  void HideCaret();
  void Focus();
  // CInplaceEditBox_ime.cpp
  bool OnImeMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void ReadComposition(LPARAM parts);
  void InsertResult();
  void CancelComposition();
  void PlaceImeWindows();
  // CInplaceEditBox.cpp
  void CreateWindows();
  HFONT Font();
  void Measure(std::vector<TextCell>& cells);
  Rect Limit() const;
  std::vector<TextCell> Display() const;
  void DrawEmpty();
  void DrawLaidOut();
  Size Available() const;
  void PostRedraw();

  CScrawlBoard* board_;
  HWND edit_ = nullptr, timer_ = nullptr;
  std::unique_ptr<CEditProxy> edit_proxy_;
  std::unique_ptr<CMouseProxy> mouse_proxy_;
  bool open_ = false;
  Point origin_;
  Size box_size_;
  Rect box_rect_;
  bool resizable_ = false;
  LOGFONTW font_ = {};
  ScopedFont font_handle_;
  int line_height_ = 0;
  Size caret_size_;
  TextContent text_;
  TextLayout layout_;
  CaretSpot caret_;
  int caret_height_ = 0;
  bool blink_on_ = false, timer_running_ = false;
  bool edited_ = false;  // any edit since the box opened
  // The composition: its cells, attributes, clause offsets and cursor.
  std::vector<TextCell> comp_;
  std::vector<uint8_t> comp_attrs_;
  std::vector<int> comp_clauses_;
  int comp_cursor_ = 0;
  std::vector<Rect> exclusions_;
  // Dragging the box.
  int drag_mode_ = 0;
  Point drag_press_;
  Rect drag_rect_;
  std::unique_ptr<CEditBoxRecordTextBoxPos> drag_record_;
  bool drawing_ = false, in_candidate_ = false, redraw_posted_ = false;
};

// The invisible edit window: keys, characters, the focus and the input method's messages go to
// the box; what it leaves goes to the edit control.
class CScrawlBoard::CInplaceEditBox::CEditProxy : public CWindowBase {
 public:
  explicit CEditProxy(CInplaceEditBox* box) : box_(box) {}
  BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result,
                            DWORD id) override;

 private:
  CInplaceEditBox* box_;
};

// The message-only window: the caret timer and the posted redraw go to the box.
class CScrawlBoard::CInplaceEditBox::CMouseProxy : public CWindowBase {
 public:
  explicit CMouseProxy(CInplaceEditBox* box) : box_(box) {}
  BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result,
                            DWORD id) override;

 private:
  CInplaceEditBox* box_;
};
