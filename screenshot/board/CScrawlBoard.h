// CScrawlBoard: the annotation board over the selected region of the frozen screen.
//
// It owns the drawn objects (rectangles, ellipses, arrows, free-hand lines, text, mosaic
// regions), three drawing layers the size of the selection, the undo list and the pen style for
// new shapes. The capture window owns one board through its subclass
// CScreenSnapshotTool::CMyBoard: it attaches the board to the selection at the first stroke,
// passes the overlay's messages through ProcessMessage, calls the command operations below and
// overrides the seven notifications.
//
// Board coordinates: pixel (0, 0) is the selection's top-left pixel; a point in the host's
// client coordinates becomes a board point by subtracting the origin.
//
// Layers (top-down 32-bpp DIB sections, premultiplied alpha, the selection's size):
//   background: the frozen screen under the selection, opaque, with every settled live object
//               drawn on it (rebuilt by drawing every live object, optionally but one);
//   overlay:    transparent but for the object being made, moved or the selected one;
//   hover:      transparent but for the hovered object.
// What the user sees is the background with the other two blended over it, as each
// OnLayersChanged says.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "screenshot/base/geometry.h"
#include "screenshot/base/ScopedWin.h"
#include "screenshot/board/board_paint_win.h"
#include "screenshot/board/board_types.h"
#include "screenshot/board/object_core.h"
#include "screenshot/board/record_list.h"

class CScrawlBoard {
 public:
  // Drawn objects (CScrawlBoard_objects.h; the text object with the text box, below).
  class CObjectBase;
  class CPenObject;
  class CObjectRectangle;
  class CObjectEllipse;
  class CObjectArrow;
  class CObjectPolyline;
  class CObjectMasaiKe;  // CScrawlBoard_mosaic.h
  // Undo records (CScrawlBoard_records.h; the text records with the text box, below).
  class CBaseRecord;
  class CRecordNewObject;
  class CRecordRectangle;
  class CRecordEllipse;
  class CRecordArrow;
  class CRecordPolyline;
  class CRecordDeleteObject;
  class CRecordSetPenWidth;
  class CRecordSetColor;
  class CRecordSetDashStyle;
  class CRecordSetRectangle;
  class CRecordOffsetObject;
  class CRecordMasaiKe;  // CScrawlBoard_mosaic.h

  // The text box and its text (CInplaceEditBox.h, CScrawlBoard_text.h).
  class CInplaceEditBox;
  class CObjectText;
  class CRecordText;
  class CRecordChangeObjectText;
  class CRecordOffsetTextBox;
  class CEditBoxRecordBase;
  class CEditBoxRecordBeginEdit;
  class CEditBoxRecordOnChar;
  class CEditBoxRecordTextColor;
  class CEditBoxRecordTextFont;
  class CEditBoxRecordTextBoxPos;

  CScrawlBoard();

  // ---- notifications, in slot order; the board's own versions do nothing ----
  // After every change of what is shown: the host copies `background` over the selection and
  // blends `overlay` and then `hover` over it (each may be null: not shown). The bitmaps stay
  // the board's; the host reads them during the call.
  virtual void OnLayersChanged(HBITMAP background, HBITMAP overlay, HBITMAP hover);
  // The text caret (board coordinates; null: none) blinked or went away; the host shows it.
  virtual void OnCaretChanged(const RECT* caret, BOOL visible);
  // kBoardEventUndo / kBoardEventRedo: whether undo or redo is possible may have changed; the
  // host asks CanUndo or CanRedo and updates its buttons.
  virtual void OnBoardEvent(int event);
  // The object whose style the bars should show changed: 1-4 a shape (the pen style now holds
  // its style), 5 text, 0 none.
  virtual void OnStyleTarget(int kind);
  // The right button was pressed at `screen`: the host shows its menu and runs the chosen
  // command before returning (it may call any operation, Detach included).
  virtual void OnContextMenu(POINT screen);
  // The in-place text box opened (TRUE) or closed (FALSE).
  virtual void OnTextEditing(BOOL active);
  // Detaches.
  virtual ~CScrawlBoard();
  // An input-method composition in the text box began (TRUE) or ended (FALSE): Esc belongs to
  // the input method meanwhile, to cancel the composition, and must not end the capture.
  virtual void OnComposing(BOOL active);
  CScrawlBoard(const CScrawlBoard&) = delete;
  CScrawlBoard& operator=(const CScrawlBoard&) = delete;

