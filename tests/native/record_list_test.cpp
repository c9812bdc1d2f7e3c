// The undo list's bookkeeping: where a record goes, what it cuts off and in which order, when
// undo and redo become possible, and the collapse of text-box records; checked against a plain
// model over a long random sequence.
#include "screenshot/board/record_list.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

namespace {

const char kOrdinary = 0, kTextBox = 0;

struct Rec : RecordLink {
  Rec(int i, bool text_box) : RecordLink(text_box ? &kTextBox : &kOrdinary), id(i) {}
  int id;
};

std::vector<int> Ids(RecordLink* chain) {
  std::vector<int> ids;
  for (RecordLink* r = chain; r; r = r->next) ids.push_back(static_cast<Rec*>(r)->id);
  return ids;
}

class RecordListTest : public testing::Test {
 protected:
  Rec* Make(bool text_box = false) {
    owned.push_back(std::make_unique<Rec>(static_cast<int>(owned.size()), text_box));
    return owned.back().get();
  }
  std::vector<int> All() const { return Ids(list.head()); }
  int Current() const { return list.current() ? static_cast<Rec*>(list.current())->id : -1; }

  RecordList list{&kTextBox};
  std::vector<std::unique_ptr<Rec>> owned;
};

TEST_F(RecordListTest, FirstPushMakesUndoPossible) {
  EXPECT_FALSE(list.CanUndo());
  EXPECT_FALSE(list.CanRedo());
  Rec* a = Make();
  EXPECT_EQ(a->unpushed, 1);
  const RecordList::PushOutcome out = list.Push(a);
  EXPECT_EQ(a->unpushed, 0);
  EXPECT_TRUE(out.undo_changed);
  EXPECT_FALSE(out.redo_changed);
  EXPECT_EQ(out.cut, nullptr);
  EXPECT_TRUE(list.CanUndo());
  EXPECT_FALSE(list.CanRedo());
  // A second push changes neither.
  const RecordList::PushOutcome again = list.Push(Make());
  EXPECT_FALSE(again.undo_changed);
  EXPECT_FALSE(again.redo_changed);
}

TEST_F(RecordListTest, DrawUndoDrawCutsTheUndoneRecord) {
  list.Push(Make());  // 0
  EXPECT_EQ(Ids(list.StepBack()), (std::vector<int>{0}));
  EXPECT_FALSE(list.CanUndo());
  EXPECT_TRUE(list.CanRedo());
  const RecordList::PushOutcome out = list.Push(Make());  // 1
  EXPECT_EQ(Ids(out.cut), (std::vector<int>{0}));
  EXPECT_TRUE(out.redo_changed);
  EXPECT_TRUE(out.undo_changed);
  EXPECT_EQ(All(), (std::vector<int>{1}));
  EXPECT_FALSE(list.CanRedo());
}

TEST_F(RecordListTest, UndoAndRedoWalkThePosition) {
  for (int i = 0; i < 3; ++i) list.Push(Make());
  EXPECT_EQ(list.StepBack(), owned[2].get());
  EXPECT_EQ(list.StepBack(), owned[1].get());
  EXPECT_EQ(Current(), 0);
  EXPECT_EQ(list.StepBack(), owned[0].get());
  EXPECT_EQ(list.StepBack(), nullptr);
  EXPECT_EQ(Current(), -1);
  EXPECT_EQ(list.StepForward(), owned[0].get());  // from the start: the head
  EXPECT_EQ(list.StepForward(), owned[1].get());
  // Cutting in the middle hands back the newer records, oldest first.
  const RecordList::PushOutcome out = list.Push(Make());  // 3
  EXPECT_EQ(Ids(out.cut), (std::vector<int>{2}));
  EXPECT_EQ(All(), (std::vector<int>{0, 1, 3}));
  EXPECT_EQ(list.StepForward(), nullptr);
  EXPECT_EQ(Ids(list.TakeAll()), (std::vector<int>{0, 1, 3}));
  EXPECT_FALSE(list.CanUndo());
  EXPECT_FALSE(list.CanRedo());
}

TEST_F(RecordListTest, AnOrdinaryRecordCollapsesTheTextBoxRecordsBeforeIt) {
  list.Push(Make());      // 0: ordinary
  list.Push(Make(true));  // 1: typing
  list.Push(Make(true));  // 2: typing
  EXPECT_EQ(All(), (std::vector<int>{0, 1, 2}));
  list.StepBack();  // undo one keystroke: 1 is current, 2 redoable
  RecordList::PushOutcome out = list.Push(Make(true));  // 3: more typing goes after 1
  EXPECT_EQ(Ids(out.cut), (std::vector<int>{2}));
  EXPECT_EQ(All(), (std::vector<int>{0, 1, 3}));
  // The box closes with its text: the creation lands after 0 and the typing is cut.
  out = list.Push(Make());  // 4
  EXPECT_EQ(Ids(out.cut), (std::vector<int>{1, 3}));
  EXPECT_FALSE(out.redo_changed);
  EXPECT_EQ(All(), (std::vector<int>{0, 4}));
  // With only text-box records, an ordinary record goes to the head.
  list.TakeAll();
  list.Push(Make(true));    // 5
  out = list.Push(Make());  // 6
  EXPECT_EQ(Ids(out.cut), (std::vector<int>{5}));
  EXPECT_EQ(All(), (std::vector<int>{6}));
}

// A plain model: the records as a vector and the number of them not undone.
TEST_F(RecordListTest, AgreesWithAPlainModelOverARandomSequence) {
  std::mt19937 rng(20240611);
  std::vector<int> model;
  size_t pos = 0;
  for (int step = 0; step < 100000; ++step) {
    const int op = static_cast<int>(rng() % 10);
    if (op < 4) {
      const bool text_box = rng() % 3 == 0;
      const bool could_undo = pos > 0, could_redo = pos < model.size();
      Rec* r = Make(text_box);
      size_t at = pos;
      if (!text_box)
        while (at > 0 &&
               static_cast<Rec*>(owned[static_cast<size_t>(model[at - 1])].get())->type_tag ==
                   &kTextBox)
          --at;
      std::vector<int> cut(model.begin() + static_cast<std::ptrdiff_t>(at), model.end());
      model.resize(at);
      model.push_back(r->id);
      pos = model.size();
      const RecordList::PushOutcome out = list.Push(r);
      ASSERT_EQ(Ids(out.cut), cut) << "step " << step;
      ASSERT_EQ(out.redo_changed, could_redo);
      ASSERT_EQ(out.undo_changed, !could_undo);
    } else if (op < 7) {
      RecordLink* r = list.StepBack();
      ASSERT_EQ(r == nullptr, pos == 0);
      if (r) {
        ASSERT_EQ(static_cast<Rec*>(r)->id, model[--pos]);
      }
    } else if (op < 9) {
      RecordLink* r = list.StepForward();
      ASSERT_EQ(r == nullptr, pos == model.size());
      if (r) {
        ASSERT_EQ(static_cast<Rec*>(r)->id, model[pos++]);
      }
    } else if (rng() % 50 == 0) {
      ASSERT_EQ(Ids(list.TakeAll()), model);
      model.clear();
      pos = 0;
    }
    ASSERT_EQ(list.CanUndo(), pos > 0);
    ASSERT_EQ(list.CanRedo(), pos < model.size());
    if (step % 997 == 0) {
      ASSERT_EQ(All(), model);
    }
  }
}

TEST_F(RecordListTest, ClosingTextBoxCutsItsRecordsAfterTheLastOrdinaryOne) {
  Rec* a = Make();
  list.Push(a);
  Rec* b = Make(true);
  Rec* c = Make(true);
  list.Push(b);
  list.Push(c);
  list.StepBack();  // c undone: b current
  RecordLink* cut = list.CutTextBoxRecords();
  EXPECT_EQ(Ids(cut), (std::vector<int>{1, 2}));
  EXPECT_EQ(All(), (std::vector<int>{0}));
  EXPECT_EQ(Current(), 0);
  EXPECT_FALSE(list.CanRedo());
  EXPECT_EQ(list.CutTextBoxRecords(), nullptr);
  // Only text-box records: the list empties.
  RecordList only{&kTextBox};
  Rec* d = Make(true);
  only.Push(d);
  EXPECT_EQ(Ids(only.CutTextBoxRecords()), (std::vector<int>{3}));
  EXPECT_EQ(only.head(), nullptr);
  EXPECT_FALSE(only.CanUndo());
}

}  // namespace
