// Editing on the board with the mouse: what each drawing tool makes of a drag (and of drags too
// small to make anything), select mode's hover, press, move and resize with their tolerances,
// the right button's context object, delete, and select next.
#include <gtest/gtest.h>

#include "screenshot/base/tool_commands.h"
#include "win/support/test_board.h"

namespace {

using Obj = CScrawlBoard::CObjectBase;
using testboard::BoardTest;

constexpr COLORREF kRed = 0x0000FF, kBlue = 0xFF0000;

class BoardEditing : public BoardTest {
 protected:
  // Three shapes far apart, each selected by select next in turn.
  void ThreeRectangles() {
    Choose(kToolRectangle, kRed, 2);
    for (int i = 0; i < 3; ++i) Drag(10 + 60 * i, 10, 50 + 60 * i, 40);
    ASSERT_EQ(ObjectCount(), 3);
  }
  Obj* Nth(int n) const {
    Obj* o = board_.first_object();
    while (o && n--) o = static_cast<Obj*>(o->next);
    return o;
  }
};

TEST_F(BoardEditing, RectangleIsClampedToTheBoardAndAnEllipseIsNot) {
  Choose(kToolRectangle, kRed, 2);
  Drag(150, 100, 400, 300);
  ASSERT_EQ(ObjectCount(), 1);
  EXPECT_EQ(Last()->rect, (Rect{150, 100, kWidth, kHeight}));
  Choose(kToolEllipse, kRed, 2);
  Drag(150, 100, 400, 300);
  ASSERT_EQ(ObjectCount(), 2);
  EXPECT_EQ(Last()->rect, (Rect{150, 100, 400, 300}));
  // Dragged up and left: normalised.
  Drag(100, 100, 60, 70);
  EXPECT_EQ(Last()->rect, (Rect{60, 70, 100, 100}));
  EXPECT_EQ(RecordCount(), 3);
}

TEST_F(BoardEditing, ZeroWidthOrHeightMakesNothingThoughTheRectanglePreviewShowsALine) {
  Choose(kToolRectangle, kRed, 2);
  Press(50, 50);
  Move(90, 50);  // same row: the preview (a rectangle of no height) is still shown
  EXPECT_TRUE(board_.shown_overlay);
  Move(90, 80);
  EXPECT_EQ(Shown(70, 80), 0xFFFF0000u);
  Move(90, 50);
  Release(90, 50);
  EXPECT_EQ(ObjectCount(), 0);
  EXPECT_FALSE(board_.shown_overlay);
  EXPECT_EQ(Shown(70, 50), Under(70, 50));  // the preview went
  Choose(kToolEllipse, kRed, 2);
  Press(50, 50);
  Move(50, 90);  // same column: no ellipse preview
  EXPECT_FALSE(board_.shown_overlay);
  Release(50, 90);
  EXPECT_EQ(ObjectCount(), 0);
  EXPECT_EQ(RecordCount(), 0);
  EXPECT_TRUE(board_.events.empty());
}

TEST_F(BoardEditing, ArrowFarBeyondTheRightEdgeEndsOnItInItsDirection) {
  Choose(kToolArrow, kRed, 2);
  Drag(100, 75, 10100, 5075);  // slope 1/2
  ASSERT_EQ(ObjectCount(), 1);
  auto* arrow = static_cast<CScrawlBoard::CObjectArrow*>(Last());
  EXPECT_EQ(arrow->tail(), (Point{100, 75}));
  EXPECT_EQ(arrow->head(), (Point{kWidth, 125}));
}

TEST_F(BoardEditing, AnArrowTwoPixelsLongOrAClickMakesNothing) {
  Choose(kToolArrow, kRed, 2);
  Drag(10, 10, 12, 10, 1);
  Drag(30, 30, 30, 30, 0);
  EXPECT_EQ(ObjectCount(), 0);
  Drag(10, 10, 13, 10, 1);  // 3 apart: an arrow, if a small one
  EXPECT_EQ(ObjectCount(), 1);
}

TEST_F(BoardEditing, BrushTakesEveryDistinctPositionAndAClickMakesNothing) {
  Choose(kToolBrush, kRed, 2);
  const int calls = board_.layer_calls;
  Press(20, 20);
  Release(20, 20);
  EXPECT_EQ(ObjectCount(), 0);
  EXPECT_EQ(board_.layer_calls, calls) << "a click changes nothing shown";
  Press(20, 20);
  Move(20, 20);  // not a new position
  Move(25, 21);
  Move(25, 21);
  Move(30, 30);
  Move(-5, 30);  // off the board: kept as it is
  Release(-5, 30);
  ASSERT_EQ(ObjectCount(), 1);
  const auto* line = static_cast<CScrawlBoard::CObjectPolyline*>(Last());
  const std::vector<Point> expected = {{20, 20}, {25, 21}, {30, 30}, {-5, 30}};
  EXPECT_EQ(line->points, expected);
  EXPECT_EQ(line->rect, (Rect{-5, 20, 30, 30}));
}

TEST_F(BoardEditing, AFreeHandLineInOneRowCannotBeHit) {
  Choose(kToolBrush, kRed, 8);
  Drag(20, 50, 120, 50, 5);
  ASSERT_EQ(ObjectCount(), 1);
  EXPECT_EQ(Last()->HitTestBody(70, 50, 1), 0);
  Drag(20, 80, 120, 81, 5);
  EXPECT_NE(Last()->HitTestBody(70, 80, 0), 0);
  EXPECT_EQ(Last()->HitTestBody(70, 95, 1), 0);
}

TEST_F(BoardEditing, PressesOutsideTheBoardAndOfTheTextToolMakeNothing) {
  Choose(kToolRectangle, kRed, 2);
  for (int tool : {kToolRectangle, kToolMosaic}) {
    board_.SetTool(tool);
    EXPECT_TRUE(Send(WM_LBUTTONDOWN, -3, 40, MK_LBUTTON)) << "consumed all the same";
    Move(50, 60);
    Release(50, 60);
    EXPECT_EQ(ObjectCount(), 0) << tool;
  }
  board_.SetTool(kToolText);
  EXPECT_TRUE(Send(WM_LBUTTONDOWN, 40, 40, MK_LBUTTON));
  Move(80, 80);
  Release(80, 80);
  EXPECT_EQ(ObjectCount(), 0);
  EXPECT_NE(GetCapture(), host_);
}

TEST_F(BoardEditing, ACaptureLostWhileDrawingMakesNothingAndClearsThePreview) {
  Choose(kToolRectangle, kRed, 2);
  Press(20, 20);
  Move(60, 60);
  EXPECT_EQ(GetCapture(), host_);
  EXPECT_TRUE(board_.shown_overlay);
  EXPECT_TRUE(Send(WM_CAPTURECHANGED, 0, 0));
  EXPECT_FALSE(board_.shown_overlay);
  EXPECT_EQ(Shown(40, 20), Under(40, 20));
  Release(60, 60);  // nothing left to finish
  EXPECT_EQ(ObjectCount(), 0);
  EXPECT_FALSE(Send(WM_CAPTURECHANGED, 0, 0)) << "no drag: not the board's";
}

TEST_F(BoardEditing, SelectNextWalksTheLiveObjectsAndWraps) {
  ThreeRectangles();
  EXPECT_EQ(board_.SelectNext(), kToolRectangle);
  EXPECT_EQ(board_.selected(), Nth(2));  // from another tool: the topmost
  EXPECT_EQ(board_.style_targets.back(), kObjectRectangle);
  board_.SelectNext();
  EXPECT_EQ(board_.selected(), Nth(0));
  board_.SelectNext();
  EXPECT_EQ(board_.selected(), Nth(1));
  board_.SelectNext();  // the second selected: the third, then the first
  EXPECT_EQ(board_.selected(), Nth(2));
  board_.SelectNext();
  EXPECT_EQ(board_.selected(), Nth(0));
  // The selected one is on the overlay, the others on the background.
  EXPECT_TRUE(board_.shown_overlay);
  EXPECT_EQ(At(board_.overlay_layer(), 10, 25), 0xFFFF0000u);
  EXPECT_EQ(At(board_.background_layer(), 10, 25), Under(10, 25));
  EXPECT_EQ(At(board_.background_layer(), 70, 25), 0xFFFF0000u);
}

TEST_F(BoardEditing, SelectNextWithNothingLiveShowsNoStalePreview) {
  Choose(kToolRectangle, kRed, 2);
  Drag(20, 20, 60, 60);
  board_.Undo();
  board_.SelectNext();
  EXPECT_EQ(board_.selected(), nullptr);
  EXPECT_EQ(board_.style_targets.back(), 0);
  EXPECT_EQ(Shown(20, 40), Under(20, 40)) << "the last preview is not shown again";
}

TEST_F(BoardEditing, AMoveStartsOnlyTwoPixelsFromThePress) {
  Choose(kToolEllipse, kRed, 4);
  Drag(40, 40, 120, 100);
  board_.SelectNext();
  Obj* e = board_.selected();
  ASSERT_TRUE(e);
  const Rect start = e->rect;
  // The grip above the top edge moves it.
  Press(80, 30);
  EXPECT_EQ(GetCapture(), host_);
  Move(81, 31);
  Release(81, 31);
  EXPECT_EQ(e->rect, start);
  EXPECT_EQ(RecordCount(), 1);
  Press(80, 30);
  Move(82, 30);
  Release(82, 30);
  EXPECT_EQ(e->rect, Offset(start, 2, 0));
  EXPECT_EQ(RecordCount(), 2);
  EXPECT_EQ(board_.selected(), e);
}

TEST_F(BoardEditing, DraggingTheLeftEdgePastTheRightFlipsTheRectangle) {
  Choose(kToolRectangle, kRed, 2);
  Drag(50, 50, 100, 90);
  board_.SelectNext();
  Obj* r = board_.selected();
  Press(50, 70);  // the left edge
  Move(90, 70);
  Move(140, 70);
  Release(140, 70);
  EXPECT_EQ(r->rect, (Rect{100, 50, 140, 90}));
  // The handle under the pointer is now the right edge.
  EXPECT_EQ(r->HitTestHandles(140, 70), kHitRight);
  EXPECT_EQ(At(board_.overlay_layer(), 140, 70), 0xFFFF0000u);
  EXPECT_EQ(Shown(140, 70), 0xFFFF0000u);
  EXPECT_EQ(Shown(50, 70), Under(50, 70));
}

TEST_F(BoardEditing, ClickingInsideASelectedRectangleLetsItGoOrTakesTheStrokeUnder) {
  Choose(kToolRectangle, kRed, 2);
  Drag(20, 20, 180, 130);
  Choose(kToolBrush, kBlue, 2);
  Drag(60, 90, 140, 110, 8);  // a stroke inside the rectangle
  board_.SelectNext();        // the stroke
  board_.SelectNext();        // the rectangle
  Obj* rect = board_.selected();
  ASSERT_EQ(rect->kind, kObjectRectangle);
  Hover(100, 60);  // inside, on nothing
  Press(100, 60);
  Release(100, 60);
  EXPECT_EQ(board_.selected(), nullptr);
  EXPECT_EQ(board_.style_targets.back(), 0);
  board_.SelectNext();  // the rectangle again (after the stroke, wrapping)
  board_.SelectNext();
  ASSERT_EQ(board_.selected(), rect);
  Hover(100, 101);  // inside the rectangle, on the stroke
  EXPECT_EQ(board_.hovered(), Last());
  Press(100, 101);
  Release(100, 101);
  EXPECT_EQ(RecordCount(), 2) << "selecting is no step to undo";
  EXPECT_EQ(board_.selected(), Last());
  EXPECT_EQ(board_.style_targets.back(), kObjectPolyline);
  EXPECT_EQ(board_.GetPenColor(), kBlue) << "the pen takes the selected shape's style";
}

TEST_F(BoardEditing, APressOnAHoveredObjectMovesItAtOnce) {
  ThreeRectangles();
  board_.SelectNext();  // the third
  Hover(10, 25);        // the first one's left edge
  ASSERT_EQ(board_.hovered(), Nth(0));
  Press(10, 25);
  EXPECT_EQ(board_.selected(), Nth(0));
  Move(15, 30);
  EXPECT_TRUE(board_.shown_hover) << "dragged in hover style";
  EXPECT_EQ(Shown(15, 35), 0xFF00FFFFu);
  Release(15, 30);
  EXPECT_EQ(Nth(0)->rect, (Rect{15, 15, 55, 45}));
  EXPECT_TRUE(board_.shown_overlay);
  EXPECT_EQ(Shown(15, 35), 0xFFFF0000u);
  EXPECT_EQ(Shown(10, 35), Under(10, 35));
}

TEST_F(BoardEditing, AnArrowMovedPastTheEdgeIsPushedBackAndItsEndStaysOnTheBoard) {
  Choose(kToolArrow, kRed, 2);
  Drag(150, 50, 190, 60);
  board_.SelectNext();
  auto* a = static_cast<CScrawlBoard::CObjectArrow*>(board_.selected());
  Press(170, 55);  // the shaft: a move
  Move(220, 55);
  Release(220, 55);
  EXPECT_EQ(a->tail(), (Point{160, 50}));
  EXPECT_EQ(a->head(), (Point{kWidth, 60}));
  Press(160, 50);  // the tail's knob
  Move(-3000, 50);
  Release(-3000, 50);
  EXPECT_EQ(a->tail().x, 0);
  EXPECT_EQ(RecordCount(), 3);
}

TEST_F(BoardEditing, TheHoverFoundWhileChoosingTheCursorIsDrawnToo) {
  ThreeRectangles();
  board_.SelectNext();
  // The system asks for the cursor before it delivers the move.
  SetCursorPos(100 + kOriginX + 70, 100 + kOriginY + 25);
  LRESULT r = 0;
  EXPECT_TRUE(board_.ProcessMessage(host_, WM_SETCURSOR, reinterpret_cast<WPARAM>(host_),
                                    MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), r));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_SIZEALL));
  EXPECT_EQ(board_.hovered(), Nth(1));
  Send(WM_MOUSEMOVE, 70, 25);
  EXPECT_TRUE(board_.shown_hover);
  EXPECT_EQ(Shown(70, 25), 0xFF00FFFFu);
}

