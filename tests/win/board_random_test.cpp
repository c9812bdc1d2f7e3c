// A long random session on the board: creating, deleting, selecting, moving, resizing,
// restyling, undoing, redoing, changing tools and reselecting, with the board's invariants
// checked after every step: every object is in the board's list and nothing freed is reachable
// from a record or a reference, weak references to freed objects read none, undoing everything
// and redoing it again gives the same composed picture, and detaching frees every object.
//
// LUMETTA_BOARD_OPS and LUMETTA_BOARD_SEED change the length and the seed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <set>

#include "screenshot/base/palette.h"
#include "screenshot/base/tool_commands.h"
#include "win/support/test_board.h"

namespace {

using Obj = CScrawlBoard::CObjectBase;
using testboard::BoardTest;

unsigned long EnvNumber(const char* name, unsigned long fallback) {
  const char* v = std::getenv(name);
  return v && *v ? std::strtoul(v, nullptr, 10) : fallback;
}

class BoardRandom : public BoardTest {
 protected:
  // A small board: drawing costs grow with the size of what is drawn, and this session draws
  // a great deal.
  static constexpr int kW = 72, kH = 54;
  void SetUp() override {
    BoardTest::SetUp();
    ASSERT_TRUE(board_.Attach(kOriginX, kOriginY, kW, kH, host_, ScreenView()));
  }

