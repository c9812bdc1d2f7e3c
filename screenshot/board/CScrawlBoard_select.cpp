// CScrawlBoard: select mode (hover, select, move, resize), the cursor, the right button's
// context object, delete and select next.
#include "screenshot/base/tool_commands.h"
#include "screenshot/board/CScrawlBoard.h"
#include "screenshot/board/CInplaceEditBox.h"
#include "screenshot/board/CScrawlBoard_objects.h"
#include "screenshot/board/CScrawlBoard_records.h"
#include "screenshot/board/shape_geometry.h"

namespace {

void SetSystemCursor(LPCWSTR id) { ::SetCursor(::LoadCursorW(nullptr, id)); }

}  // namespace

// ---- hover and cursor --------------------------------------------------------------------------

void CScrawlBoard::SetHover(CObjectBase* o) {
  if (o == hovered_.get()) return;
  hovered_.Reset(o);
  if (o) {
    hover_.Clear();
    o->DrawHover(this, hover_);
  }
  Notify(selected_.get() != nullptr, o != nullptr);
}

void CScrawlBoard::TrackHover(Point p) {
  CObjectBase* h = hovered_.get();
  if (h && h->IsLive() && h->HitTestBody(p.x, p.y, 1)) return;  // the looser test keeps it
  CObjectBase* s = selected_.get();
  if (s && s->HitTestHandles(p.x, p.y)) {
    SetHover(nullptr);  // the selected object's handles come first
    return;
  }
  SetHover(TopmostHit(p, s));
}

LRESULT CScrawlBoard::OnHoverMove(UINT, WPARAM, LPARAM lParam, BOOL& bHandled) {
  if (tool_ != kToolSelect || creating_ || manip_mode_) {
    bHandled = FALSE;
    return 0;
  }
  TrackHover(BoardPoint(lParam));
  return 0;
}

LRESULT CScrawlBoard::OnSetCursor(UINT, WPARAM, LPARAM, BOOL&) {
  if (creating_ || manip_mode_) {
    SetSystemCursor(IDC_ARROW);
    return TRUE;
  }
  const Point p = CursorBoardPoint();
  if (const int code = IsTextEditing() ? text_box_->HitTest(p) : 0) {
    text_box_->SetCursorFor(code);  // the open text box's own cursor
    return TRUE;
  }
  if (tool_ != kToolSelect) {
    if (OnBoard(p) && cross_cursor_)
      ::SetCursor(cross_cursor_);
    else
      SetSystemCursor(OnBoard(p) ? IDC_CROSS : IDC_ARROW);
    return TRUE;
  }
  // Select mode. An object found here is hovered as it would be by the move that follows, and
  // drawn so: the move then finds it hovered already and leaves the screen as it is.
  CObjectBase* s = selected_.get();
  if (const int code = s ? s->HitTestHandles(p.x, p.y) : 0) {
    s->SetCursorFor(code);
    SetHover(nullptr);
    return TRUE;
  }
  CObjectBase* h = hovered_.get();
  if (h && h->IsLive() && h->HitTestBody(p.x, p.y, 1)) {
    SetSystemCursor(IDC_SIZEALL);
    return TRUE;
  }
  CObjectBase* found = TopmostHit(p, s);
  SetSystemCursor(found ? IDC_SIZEALL : IDC_ARROW);
  SetHover(found);
  return TRUE;
}

// ---- pressing, dragging, releasing -------------------------------------------------------------

void CScrawlBoard::SelectPress(Point p) {
  manip_mode_ = 0;
  CObjectBase* h = hovered_.get();
  if (h && h->IsLive()) {
    // The hovered object is selected by this press and may be dragged at once.
    selected_.Reset(h);
    hovered_.Reset();
    RebuildBackground(h);
    Notify(false, true);
    manip_mode_ = 2;
    hit_code_ = kHitMove;
    not_moved_yet_ = 1;
    press_ = p;
    ::SetCapture(host_);
    return;
  }
  CObjectBase* s = selected_.get();
  if (!s) return;
  if (const int code = s->HitTestHandles(p.x, p.y)) {
    if (code != kHitMove) s->hit_mask.Clear();  // its shape is about to change
    manip_mode_ = 1;
    hit_code_ = code;
    press_ = p;
    not_moved_yet_ = 1;
    ::SetCapture(host_);
    return;
  }
  // A press away from the selection's handles lets it go.
  selected_.Reset();
  RebuildBackground();
  Notify(false, false);
  OnStyleTarget(0);
}