TEST_F(BoardEditing, RightClickShowsTheObjectForItsMenuWhoseDeleteRemovesIt) {
  ThreeRectangles();
  bool during = false;
  board_.on_menu = [&] {
    during = true;
    EXPECT_EQ(board_.context_object(), Nth(1));
    EXPECT_TRUE(board_.CanDelete());
    EXPECT_TRUE(board_.shown_overlay) << "highlighted while its menu is open";
    EXPECT_EQ(Shown(70, 25), 0xFFFF0000u);
    board_.Delete();
  };
  EXPECT_TRUE(Send(WM_RBUTTONDOWN, 70, 25, MK_RBUTTON));
  EXPECT_TRUE(during);
  ASSERT_EQ(board_.menus.size(), 1u);
  EXPECT_EQ(board_.menus[0].x, 100 + kOriginX + 70);  // screen coordinates
  EXPECT_EQ(board_.menus[0].y, 100 + kOriginY + 25);
  EXPECT_EQ(board_.context_object(), nullptr);
  EXPECT_TRUE(Nth(1)->deleted);
  EXPECT_EQ(Shown(70, 25), Under(70, 25));
  EXPECT_EQ(Shown(10, 25), 0xFFFF0000u);
  EXPECT_FALSE(board_.CanDelete()) << "no menu, no target";
  // On nothing: the menu opens with nothing to delete.
  board_.on_menu = [&] { EXPECT_FALSE(board_.CanDelete()); };
  Send(WM_RBUTTONDOWN, 100, 120, MK_RBUTTON);
  EXPECT_EQ(board_.menus.size(), 2u);
}

