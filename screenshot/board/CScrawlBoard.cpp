// CScrawlBoard: attaching and detaching, the layers and what they show, the tool and the pen
// style, composing, and the message map.
#include "screenshot/board/CScrawlBoard.h"

#include <windowsx.h>

#include "resource.h"
#include "screenshot/base/message_map.h"
#include "screenshot/base/tool_commands.h"
#include "screenshot/board/CInplaceEditBox.h"
#include "screenshot/board/CScrawlBoard_objects.h"
#include "screenshot/board/CScrawlBoard_records.h"
#include "screenshot/board/shape_geometry.h"
#include "screenshot/diagnostics/debug_log_win.h"
#include "screenshot/ui/layered_paint_win.h"

CScrawlBoard::CScrawlBoard()
    : default_font_(DefaultTextFont()),
      text_font_(default_font_),
      records_(&CBaseRecord::kEditBoxFamily) {}

CScrawlBoard::~CScrawlBoard() { Detach(); }

void CScrawlBoard::OnLayersChanged(HBITMAP, HBITMAP, HBITMAP) {}
void CScrawlBoard::OnCaretChanged(const RECT*, BOOL) {}
void CScrawlBoard::OnBoardEvent(int) {}
void CScrawlBoard::OnStyleTarget(int) {}
void CScrawlBoard::OnContextMenu(POINT) {}
void CScrawlBoard::OnTextEditing(BOOL) {}

// ---- lifecycle ---------------------------------------------------------------------------------

BOOL CScrawlBoard::Attach(int x, int y, int width, int height, HWND host, const PixelView& screen) {
  Detach();
  if (width <= 0 || height <= 0 || !host) return FALSE;
  if (!background_.Create(width, height) || !overlay_.Create(width, height) ||
      !hover_.Create(width, height)) {
    diag::Log(diag::kLogError, L"CreateDIBSection [board %dx%d] Failed [%08X]", width, height,
              ::GetLastError());
    background_.Destroy();
    overlay_.Destroy();
    hover_.Destroy();
    return FALSE;
  }
  x_ = x, y_ = y, width_ = width, height_ = height;
  host_ = host;
  screen_ = screen;
  tool_ = kToolNone;
  creating_ = manip_mode_ = hit_code_ = not_moved_yet_ = tool_at_press_ = 0;
  brush_.clear();
  RebuildBackground();
  return TRUE;
}

BOOL CScrawlBoard::Detach() {
  if (IsDetached()) return FALSE;
  StopDragging();
  if (text_box_) {
    CloseTextBox(true, false);
    text_box_.reset();  // its hidden windows with it
  }
  selected_.Reset();
  editing_.Reset();
  hovered_.Reset();
  context_.Reset();
  // Every record first (a creation record frees its object), then the objects left.
  DiscardChain(records_.TakeAll());
  while (ObjectCore* o = objects_.head()) {
    objects_.Unlink(o);
    static_cast<CObjectBase*>(o)->Release();
  }
  background_.Destroy();
  overlay_.Destroy();
  hover_.Destroy();
  host_ = nullptr;
  screen_ = PixelView{};
  width_ = height_ = 0;
  brush_.clear();
  return TRUE;
}

void CScrawlBoard::LoadFrameBitmaps(HINSTANCE module) {
  if (frames_loaded_) return;
  frames_loaded_ = true;
  for (int i = 0; i < 6; ++i) {
    const UINT id = IDB_TEXTBOX_CORNER + i;
    frame_bitmaps_[i].Reset(LoadPremultipliedBitmap(module, id));
    if (!frame_bitmaps_[i])
      diag::Log(diag::kLogError, L"LoadImage [%u] Failed [%08X]", id, ::GetLastError());
  }
}

// ---- what is shown -----------------------------------------------------------------------------

void CScrawlBoard::RebuildBackground(const CObjectBase* skip) {
  if (!background_.ok()) return;
  CopyScreenInto(background_);
  for (ObjectCore* c = objects_.head(); c; c = c->next)
    if (c->IsLive() && c != skip) static_cast<CObjectBase*>(c)->Draw(this, background_);
}

void CScrawlBoard::CopyScreenInto(BoardLayer& layer) const {
  layer.Flush();
  const PixelView& dst = layer.pixels();
  const Rect src = Intersection(Rect{x_, y_, x_ + width_, y_ + height_}, screen_.Bounds());
  for (int y = 0; y < height_; ++y) {
    uint32_t* row = dst.Row(y);
    const bool in_rows = screen_.top_row && y_ + y >= src.top && y_ + y < src.bottom;
    const uint32_t* from = in_rows ? screen_.Row(y_ + y) : nullptr;
    for (int x = 0; x < width_; ++x) {
      const int sx = x_ + x;
      row[x] = from && sx >= src.left && sx < src.right ? (from[sx] | 0xFF000000u) : 0xFF000000u;
    }
  }
}

void CScrawlBoard::Notify(bool overlay, bool hover) {
  if (IsDetached()) return;
  background_.Flush();
  overlay_.Flush();
  hover_.Flush();
  ::GdiFlush();
  OnLayersChanged(background_.bitmap(), overlay ? overlay_.bitmap() : nullptr,
                  hover ? hover_.bitmap() : nullptr);
}

