// Window lookup over the snapshot tree (depth first, children before their parent, the root
// last) and the windows the highlight never takes.
#include "screenshot/capture/window_tree.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

struct FakeLive : WindowLiveState {
  std::set<uintptr_t> gone, hidden, transparent;
  mutable int queries = 0;
  bool Exists(uintptr_t w) const override {
    ++queries;
    return !gone.count(w);
  }
  bool IsVisible(uintptr_t w) const override {
    ++queries;
    return !hidden.count(w);
  }
  bool IsMouseTransparent(uintptr_t w) const override {
    ++queries;
    return transparent.count(w) != 0;
  }
};

WindowNode Node(uintptr_t id, Rect r, std::vector<WindowNode> children = {}) {
  WindowNode n;
  n.window = id;
  n.rect = r;
  n.children = std::move(children);
  return n;
}

// Desktop 1 (0,0,1920,1080) with, topmost first:
//   10 (100,100,500,500) > 11 (150,150,300,300) > 12 (160,160,200,200); 13 (400,400,450,450)
//   20 (400,400,800,800) > 21 (0,0,0,0) > 22 (700,700,750,750)
//   30 (1000,0,1100,100)
WindowNode Desktop() {
  return Node(
      1, {0, 0, 1920, 1080},
      {Node(10, {100, 100, 500, 500},
            {Node(11, {150, 150, 300, 300}, {Node(12, {160, 160, 200, 200})}),
             Node(13, {400, 400, 450, 450})}),
       Node(20, {400, 400, 800, 800}, {Node(21, {0, 0, 0, 0}, {Node(22, {700, 700, 750, 750})})}),
       Node(30, {1000, 0, 1100, 100})});
}

uintptr_t At(const WindowNode& root, Point p, const FakeLive& live) {
  const WindowNode* n = FindWindowAt(root, p, live);
  return n ? n->window : 0;
}

TEST(WindowTree, DeepestWindowOfTheTopmostBranch) {
  const WindowNode root = Desktop();
  FakeLive live;
  EXPECT_EQ(At(root, {170, 170}, live), 12u);
  EXPECT_EQ(At(root, {250, 250}, live), 11u);
  EXPECT_EQ(At(root, {120, 450}, live), 10u);
  EXPECT_EQ(At(root, {420, 420}, live), 13u);  // 10's child wins over 20 below it
  EXPECT_EQ(At(root, {600, 600}, live), 20u);
  EXPECT_EQ(At(root, {720, 720}, live), 22u);  // found through a child with an empty rectangle
  EXPECT_EQ(At(root, {1099, 99}, live), 30u);
  EXPECT_EQ(At(root, {1100, 99}, live), 1u);  // right edge exclusive: the desktop
  EXPECT_EQ(At(root, {-1, 5}, live), 0u);
  const WindowNode* found = FindWindowAt(root, {170, 170}, live);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->rect, (Rect{160, 160, 200, 200}));
}

TEST(WindowTree, LiveStateDisqualifies) {
  const WindowNode root = Desktop();
  FakeLive live;
  live.hidden = {12};
  EXPECT_EQ(At(root, {170, 170}, live), 11u);
  live.gone = {10};  // its children are still searched
  EXPECT_EQ(At(root, {170, 170}, live), 11u);
  EXPECT_EQ(At(root, {120, 450}, live), 1u);
  EXPECT_EQ(At(root, {420, 420}, live), 13u);
  live.transparent = {13};
  EXPECT_EQ(At(root, {420, 420}, live), 20u);
  live.gone.insert(1);
  EXPECT_EQ(At(root, {1500, 900}, live), 0u);
  // Nodes whose recorded rectangle misses the point are not asked about.
  FakeLive counting;
  At(root, {1050, 50}, counting);
  EXPECT_EQ(counting.queries, 3);  // only window 30
}

struct FakeClasses : WindowClassInfo {
  std::map<uintptr_t, std::wstring> names;
  std::map<uintptr_t, uintptr_t> parents;
  std::wstring ClassName(uintptr_t w) const override {
    auto it = names.find(w);
    return it == names.end() ? std::wstring() : it->second;
  }
  uintptr_t Parent(uintptr_t w) const override {
    auto it = parents.find(w);
    return it == parents.end() ? 0 : it->second;
  }
};

TEST(HighlightExclusion, DesktopAndItsIconView) {
  FakeClasses c;
  c.names = {{5, L"syslistview32"},  {6, L"SHELLDLL_DefView"},  {7, L"PROGMAN"},
             {8, L"SysListView32"},  {9, L"SHELLDLL_DefView"},  {15, L"WorkerW"},
             {16, L"SysListView32"}, {17, L"Shelldll_DefView"}, {18, L"Progman"},
             {19, L"Notepad"}};
  c.parents = {{5, 6}, {6, 7}, {8, 9}, {9, 15}, {16, 17}, {19, 17}};
  EXPECT_TRUE(IsExcludedFromHighlight(100, 100, c));  // the desktop window
  EXPECT_TRUE(IsExcludedFromHighlight(5, 100, c));    // case is ignored
  EXPECT_FALSE(IsExcludedFromHighlight(8, 100, c));   // grandparent is not Progman
  EXPECT_FALSE(IsExcludedFromHighlight(16, 100, c));  // no grandparent
  EXPECT_FALSE(IsExcludedFromHighlight(19, 100, c));  // not a list view
  EXPECT_FALSE(IsExcludedFromHighlight(6, 100, c));
  c.parents[17] = 18;
  EXPECT_TRUE(IsExcludedFromHighlight(16, 100, c));
  c.names[16] = L"SysListView32x";  // a longer name is another class
  EXPECT_FALSE(IsExcludedFromHighlight(16, 100, c));
  c.names[16] = L"SysListView3";
  EXPECT_FALSE(IsExcludedFromHighlight(16, 100, c));
}

TEST(WindowTree, HighlightChangesOnlyWhenAnotherWindowIsUnderThePointer) {
  using S = HighlightStep;
  // Hunting: a new window moves the highlight; the same one, none or an excluded one keep it.
  EXPECT_EQ(NextHighlight(true, 0, 7, false), S::Move);
  EXPECT_EQ(NextHighlight(true, 5, 7, false), S::Move);
  EXPECT_EQ(NextHighlight(true, 7, 7, false), S::Keep);
  EXPECT_EQ(NextHighlight(true, 7, 0, false), S::Keep);
  EXPECT_EQ(NextHighlight(true, 7, 9, true), S::Keep);
  EXPECT_EQ(NextHighlight(true, 0, 9, true), S::Keep);
  EXPECT_EQ(NextHighlight(true, 0, 0, false), S::Keep);
  // Detection switched off: whatever is highlighted goes, whatever lies under the pointer.
  EXPECT_EQ(NextHighlight(false, 7, 7, false), S::Clear);
  EXPECT_EQ(NextHighlight(false, 7, 9, false), S::Clear);
  EXPECT_EQ(NextHighlight(false, 0, 9, false), S::Keep);
}

}  // namespace