  // ---- lifecycle ----
  // Lays the board over width x height pixels at (x, y) of `host`'s client area, whose pixels
  // are those of `screen` (the frozen picture, kept by the caller while attached): tool 0, no
  // drag, the three layers made and the background built. Attaching an attached board starts
  // over. FALSE, and detached, when the size is not positive or a layer cannot be made.
  BOOL Attach(int x, int y, int width, int height, HWND host, const PixelView& screen);
  // Ends any drag, drops every reference, discards every record, then every object, and frees
  // the layers. TRUE when it was attached.
  BOOL Detach();
  // Loads the pictures of the board's frames and knobs from `module` (the first call only).
  void LoadFrameBitmaps(HINSTANCE module);
  bool IsDetached() const { return host_ == nullptr; }
  // The cursor shown over the board while a drawing tool is chosen (default: the system cross).
  void SetCrossCursor(HCURSOR cursor) { cross_cursor_ = cursor; }

  // ---- tool and style (kept while detached too) ----
  // Any tool but select: drops the hover and the selection (shown again without it) and
  // answers the previous tool. Asking for select only answers the current tool: SelectNext.
  int SetTool(int tool);
  int GetTool() const { return tool_; }
  // The kind the style bars should show: the selected object's (1-5) in select mode, else 0.
  int GetStyleKind() const;
  // Select mode, and the next live object after the selected one (wrapping) becomes selected;
  // answers the previous tool. A detached board only takes the tool.
  int SelectNext();
  // The pen for new shapes; in select mode the selected shape takes the value too, as one undo
  // step. Width clamped to 1..32; dash styles other than 0..4 are solid. Answer the previous.
  int SetPenWidth(int pixels);
  COLORREF SetPenColor(COLORREF color);
  int SetDashStyle(int style);
  int GetPenWidth() const { return pen_width_; }
  COLORREF GetPenColor() const { return pen_color_; }
  int GetDashStyle() const { return dash_style_; }
  POINT GetOrigin() const { return POINT{x_, y_}; }
  // The font of new text (null: the board's default font). While the text box is open it takes
  // the font at once, as one undo step; closed, only the board's text font changes.
  void SetTextFont(const LOGFONTW* font);
  LOGFONTW GetTextFont() const { return text_font_; }
  // The text colour and the text box's second (background) colour. A second colour of
  // CLR_INVALID only asks: nothing changes. Otherwise both are kept and, while the box is open,
  // shown at once as one undo step. Answers the previous text colour.
  COLORREF SetTextColors(COLORREF color, COLORREF second);
  COLORREF GetTextColor() const { return text_color_; }
  COLORREF GetTextSecondColor() const { return text_second_; }
  // What SetTextFont(null) gives: the GUI font, 7 points wide at the screen's resolution and
  // twice that high, "MS Gothic".
  const LOGFONTW& default_text_font() const { return default_font_; }

  // ---- commands ----
  // The delete target: the right-clicked object under a drawing tool (while its menu runs), the
  // selected object in select mode; none under the mosaic tool.
  bool CanDelete() const;
  void Delete();
  bool CanUndo() const;
  bool CanRedo() const;
  void Undo();
  void Redo();
  // Rebuilds the background and shows the layers again for the current tool.
  void Refresh();
  // Whether the in-place text box is open.
  bool IsTextEditing() const;
  // Whether any object would be drawn by Compose.
  bool HasLiveObjects() const;
  // Blends every live object, in drawing order, onto `dc` at (0, 0) (the board's size); the
  // caller has put its own copy of the screen there first.
  void Compose(HDC dc);