void CScrawlBoard::ShowSelected(CObjectBase* o) {
  RebuildBackground(o);
  overlay_.Clear();
  o->DrawSelected(this, overlay_);
  Notify(true, false);
}

void CScrawlBoard::Refresh() {
  if (IsDetached()) return;
  if (IsTextEditing()) {
    RebuildBackground(editing_.get());
    text_box_->Redraw();
    return;
  }
  CObjectBase* s = selected_.get();
  if (tool_ == kToolSelect && s) {
    ShowSelected(s);
  } else {
    // Every other tool (the text box and mosaic add their own cases) shows the settled objects.
    RebuildBackground();
    Notify(false, false);
  }
}

bool CScrawlBoard::HasLiveObjects() const { return !IsDetached() && objects_.HasLive(); }

void CScrawlBoard::Compose(HDC dc) {
  if (IsDetached() || !dc || width_ <= 0 || height_ <= 0) return;
  BoardLayer layer;
  if (!layer.Create(width_, height_)) {
    diag::Log(diag::kLogError, L"CreateDIBSection [compose %dx%d] Failed [%08X]", width_, height_,
              ::GetLastError());
    return;
  }
  // A mosaic blurs what lies under it in drawing order. The background cannot stand for that
  // here: it holds the newer objects too (and lacks a selected one), which would bleed into the
  // blocks of the copy. So mosaics blur `under`, the screen with the objects drawn so far.
  BoardLayer under;
  mosaic_source_ = PrepareMosaicSource(under);
  for (ObjectCore* c = objects_.head(); c; c = c->next) {
    if (!c->IsLive()) continue;
    static_cast<CObjectBase*>(c)->Draw(this, layer);
    if (mosaic_source_) static_cast<CObjectBase*>(c)->Draw(this, under);
  }
  mosaic_source_ = nullptr;
  layer.Flush();
  if (IsTextEditing()) text_box_->ComposeInto(layer.pixels());
  ScopedDC mem(::CreateCompatibleDC(dc));
  ScopedSelectObject selected(mem.get(), layer.bitmap());
  const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ::AlphaBlend(dc, 0, 0, width_, height_, mem.get(), 0, 0, width_, height_, blend);
  ::GdiFlush();
}

CScrawlBoard::CObjectBase* CScrawlBoard::first_object() const {
  return static_cast<CObjectBase*>(objects_.head());
}

CScrawlBoard::CObjectBase* CScrawlBoard::selected() const { return selected_.get(); }
CScrawlBoard::CObjectBase* CScrawlBoard::hovered() const { return hovered_.get(); }
CScrawlBoard::CObjectBase* CScrawlBoard::context_object() const { return context_.get(); }

// ---- tool and pen style ------------------------------------------------------------------------

int CScrawlBoard::SetTool(int tool) {
  if (tool == kToolSelect) return tool_;
  const int old = tool_;
  // Leaving the text tool keeps what the open box holds.
  if (old == kToolText && tool != kToolText && IsTextEditing()) CloseTextBox(false, true);
  const bool shown = selected_.get() || hovered_.get();
  hovered_.Reset();
  selected_.Reset();
  if (old == kToolSelect && shown && !IsDetached()) {
    // The selection (and a hover) leave the screen with the mode.
    StopDragging();
    RebuildBackground();
    Notify(false, false);
  }
  tool_ = tool;
  return old;
}

int CScrawlBoard::GetStyleKind() const {
  const CObjectBase* s = selected_.get();
  if (tool_ != kToolSelect || !s) return 0;
  return s->kind >= kObjectRectangle && s->kind <= kObjectText ? s->kind : 0;
}

CScrawlBoard::CPenObject* CScrawlBoard::RestylableSelection() const {
  CObjectBase* s = selected_.get();
  if (IsDetached() || tool_ != kToolSelect || !s || !IsPenTool(s->kind) || manip_mode_)
    return nullptr;
  return static_cast<CPenObject*>(s);
}

int CScrawlBoard::SetPenWidth(int pixels) {
  const int old = pen_width_;
  pen_width_ = ClampPenWidth(pixels);
  if (CPenObject* o = RestylableSelection()) {
    auto* record = new CRecordSetPenWidth(o, o->width, pen_width_);
    o->width = pen_width_;
    Push(record);
    o->hit_mask.Clear();
    overlay_.Clear();
    o->DrawSelected(this, overlay_);
    Notify(true, false);
  }
  return old;
}

COLORREF CScrawlBoard::SetPenColor(COLORREF color) {
  const COLORREF old = pen_color_;
  pen_color_ = color & 0xFFFFFF;
  if (CPenObject* o = RestylableSelection()) {
    auto* record = new CRecordSetColor(o, ColorrefOfArgb(o->color), pen_color_);
    o->color = ArgbOfColorref(pen_color_);
    Push(record);
    overlay_.Clear();
    o->DrawSelected(this, overlay_);
    Notify(true, false);
  }
  return old;
}