TEST_F(BoardEditing, ARefreshAfterTheMenuPutsTheObjectBackUnderAnyTool) {
  ThreeRectangles();
  // A tool chosen from the menu, then the refresh the menu's answer asks for.
  board_.on_menu = [&] {
    EXPECT_EQ(At(board_.background_layer(), 70, 25), Under(70, 25)) << "lifted for the menu";
    board_.SetTool(kToolMosaic);
    board_.Refresh();
  };
  Send(WM_RBUTTONDOWN, 70, 25, MK_RBUTTON);
  EXPECT_FALSE(board_.shown_overlay);
  EXPECT_EQ(At(board_.background_layer(), 70, 25), 0xFFFF0000u);
  EXPECT_EQ(Shown(70, 25), 0xFFFF0000u);
}

TEST_F(BoardEditing, DeleteTakesTheSelectionInSelectModeAndNothingUnderTheMosaicTool) {
  ThreeRectangles();
  board_.Delete();  // no menu, no selection: nothing
  EXPECT_EQ(RecordCount(), 3);
  board_.SelectNext();
  EXPECT_TRUE(board_.CanDelete());
  board_.Delete();
  EXPECT_TRUE(Nth(2)->deleted);
  EXPECT_EQ(board_.selected(), nullptr);
  EXPECT_EQ(RecordCount(), 4);
  board_.SetTool(kToolMosaic);
  board_.on_menu = [&] {
    EXPECT_FALSE(board_.CanDelete());
    board_.Delete();
  };
  Send(WM_RBUTTONDOWN, 10, 25, MK_RBUTTON);
  EXPECT_FALSE(Nth(0)->deleted);
}