  // The board's message map: the capture window offers it every message of its overlay (as
  // CHAIN_MSG_MAP_MEMBER does) while the board is attached. TRUE when consumed, with the
  // result in `lResult`.
  BOOL ProcessMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                      DWORD dwMsgMapID = 0);

  // ---- what tests and benchmarks look at ----
  Size size() const { return Size{width_, height_}; }
  CObjectBase* first_object() const;
  CObjectBase* selected() const;
  CObjectBase* hovered() const;
  CObjectBase* context_object() const;
  CBaseRecord* first_record() const;
  CBaseRecord* current_record() const;
  const BoardLayer& background_layer() const { return background_; }
  const BoardLayer& overlay_layer() const { return overlay_; }
  const BoardLayer& hover_layer() const { return hover_; }
  // The text box (null until the text tool first opens it).
  CInplaceEditBox* text_box() const { return text_box_.get(); }

 private:
  // Mouse handlers (CScrawlBoard_create.cpp, CScrawlBoard_select.cpp).
  LRESULT OnSetCursor(UINT, WPARAM, LPARAM, BOOL& bHandled);
  LRESULT OnHoverMove(UINT, WPARAM, LPARAM lParam, BOOL& bHandled);
  LRESULT OnLButtonDown(UINT, WPARAM, LPARAM lParam, BOOL& bHandled);
  LRESULT OnRButtonDown(UINT, WPARAM, LPARAM lParam, BOOL& bHandled);
  LRESULT OnDrag(UINT, WPARAM, LPARAM lParam, BOOL& bHandled);
  LRESULT OnLButtonUp(UINT, WPARAM, LPARAM lParam, BOOL& bHandled);
  LRESULT OnCaptureChanged(UINT, WPARAM, LPARAM, BOOL& bHandled);

  // Drawing tools: a new object dragged out.
  void StartCreating(Point p);
  void DragCreating(Point p);
  void FinishCreating(Point p);
  void AbandonCreating();
  // The mosaic tool (CScrawlBoard_mosaic.cpp): the blurred preview of a drag on the overlay, with
  // its frame (false: nothing to show); the region a release makes, drawn on the background
  // already, as its creation record (null: none).
  bool PreviewMosaic(Point p);
  CBaseRecord* CreateMosaic(Point p);
  // Blurs `r` of what lies under it (mosaic_source_) into `target`, with the dashed frame round
  // it when `frame`; false when nothing was drawn.
  bool Pixelate(BoardLayer& target, const Rect& r, bool frame);
  // A mosaic's hover and selected look: `r` of `target` made what the screen shows there with
  // every live object in place (the blocks, the newer objects sharp over them).
  void DrawSettledMosaic(BoardLayer& target, const Rect& r);
  // For Compose: `under` made the frozen screen when a live mosaic is to be drawn (the source its
  // objects are then drawn onto one by one), else null.
  BoardLayer* PrepareMosaicSource(BoardLayer& under);
  // Select mode.
  void TrackHover(Point p);
  // Makes `o` (null: none) the hovered object, drawn on the hover layer and shown, when it is
  // not already.
  void SetHover(CObjectBase* o);
  void SelectPress(Point p);
  void DragSelected(Point p);
  void FinishManipulation(Point p);
  void AbandonManipulation();
  // Shows `o` at the geometry a drag by (dx, dy) would give it, without keeping it.
  void ShowWouldBe(CObjectBase* o, int dx, int dy);
  // Keeps the geometry a drag by (dx, dy) gives `o`, with its undo record.
  void CommitDrag(CObjectBase* o, int dx, int dy);

  // Shared steps (CScrawlBoard.cpp).
  Point BoardPoint(LPARAM lParam) const;
  Point CursorBoardPoint() const;
  bool OnBoard(Point p) const { return p.x >= 0 && p.x < width_ && p.y >= 0 && p.y < height_; }
  StrokeStyle CurrentPen() const;
  // The topmost live object other than `except` whose body (not wide) holds p.
  CObjectBase* TopmostHit(Point p, const CObjectBase* except) const;
  // The frozen screen with every live object but `skip` drawn on it.
  void RebuildBackground(const CObjectBase* skip = nullptr);
  // The frozen screen under the board, opaque, into `layer` (black where the board reaches past
  // the screen).
  void CopyScreenInto(BoardLayer& layer) const;
  void Notify(bool overlay, bool hover);
  // `o` becomes the selection as shown: the background without it, the overlay with it drawn
  // selected; notified.
  void ShowSelected(CObjectBase* o);
  // The pen style takes a shape's width, dash and colour.
  void TakeStyleOf(const CObjectBase* o);
  // The selected shape a style change applies to, or null.
  CPenObject* RestylableSelection() const;
  void SelectIfSelectMode(CObjectBase* o);
  void ReleaseMouse();
  // Ends a drag of either kind at once, keeping nothing of it: for commands that change the
  // objects or the tool while the mouse is down.
  void StopDragging();

  // Records (CScrawlBoard_records.cpp).
  void Push(CBaseRecord* record);
  void DiscardChain(RecordLink* chain);
  void RefreshAfterUndoRedo();

  // The text box (CScrawlBoard_text_board.cpp): made on first use; closed keeping (discard
  // false) or dropping its text; its records dropped at close (true when there were any); the
  // object a text-box record is about (the selection in select mode); the frame pictures; the
  // composition state that OnComposing reports.
  CInplaceEditBox* TextBox();
  CObjectText* CloseTextBox(bool discard, bool redraw);
  bool DropTextBoxRecords();
  CObjectBase* EditRecordObject() const;
  const HBITMAP* TextFrames();
  void ComposingChanged(bool composing);
  LRESULT OnTextBoxMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  void TextPress(Point p);
  void UndoTextBox();
  void RedoTextBox(CBaseRecord* record);

  int x_ = 0, y_ = 0, width_ = 0, height_ = 0;
  HWND host_ = nullptr;
  PixelView screen_;
  int tool_ = 0;
  int pen_width_ = 2;
  int dash_style_ = 0;
  COLORREF pen_color_ = 0x0000FF;  // red

  // Text style (CScrawlBoard_text_style.cpp): the font of new text and the handle made from it
  // (made when first needed), the text colour and the box's second colour.
  LOGFONTW default_font_ = {};
  LOGFONTW text_font_ = {};
  ScopedFont text_font_handle_;
  COLORREF text_color_ = 0x0000FF;
  COLORREF text_second_ = 0xFFFFFF;
  static LOGFONTW DefaultTextFont();
  // The handle of text_font_, made (from the default when the font cannot be made) if needed.
  HFONT TextFontHandle();

  ObjectList objects_;
  WeakRef<CObjectBase> selected_, editing_, hovered_, context_;
  RecordList records_;

  // Mouse tracking.
  int creating_ = 0;
  int manip_mode_ = 0;  // 1: a handle of the selected object; 2: an object this press selected
  int hit_code_ = 0;
  int not_moved_yet_ = 0;
  int tool_at_press_ = 0;
  Point press_, last_;
  std::vector<Point> brush_;

  BoardLayer background_, overlay_, hover_;
  // What a mosaic blurs: what lies under it in drawing order. The background is that while it is
  // rebuilt object by object (null); Compose points it at a layer of its own.
  BoardLayer* mosaic_source_ = nullptr;
  ScopedBitmap frame_bitmaps_[6];  // 1061..1066: text box frame, arrow end knob
  bool frames_loaded_ = false;
  HCURSOR cross_cursor_ = nullptr;
  std::unique_ptr<CInplaceEditBox> text_box_;
  HBITMAP text_frames_[5] = {};
  bool composing_ = false;
};