void CScrawlBoard::DragSelected(Point p) {
  CObjectBase* s = selected_.get();
  if (!s) {  // deleted or undone under the pointer
    StopDragging();
    return;
  }
  if (not_moved_yet_ && !BeyondClickSlop(press_, p)) return;
  not_moved_yet_ = 0;
  if (s->kind == kObjectMasaiKe) return;  // a mosaic region stays where it was made
  ShowWouldBe(s, p.x - press_.x, p.y - press_.y);
}

// The rectangle a drag gives a rectangle, ellipse or arrow; for an arrow moved whole, `moved` is
// the offset left after it was pushed back onto the board.
static Rect DraggedRect(const CScrawlBoard::CObjectBase* o, int code, int dx, int dy, Size board,
                        Point* moved) {
  if (o->kind != kObjectArrow) {
    *moved = Point{dx, dy};
    return ResizedRect(o->rect, code, dx, dy);
  }
  const ArrowEnds a{{o->rect.left, o->rect.top}, {o->rect.right, o->rect.bottom}};
  const ArrowEnds m = MovedArrow(a, code, dx, dy, board.width, board.height);
  *moved = Point{m.tail.x - a.tail.x, m.tail.y - a.tail.y};
  return Rect{m.tail.x, m.tail.y, m.head.x, m.head.y};
}

void CScrawlBoard::ShowWouldBe(CObjectBase* o, int dx, int dy) {
  // The object is given its would-be geometry for the drawing and its own back afterwards.
  const Rect saved = o->rect;
  auto* line = o->kind == kObjectPolyline ? static_cast<CObjectPolyline*>(o) : nullptr;
  std::vector<Point> saved_points;
  if (line) {
    saved_points = line->points;
    for (Point& q : line->points) q = Point{q.x + dx, q.y + dy};
    line->rect = Offset(saved, dx, dy);
  } else {
    Point moved;
    o->rect = DraggedRect(o, hit_code_, dx, dy, size(), &moved);
  }
  if (manip_mode_ == 1) {
    overlay_.Clear();
    if (o->kind == kObjectArrow && frame_bitmaps_[5]) {
      BlendKnob(overlay_, frame_bitmaps_[5].get(), 13, Point{o->rect.left, o->rect.top});
      BlendKnob(overlay_, frame_bitmaps_[5].get(), 13, Point{o->rect.right, o->rect.bottom});
    }
    o->DrawSelected(this, overlay_);
    Notify(true, false);
  } else if (line) {
    overlay_.Clear();
    o->DrawHover(this, overlay_);
    Notify(true, false);
  } else {
    hover_.Clear();
    o->DrawHover(this, hover_);
    Notify(false, true);
  }
  o->rect = saved;
  if (line) line->points.swap(saved_points);
}

void CScrawlBoard::CommitDrag(CObjectBase* o, int dx, int dy) {
  if (o->kind == kObjectMasaiKe) return;
  if (o->kind == kObjectPolyline) {
    if (dx == 0 && dy == 0) return;
    Push(new CRecordOffsetObject(o, dx, dy, 1));
    static_cast<CObjectPolyline*>(o)->OffsetBy(dx, dy);
    return;
  }
  Point moved;
  const Rect n = DraggedRect(o, hit_code_, dx, dy, size(), &moved);
  if (hit_code_ == kHitMove && o->kind != kObjectRectangle) {
    // Ellipses and arrows moved whole keep the move itself.
    if (moved.x == 0 && moved.y == 0) return;
    Push(new CRecordOffsetObject(o, moved.x, moved.y, 1));
  } else {
    if (n == o->rect) return;
    Push(new CRecordSetRectangle(o, o->rect, n, 1));
  }
  o->rect = n;
  o->hit_mask.Clear();
}

