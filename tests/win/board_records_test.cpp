// Undo and redo on the board: what each sequence leaves (objects, their order and style, the
// selection), which OnBoardEvent notifications come and when, and that objects are freed when
// their creation falls off the redo side or the board is detached.
#include <gtest/gtest.h>

#include "screenshot/base/tool_commands.h"
#include "win/support/test_board.h"

namespace {

using Obj = CScrawlBoard::CObjectBase;
using testboard::BoardTest;

constexpr COLORREF kRed = 0x0000FF, kBlue = 0xFF0000;

class BoardRecords : public BoardTest {};

TEST_F(BoardRecords, DrawUndoDrawTakesRedoAwayAndFreesTheFirstObject) {
  Choose(kToolRectangle, kRed, 2);
  Drag(20, 20, 60, 60);
  EXPECT_EQ(board_.events, (std::vector<int>{kBoardEventUndo}));
  WeakRef<Obj> first(Last());
  board_.Undo();
  EXPECT_FALSE(board_.CanUndo());
  EXPECT_TRUE(board_.CanRedo());
  EXPECT_EQ(board_.events.size(), 1u) << "undo itself sends nothing";
  EXPECT_EQ(first.get(), Last()) << "an undone object stays for redo";
  EXPECT_FALSE(first.get()->alive);
  EXPECT_EQ(Shown(20, 40), Under(20, 40));
  Choose(kToolEllipse, kBlue, 2);
  Drag(80, 20, 120, 60);
  EXPECT_EQ(board_.events, (std::vector<int>{kBoardEventUndo, kBoardEventRedo, kBoardEventUndo}));
  EXPECT_FALSE(board_.CanRedo());
  EXPECT_EQ(first.get(), nullptr) << "the rectangle is gone";
  ASSERT_EQ(ObjectCount(), 1);
  EXPECT_EQ(Last()->kind, kObjectEllipse);
  EXPECT_EQ(ObjectCore::LiveCount(), objects_before_ + 1);
  EXPECT_EQ(RecordCount(), 1);
}

TEST_F(BoardRecords, EventsComeOnlyWhenAPushChangesWhatIsPossible) {
  Choose(kToolRectangle, kRed, 2);
  for (int i = 0; i < 3; ++i) Drag(10 + 40 * i, 10, 40 + 40 * i, 40);
  EXPECT_EQ(board_.events, (std::vector<int>{kBoardEventUndo}));
  board_.Undo();
  board_.Undo();
  board_.Redo();
  EXPECT_EQ(board_.events.size(), 1u);
  Drag(10, 60, 40, 90);  // redo was possible, undo still is
  EXPECT_EQ(board_.events, (std::vector<int>{kBoardEventUndo, kBoardEventRedo}));
  EXPECT_EQ(ObjectCount(), 3);
  board_.Undo();
  board_.Undo();
  board_.Undo();
  EXPECT_FALSE(board_.CanUndo());
  Drag(10, 60, 40, 90);  // both changed
  EXPECT_EQ(board_.events,
            (std::vector<int>{kBoardEventUndo, kBoardEventRedo, kBoardEventRedo, kBoardEventUndo}));
}

TEST_F(BoardRecords, UndoOfADeleteBringsTheObjectBackAtItsPlaceInTheDrawingOrder) {
  Choose(kToolRectangle, kRed, 4);
  Drag(20, 20, 120, 100);  // A
  Choose(kToolRectangle, kBlue, 4);
  Drag(60, 60, 160, 130);  // B, over A where A's bottom edge crosses B's left edge
  EXPECT_EQ(Shown(60, 100), 0xFF0000FFu);
  Obj* a = board_.first_object();
  board_.on_menu = [&] { board_.Delete(); };
  Send(WM_RBUTTONDOWN, 20, 50, MK_RBUTTON);  // A's left edge
  EXPECT_TRUE(a->deleted);
  EXPECT_EQ(Shown(20, 50), Under(20, 50));
  board_.Undo();
  EXPECT_FALSE(a->deleted);
  EXPECT_EQ(board_.first_object(), a);
  EXPECT_EQ(Shown(20, 50), 0xFFFF0000u);
  EXPECT_EQ(Shown(60, 100), 0xFF0000FFu) << "B is still drawn over A";
  board_.Redo();
  EXPECT_TRUE(a->deleted);
  EXPECT_EQ(Shown(20, 50), Under(20, 50));
}

TEST_F(BoardRecords, AColourChangeOfASelectedArrowUndoneRestoresItAndKeepsItSelected) {
  Choose(kToolArrow, kRed, 3);
  Drag(20, 75, 180, 75);
  board_.SelectNext();
  auto* arrow = static_cast<CScrawlBoard::CPenObject*>(board_.selected());
  EXPECT_EQ(board_.SetPenColor(kBlue), kRed);
  EXPECT_EQ(arrow->color, 0xFF0000FFu);
  EXPECT_EQ(Shown(100, 75), 0xFF0000FFu);
  EXPECT_EQ(RecordCount(), 2);
  board_.Undo();
  EXPECT_EQ(arrow->color, 0xFFFF0000u);
  EXPECT_EQ(board_.selected(), arrow);
  EXPECT_EQ(board_.style_targets.back(), kObjectArrow);
  EXPECT_EQ(board_.GetPenColor(), kRed) << "the pen shows the selected arrow's colour again";
  EXPECT_TRUE(board_.shown_overlay);
  EXPECT_EQ(Shown(100, 75), 0xFFFF0000u);
  board_.Redo();
  EXPECT_EQ(arrow->color, 0xFF0000FFu);
  EXPECT_EQ(board_.selected(), arrow);
}

TEST_F(BoardRecords, AWidthChangeUndoneHitsOnlyAsNearAsTheNarrowPenAgain) {
  Choose(kToolBrush, kRed, 2);
  Drag(20, 40, 180, 80, 8);  // slope 1/4
  board_.SelectNext();
  Obj* line = board_.selected();
  // 10 pixels below the line at x = 100 (where it passes y = 60).
  EXPECT_EQ(line->HitTestBody(100, 70, 0), 0);
  board_.SetPenWidth(20);
  EXPECT_NE(line->HitTestBody(100, 70, 0), 0);
  board_.Undo();
  EXPECT_EQ(static_cast<CScrawlBoard::CPenObject*>(line)->width, 2);
  EXPECT_EQ(line->HitTestBody(100, 70, 0), 0);
  board_.Redo();
  EXPECT_NE(line->HitTestBody(100, 70, 0), 0);
}

TEST_F(BoardRecords, MovesAndResizesUndoToWhereTheyStarted) {
  Choose(kToolEllipse, kRed, 2);
  Drag(40, 40, 100, 80);
  board_.SelectNext();
  Obj* e = board_.selected();
  Press(70, 30);  // grip: a move
  Move(90, 50);
  Release(90, 50);
  Press(120, 100);  // the bottom-right corner, where the move took it
  Move(140, 110);
  Release(140, 110);
  EXPECT_EQ(e->rect, (Rect{60, 60, 140, 110}));
  board_.Undo();
  EXPECT_EQ(e->rect, (Rect{60, 60, 120, 100}));
  EXPECT_EQ(board_.selected(), e) << "undo in select mode reselects";
  board_.Undo();
  EXPECT_EQ(e->rect, (Rect{40, 40, 100, 80}));
  board_.Redo();
  board_.Redo();
  EXPECT_EQ(e->rect, (Rect{60, 60, 140, 110}));
  // In a drawing tool, undo shows the background alone.
  board_.SetTool(kToolRectangle);
  board_.Undo();
  EXPECT_EQ(board_.selected(), nullptr);
  EXPECT_FALSE(board_.shown_overlay);
  EXPECT_EQ(board_.style_targets.back(), 0);
}

TEST_F(BoardRecords, DetachingFreesEveryObjectAndRecord) {
  Choose(kToolBrush, kRed, 2);
  std::vector<WeakRef<Obj>> refs;
  for (int i = 0; i < 6; ++i) {
    Drag(10 + 20 * i, 10, 20 + 20 * i, 100);
    refs.emplace_back(Last());
  }
  board_.Undo();
  board_.Undo();
  EXPECT_EQ(ObjectCore::LiveCount(), objects_before_ + 6) << "undone, kept for redo";
  board_.SelectNext();
  board_.Delete();  // a new step: the two undone ones go
  EXPECT_EQ(ObjectCore::LiveCount(), objects_before_ + 4);
  EXPECT_EQ(refs[5].get(), nullptr);
  EXPECT_TRUE(board_.Detach());
  EXPECT_TRUE(board_.IsDetached());
  EXPECT_EQ(ObjectCore::LiveCount(), objects_before_);
  for (const WeakRef<Obj>& r : refs) EXPECT_EQ(r.get(), nullptr);
  EXPECT_FALSE(board_.Detach());
  // A detached board ignores commands.
  board_.Undo();
  board_.Delete();
  board_.Refresh();
  EXPECT_FALSE(board_.CanUndo());
  LRESULT r = 0;
  EXPECT_FALSE(board_.ProcessMessage(host_, WM_LBUTTONDOWN, 0, MAKELPARAM(50, 50), r));
}

}  // namespace