  int Rand(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  bool Chance(int percent) { return Rand(0, 99) < percent; }
  // Mostly on the board, now and then well off it.
  Point RandomPoint() {
    if (Chance(10)) return Point{Rand(-40, kW + 40), Rand(-40, kH + 40)};
    return Point{Rand(0, kW - 1), Rand(0, kH - 1)};
  }
  // A point at a handle-ish place of the selection: a corner, an edge, the grip, the middle.
  Point NearSelection() {
    const Obj* s = board_.selected();
    if (!s) return RandomPoint();
    const Rect r = s->rect;
    const int xs[] = {r.left, (r.left + r.right) / 2, r.right};
    const int ys[] = {r.top - 15, r.top, (r.top + r.bottom) / 2, r.bottom};
    return Point{xs[Rand(0, 2)] + Rand(-2, 2), ys[Rand(0, 3)] + Rand(-2, 2)};
  }

  void Create() {
    const int tool = Rand(kToolRectangle, kToolBrush);
    Choose(tool, palette::ColorOf(Rand(0, 15)), Rand(1, 8), Rand(0, 3));
    const Point a = RandomPoint(), b = RandomPoint();
    Drag(a.x, a.y, b.x, b.y, Rand(0, tool == kToolBrush ? 6 : 3));
  }
  void Select() {
    if (board_.GetTool() != kToolSelect || Chance(40)) {
      board_.SelectNext();
      return;
    }
    const Point p = RandomPoint();
    Send(WM_MOUSEMOVE, p.x, p.y);
    Press(p.x, p.y);
    Release(p.x, p.y);
  }
  void Manipulate() {
    if (board_.GetTool() != kToolSelect) board_.SelectNext();
    const Point p = NearSelection();
    Send(WM_MOUSEMOVE, p.x, p.y);
    Press(p.x, p.y);
    const int steps = Rand(0, 3);
    Point q = p;
    for (int i = 0; i < steps; ++i) {
      q = Point{q.x + Rand(-25, 25), q.y + Rand(-25, 25)};
      Move(q.x, q.y);
    }
    if (Chance(5)) {
      Send(WM_CAPTURECHANGED, 0, 0);  // another window took the mouse
      if (GetCapture() == host_) ReleaseCapture();
    } else if (Chance(3)) {
      board_.Delete();  // the Delete key with the mouse down
      Release(q.x, q.y);
    } else {
      Release(q.x, q.y);
    }
  }
  void Restyle() {
    if (board_.GetTool() != kToolSelect) board_.SelectNext();
    switch (Rand(0, 2)) {
      case 0:
        board_.SetPenWidth(Rand(-2, 40));
        break;
      case 1:
        board_.SetPenColor(palette::ColorOf(Rand(0, 15)));
        break;
      default:
        board_.SetDashStyle(Rand(-1, 6));
        break;
    }
  }
  void Delete() {
    if (board_.GetTool() == kToolSelect && Chance(60)) {
      board_.Delete();
      return;
    }
    if (board_.GetTool() == kToolSelect) board_.SetTool(Rand(kToolRectangle, kToolBrush));
    const Point p = RandomPoint();
    board_.on_menu = [this] {
      if (Chance(80)) board_.Delete();
    };
    Send(WM_RBUTTONDOWN, p.x, p.y, MK_RBUTTON);
    board_.on_menu = nullptr;
  }
  void OtherTool() {
    const int tools[] = {kToolRectangle, kToolEllipse, kToolArrow,
                         kToolBrush,     kToolText,    kToolMosaic};
    board_.SetTool(tools[Rand(0, 5)]);
    const Point p = RandomPoint();
    Press(p.x, p.y);
    Release(p.x + 5, p.y + 5);
  }
  void Reselect() {
    ExpectEverythingFreedAtDetach();
    ASSERT_TRUE(board_.Attach(kOriginX, kOriginY, kW, kH, host_, ScreenView()));
  }

  // After every step.
  void CheckInvariants(unsigned long step) {
    std::set<const ObjectCore*> listed;
    for (const ObjectCore* o = board_.first_object(); o; o = o->next) listed.insert(o);
    ASSERT_EQ(static_cast<int32_t>(listed.size()), ObjectCore::LiveCount() - objects_before_)
        << "step " << step << ": an object exists outside the list, or a listed one is freed";
    // (The text box's records about a box of new text have no object.)
    for (const CScrawlBoard::CBaseRecord* r = board_.first_record(); r; r = r->newer())
      ASSERT_TRUE(!r->object() || listed.count(r->object()))
          << "step " << step << ": a record's object is gone";
    for (const Obj* o : {board_.selected(), board_.hovered(), board_.context_object()}) {
      if (o) {
        ASSERT_TRUE(listed.count(o) && o->IsLive()) << "step " << step;
      }
    }
    // References to freed objects read none: a freed object's place may be taken by a new one.
    for (auto it = refs_.begin(); it != refs_.end();) {
      if (const Obj* o = it->ref.get()) {
        ASSERT_EQ(o, it->object);
        ASSERT_TRUE(listed.count(o)) << "step " << step << ": a reference reads a freed object";
        ++it;
      } else {
        tracked_.erase(it->object);
        it = refs_.erase(it);
      }
    }
    // Every listed object is tracked, and each one reads through its reference.
    for (const ObjectCore* o : listed) {
      if (tracked_.insert(o).second) {
        Obj* obj = static_cast<Obj*>(const_cast<ObjectCore*>(o));
        refs_.push_back(Tracked{WeakRef<Obj>(obj), obj});
      }
    }
    ASSERT_EQ(refs_.size(), listed.size()) << "step " << step;
  }

  // The board's objects composed over a fixed picture.
  std::vector<uint32_t> Composed() {
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(bi.bmiHeader), kW, -kH, 1, 32};
    void* bits = nullptr;
    ScopedBitmap image(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    auto* px = static_cast<uint32_t*>(bits);
    for (int i = 0; i < kW * kH; ++i) px[i] = 0xFF406080u;
    {
      ScopedDC dc(CreateCompatibleDC(nullptr));
      ScopedSelectObject selected(dc.get(), image.get());
      board_.Compose(dc.get());
    }
    GdiFlush();
    return std::vector<uint32_t>(px, px + kW * kH);
  }

  void UndoAllRedoAll(unsigned long step) {
    const std::vector<uint32_t> before = Composed();
    const bool could_redo = board_.CanRedo();
    int undone = 0;
    while (board_.CanUndo()) {
      board_.Undo();
      ++undone;
      ASSERT_NO_FATAL_FAILURE(CheckInvariants(step));
    }
    ASSERT_FALSE(board_.HasLiveObjects()) << "step " << step << ": undo left a drawing";
    for (int i = 0; i < undone; ++i) board_.Redo();
    ASSERT_EQ(board_.CanRedo(), could_redo);
    ASSERT_TRUE(Composed() == before) << "step " << step << ": redo gave another picture";
    ++checkpoints_;
  }

  void ExpectEverythingFreedAtDetach() {
    const int listed = ObjectCount();
    ASSERT_EQ(ObjectCore::LiveCount() - objects_before_, listed);
    board_.Detach();
    ASSERT_EQ(ObjectCore::LiveCount(), objects_before_) << "objects left after detaching";
    for (const Tracked& t : refs_) ASSERT_EQ(t.ref.get(), nullptr);
    freed_at_detach_ += listed;
    refs_.clear();
    tracked_.clear();
  }

  std::mt19937 rng_{static_cast<std::mt19937::result_type>(EnvNumber("LUMETTA_BOARD_SEED", 1406))};
  struct Tracked {
    WeakRef<Obj> ref;
    const Obj* object;  // what it was taken to, for after it reads none
  };
  std::vector<Tracked> refs_;
  std::set<const ObjectCore*> tracked_;
  int checkpoints_ = 0;
  int freed_at_detach_ = 0;
};

TEST_F(BoardRandom, InvariantsHoldThroughALongRandomSession) {
  const unsigned long ops = EnvNumber("LUMETTA_BOARD_OPS", 100000);
  board_.keep_shown = false;  // what is shown is the other tests' subject
  int created_most = 0;
  for (unsigned long step = 0; step < ops; ++step) {
    const int pick = Rand(0, 999);
    if (pick < 220)
      Create();
    else if (pick < 330)
      Select();
    else if (pick < 480)
      Manipulate();
    else if (pick < 560)
      Restyle();
    else if (pick < 640)
      Delete();
    else if (pick < 800)
      board_.Undo();
    else if (pick < 900)
      board_.Redo();
    else if (pick < 985)
      OtherTool();
    else
      ASSERT_NO_FATAL_FAILURE(Reselect());
    ASSERT_NO_FATAL_FAILURE(CheckInvariants(step));
    // Asking who has the mouse is a round trip to the system: now and then is enough.
    if (step % 16 == 0) {
      ASSERT_NE(GetCapture(), host_) << "step " << step << ": the mouse was not given back";
    }
    created_most = std::max(created_most, ObjectCount());
    if (step % 1000 == 999) {
      ASSERT_NO_FATAL_FAILURE(UndoAllRedoAll(step));
    }
  }
  ASSERT_NO_FATAL_FAILURE(ExpectEverythingFreedAtDetach());
  // The session did reach what it is meant to exercise.
  EXPECT_GT(checkpoints_, static_cast<int>(ops / 1000) - 1);
  EXPECT_GT(freed_at_detach_, 0);
  EXPECT_GE(created_most, ops >= 10000 ? 10 : 1);
  RecordProperty("objects_freed_at_detach", freed_at_detach_);
}

}  // namespace