int CScrawlBoard::SetDashStyle(int style) {
  const int old = dash_style_;
  dash_style_ = ClampDashStyle(style);
  if (CPenObject* o = RestylableSelection()) {
    auto* record = new CRecordSetDashStyle(o, o->dash, dash_style_);
    o->dash = dash_style_;
    Push(record);
    overlay_.Clear();
    o->DrawSelected(this, overlay_);
    Notify(true, false);
  }
  return old;
}

void CScrawlBoard::TakeStyleOf(const CObjectBase* o) {
  if (!o || !IsPenTool(o->kind)) return;
  const auto* shape = static_cast<const CPenObject*>(o);
  pen_width_ = shape->width;
  dash_style_ = shape->dash;
  pen_color_ = ColorrefOfArgb(shape->color);
}

StrokeStyle CScrawlBoard::CurrentPen() const {
  return StrokeStyle{pen_width_, dash_style_, ArgbOfColorref(pen_color_)};
}

void CScrawlBoard::SelectIfSelectMode(CObjectBase* o) {
  if (tool_ == kToolSelect) selected_.Reset(o);
}

// ---- mouse -------------------------------------------------------------------------------------

BOOL CScrawlBoard::ProcessMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                                  LRESULT& lResult, DWORD) {
  (void)hWnd;
  if (IsDetached()) return FALSE;
  BOOL bHandled = TRUE;
  MESSAGE_HANDLER(WM_SETCURSOR, OnSetCursor)
  MESSAGE_HANDLER(WM_MOUSEMOVE, OnHoverMove)
  bHandled = TRUE;
  lResult = OnTextBoxMessage(uMsg, wParam, lParam, bHandled);
  if (bHandled) return TRUE;
  MESSAGE_HANDLER(WM_LBUTTONDOWN, OnLButtonDown)
  MESSAGE_HANDLER(WM_RBUTTONDOWN, OnRButtonDown)
  MESSAGE_HANDLER(WM_MOUSEMOVE, OnDrag)
  MESSAGE_HANDLER(WM_LBUTTONUP, OnLButtonUp)
  MESSAGE_HANDLER(WM_CAPTURECHANGED, OnCaptureChanged)
  return FALSE;
}

Point CScrawlBoard::BoardPoint(LPARAM lParam) const {
  return Point{GET_X_LPARAM(lParam) - x_, GET_Y_LPARAM(lParam) - y_};
}

Point CScrawlBoard::CursorBoardPoint() const {
  CURSORINFO ci = {sizeof(ci)};
  POINT p = {};
  if (::GetCursorInfo(&ci)) p = ci.ptScreenPos;
  ::ScreenToClient(host_, &p);
  return Point{p.x - x_, p.y - y_};
}

CScrawlBoard::CObjectBase* CScrawlBoard::TopmostHit(Point p, const CObjectBase* except) const {
  return static_cast<CObjectBase*>(objects_.TopmostLive(
      [p](ObjectCore* o) { return static_cast<CObjectBase*>(o)->HitTestBody(p.x, p.y, 0) != 0; },
      except));
}

void CScrawlBoard::ReleaseMouse() {
  if (host_ && ::GetCapture() == host_) ::ReleaseCapture();
}

void CScrawlBoard::StopDragging() {
  if (!creating_ && !manip_mode_) return;
  // Cleared first: the capture change that ReleaseCapture sends finds no drag to end.
  creating_ = manip_mode_ = not_moved_yet_ = 0;
  brush_.clear();
  overlay_.Clear();
  hover_.Clear();
  ReleaseMouse();
}

LRESULT CScrawlBoard::OnLButtonDown(UINT, WPARAM, LPARAM lParam, BOOL&) {
  const Point p = BoardPoint(lParam);
  if (IsPenTool(tool_) || tool_ == kToolMosaic)
    StartCreating(p);
  else if (tool_ == kToolSelect)
    SelectPress(p);
  // The text tool's presses went to the text box's handling before this one. Every press is the
  // board's: the selection stays where it is while the board is attached.
  return 0;
}

LRESULT CScrawlBoard::OnDrag(UINT, WPARAM, LPARAM lParam, BOOL& bHandled) {
  if (creating_)
    DragCreating(BoardPoint(lParam));
  else if (manip_mode_)
    DragSelected(BoardPoint(lParam));
  else if (tool_ != kToolSelect)
    bHandled = FALSE;
  return 0;
}

LRESULT CScrawlBoard::OnLButtonUp(UINT, WPARAM, LPARAM lParam, BOOL& bHandled) {
  if (creating_)
    FinishCreating(BoardPoint(lParam));
  else if (manip_mode_)
    FinishManipulation(BoardPoint(lParam));
  else
    bHandled = FALSE;
  return 0;
}

LRESULT CScrawlBoard::OnCaptureChanged(UINT, WPARAM, LPARAM, BOOL& bHandled) {
  if (creating_)
    AbandonCreating();
  else if (manip_mode_)
    AbandonManipulation();
  else
    bHandled = FALSE;
  return 0;
}