TEST_F(BoardEditing, DeleteDuringADragEndsTheDragSafely) {
  ThreeRectangles();
  board_.SelectNext();
  Press(130, 25);  // the selected rectangle's left edge
  Move(100, 25);
  board_.Delete();  // the Delete key, with the mouse still down
  EXPECT_NE(GetCapture(), host_);
  Move(90, 25);
  Release(90, 25);
  EXPECT_TRUE(Nth(2)->deleted);
  EXPECT_EQ(Nth(2)->rect, (Rect{130, 10, 170, 40}));
  EXPECT_EQ(RecordCount(), 4);
  EXPECT_EQ(Shown(130, 25), Under(130, 25));
}

TEST_F(BoardEditing, CursorIsTheCrossInsideForADrawingToolAndTheArrowOutside) {
  HCURSOR cross = LoadCursorW(nullptr, IDC_IBEAM);  // any cursor will do as the host's
  board_.SetCrossCursor(cross);
  board_.SetTool(kToolRectangle);
  LRESULT r = 0;
  SetCursorPos(100 + kOriginX + 50, 100 + kOriginY + 50);
  EXPECT_TRUE(board_.ProcessMessage(host_, WM_SETCURSOR, 0, 0, r));
  EXPECT_EQ(GetCursor(), cross);
  SetCursorPos(100 + kOriginX - 5, 100 + kOriginY + 50);
  board_.ProcessMessage(host_, WM_SETCURSOR, 0, 0, r);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
}

}  // namespace
