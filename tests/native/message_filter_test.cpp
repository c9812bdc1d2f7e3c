// The message filter registry: pass snapshots and removal during a pass.
#include "screenshot/base/message_filter.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

struct RecordingFilter : MessageFilter {
  std::string name;
  std::string* log;
  std::function<int(RecordingFilter*)> action;
  RecordingFilter(std::string n, std::string* l) : name(std::move(n)), log(l) {}
  int FilterMessage(tagMSG*) override {
    *log += name;
    return action ? action(this) : 0;
  }
};

class FilterListTest : public ::testing::Test {
 protected:
  void SetUp() override { CreateMessageFilterList(); }
  void TearDown() override { DestroyMessageFilterList(); }
  std::string log;
};

TEST_F(FilterListTest, CalledInOrderUntilOneConsumes) {
  RecordingFilter a("a", &log), b("b", &log), c("c", &log);
  b.action = [](RecordingFilter*) { return 1; };
  ASSERT_TRUE(AddMessageFilter(&a) && AddMessageFilter(&b) && AddMessageFilter(&c));
  EXPECT_TRUE(GetMessageFilterList()->Run(nullptr));
  EXPECT_EQ(log, "ab");
  // Counters go back to zero after a pass.
  EXPECT_EQ(a.pass_counter_, 0);
  EXPECT_EQ(c.pass_counter_, 0);
}

TEST_F(FilterListTest, FilterRemovingItselfIsNotCalledAgainButTheNextOneIs) {
  RecordingFilter a("a", &log), b("b", &log);
  a.action = [](RecordingFilter* self) {
    RemoveMessageFilter(self);
    return 0;
  };
  AddMessageFilter(&a);
  AddMessageFilter(&b);
  EXPECT_FALSE(GetMessageFilterList()->Run(nullptr));
  EXPECT_EQ(log, "ab");
  EXPECT_FALSE(GetMessageFilterList()->Run(nullptr));
  EXPECT_EQ(log, "abb");
  EXPECT_EQ(a.pass_counter_, 0);
}

TEST_F(FilterListTest, FilterRemovedOrReAddedByAnotherIsSkippedInThatPass) {
  RecordingFilter a("a", &log), b("b", &log), c("c", &log);
  bool done = false;
  a.action = [&](RecordingFilter*) {
    if (done) return 0;
    done = true;
    RemoveMessageFilter(&b);
    RemoveMessageFilter(&c);
    AddMessageFilter(&c);  // re-added: a new registration, not part of this pass
    return 0;
  };
  AddMessageFilter(&a);
  AddMessageFilter(&b);
  AddMessageFilter(&c);
  GetMessageFilterList()->Run(nullptr);
  EXPECT_EQ(log, "a");
  EXPECT_EQ(c.pass_counter_, 0);
  log.clear();
  GetMessageFilterList()->Run(nullptr);
  EXPECT_EQ(log, "ac");
}

TEST_F(FilterListTest, FilterAddedDuringAPassWaitsForTheNext) {
  RecordingFilter a("a", &log), b("b", &log);
  a.action = [&](RecordingFilter*) {
    if (!GetMessageFilterList()->Contains(&b)) AddMessageFilter(&b);
    return 0;
  };
  AddMessageFilter(&a);
  GetMessageFilterList()->Run(nullptr);
  EXPECT_EQ(log, "a");
  GetMessageFilterList()->Run(nullptr);
  EXPECT_EQ(log, "aab");
}

TEST_F(FilterListTest, MoreThanThirtyTwoFilters) {
  std::vector<std::unique_ptr<RecordingFilter>> filters;
  for (int i = 0; i < 40; ++i) {
    filters.emplace_back(new RecordingFilter(std::string(1, static_cast<char>('A' + i)), &log));
    AddMessageFilter(filters.back().get());
  }
  filters[39]->action = [](RecordingFilter*) { return 1; };
  EXPECT_TRUE(GetMessageFilterList()->Run(nullptr));
  EXPECT_EQ(log.size(), 40u);
}

TEST(FilterRegistry, AddAndRemoveFailWithoutARegistry) {
  std::string log;
  RecordingFilter a("a", &log);
  EXPECT_FALSE(AddMessageFilter(&a));
  EXPECT_FALSE(RemoveMessageFilter(&a));
  EXPECT_EQ(GetMessageFilterList(), nullptr);
}

}  // namespace