void CScrawlBoard::FinishManipulation(Point p) {
  const int mode = manip_mode_;
  const bool moved = !not_moved_yet_;
  manip_mode_ = 0;
  not_moved_yet_ = 0;
  ReleaseMouse();
  CObjectBase* o = selected_.get();
  if (!o) return;
  // A press that never left its click slop changes nothing.
  if (moved) CommitDrag(o, p.x - press_.x, p.y - press_.y);
  overlay_.Clear();
  o->DrawSelected(this, overlay_);
  Notify(true, false);
  if (mode == 2) {
    TakeStyleOf(o);
    OnStyleTarget(o->kind);
  }
}

void CScrawlBoard::AbandonManipulation() {
  const int mode = manip_mode_;
  manip_mode_ = 0;
  not_moved_yet_ = 0;
  CObjectBase* o = selected_.get();
  if (!o) return;
  overlay_.Clear();
  o->DrawSelected(this, overlay_);
  Notify(true, false);
  if (mode == 2) {
    TakeStyleOf(o);
    OnStyleTarget(o->kind);
  }
}

// ---- right button, delete, select next ---------------------------------------------------------

LRESULT CScrawlBoard::OnRButtonDown(UINT, WPARAM, LPARAM lParam, BOOL&) {
  if (creating_ || manip_mode_) return 0;
  const Point p = BoardPoint(lParam);
  POINT screen = {p.x + x_, p.y + y_};
  ::ClientToScreen(host_, &screen);
  if (tool_ == kToolSelect) {
    if (CObjectBase* h = hovered_.get()) {
      hovered_.Reset();
      selected_.Reset(h);
      ShowSelected(h);
    }
    OnContextMenu(screen);
    return 0;
  }
  if (tool_ == kToolText && IsTextEditing()) {
    // On the open box the menu acts on the box (its delete takes its text); elsewhere the box
    // closes with its text first.
    if (text_box_->HitTest(p)) {
      OnContextMenu(screen);
      return 0;
    }
    CloseTextBox(false, true);
  }
  // The object under the pointer is what the menu's delete acts on, shown selected meanwhile
  // (the mosaic tool has no delete, and no highlight).
  CObjectBase* o = TopmostHit(p, nullptr);
  context_.Reset(o);
  if (o && tool_ != kToolMosaic) ShowSelected(o);
  OnContextMenu(screen);  // the host may have detached the board meanwhile
  context_.Reset();
  return 0;
}

bool CScrawlBoard::CanDelete() const {
  if (IsDetached() || tool_ == kToolMosaic) return false;
  // The open box's text, once it has any.
  if (IsTextEditing()) return editing_.get() || !text_box_->content().cells.empty();
  const CObjectBase* target = tool_ == kToolSelect ? selected_.get() : context_.get();
  return target && target->IsLive();
}

void CScrawlBoard::Delete() {
  if (IsDetached() || tool_ == kToolMosaic) return;
  WeakRef<CObjectBase>& from = tool_ == kToolSelect ? selected_ : context_;
  CObjectBase* target = from.get();
  from.Reset();
  // With the box open its text is what goes: kept first (a new text object with its creation
  // record), then deleted as one more step.
  if (IsTextEditing()) target = CloseTextBox(false, true);
  if (!target || !target->IsLive()) return;
  StopDragging();
  if (hovered_.get() == target) hovered_.Reset();  // a deleted object is no hover any more
  Push(new CRecordDeleteObject(target));
  Refresh();
}

int CScrawlBoard::SelectNext() {
  const int old = tool_;
  tool_ = kToolSelect;
  if (IsDetached()) return old;
  StopDragging();
  hovered_.Reset();
  hover_.Clear();
  // An open text box closes with its text; the text it made or edited is where selection goes
  // on from (from the text tool: the one selected).
  CObjectBase* closed = CloseTextBox(false, true);
  if (closed && old == kToolSelect) selected_.Reset(closed);
  auto* next = closed && old != kToolSelect
                   ? closed
                   : static_cast<CObjectBase*>(objects_.NextLiveAfter(selected_.get()));
  selected_.Reset(next);
  if (next) {
    ShowSelected(next);
    TakeStyleOf(next);
    OnStyleTarget(next->kind);
  } else {
    // Nothing to select: the overlay may still hold the last preview of a drawing tool.
    RebuildBackground();
    overlay_.Clear();
    Notify(true, false);
    OnStyleTarget(0);
  }
  return old;
}
