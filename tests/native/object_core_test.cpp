// The object core: weak references that read none once their object is gone, reference counts,
// the object list and the order select next walks it in.
#include "screenshot/board/object_core.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

namespace {

struct TestObject : ObjectCore {
  explicit TestObject(ObjectList& list) : ObjectCore(list, kObjectRectangle) {}
  int32_t AddRef() { return AddRefCount(); }
  int32_t Release() {
    const int32_t left = ReleaseCount();
    if (left == 0) delete this;
    return left;
  }
};

TEST(WeakRef, ReadsNoneOnceTheObjectIsDestroyed) {
  ObjectList list;
  const int32_t before = ObjectCore::LiveCount();
  auto* o = new TestObject(list);
  EXPECT_EQ(ObjectCore::LiveCount(), before + 1);
  WeakRef<TestObject> a(o), b(o);
  WeakRef<TestObject> c;
  c.Reset(o);
  EXPECT_EQ(a.get(), o);
  EXPECT_EQ(b.get(), o);
  b.Reset();  // dropped before the object goes: the shared node lives on for a and c
  EXPECT_EQ(b.get(), nullptr);
  WeakRef<TestObject> moved(std::move(c));
  EXPECT_EQ(c.get(), nullptr);
  EXPECT_EQ(moved.get(), o);
  list.Unlink(o);
  EXPECT_EQ(o->Release(), 0);  // the list's count: destroyed
  EXPECT_EQ(ObjectCore::LiveCount(), before);
  EXPECT_EQ(a.get(), nullptr);
  EXPECT_EQ(moved.get(), nullptr);
  EXPECT_FALSE(a);
  // A reference reset to another object follows it.
  auto* p = new TestObject(list);
  a.Reset(p);
  EXPECT_EQ(a.get(), p);
  list.Unlink(p);
  p->Release();
  EXPECT_EQ(a.get(), nullptr);
}

TEST(WeakRef, TakenAndDroppedFromManyThreadsAtOnce) {
  ObjectList list;
  auto* o = new TestObject(list);
  std::vector<std::thread> threads;
  std::vector<std::unique_ptr<WeakRef<TestObject>>> kept(8);
  for (int t = 0; t < 8; ++t)
    threads.emplace_back([o, &kept, t] {
      for (int i = 0; i < 2000; ++i) {
        WeakRef<TestObject> r(o);
        if (r.get() != o) std::abort();
      }
      kept[static_cast<size_t>(t)] = std::make_unique<WeakRef<TestObject>>(o);
    });
  for (std::thread& t : threads) t.join();
  list.Unlink(o);
  o->Release();
  for (auto& r : kept) EXPECT_EQ(r->get(), nullptr);
}

TEST(ObjectCore, ReferenceCountKeepsTheObjectUntilTheLastRelease) {
  ObjectList list;
  const int32_t before = ObjectCore::LiveCount();
  auto* o = new TestObject(list);
  EXPECT_EQ(o->ref_count(), 1);
  EXPECT_EQ(o->AddRef(), 2);
  list.Unlink(o);
  EXPECT_EQ(o->Release(), 1);
  EXPECT_EQ(ObjectCore::LiveCount(), before + 1);
  EXPECT_EQ(o->Release(), 0);
  EXPECT_EQ(ObjectCore::LiveCount(), before);
}

class ObjectListTest : public testing::Test {
 protected:
  ~ObjectListTest() override {
    while (ObjectCore* o = list.head()) {
      list.Unlink(o);
      static_cast<TestObject*>(o)->Release();
    }
  }
  TestObject* Add() { return new TestObject(list); }
  ObjectList list;
};

TEST_F(ObjectListTest, AppendsInCreationOrderAndUnlinksAnywhere) {
  TestObject* a = Add();
  TestObject* b = Add();
  TestObject* c = Add();
  EXPECT_EQ(list.head(), a);
  EXPECT_EQ(list.tail(), c);
  EXPECT_EQ(a->next, b);
  EXPECT_EQ(c->prev, b);
  EXPECT_EQ(list.Count(), 3);
  list.Unlink(b);
  EXPECT_EQ(a->next, c);
  EXPECT_EQ(c->prev, a);
  b->Release();
  list.Unlink(c);
  EXPECT_EQ(list.tail(), a);
  c->Release();
  list.Unlink(a);
  EXPECT_EQ(list.head(), nullptr);
  EXPECT_EQ(list.tail(), nullptr);
  a->Release();
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(ObjectListTest, SelectNextWalksLiveObjectsAndWraps) {
  TestObject* a = Add();
  TestObject* b = Add();
  TestObject* c = Add();
  EXPECT_EQ(list.NextLiveAfter(nullptr), c);  // nothing selected: the tail
  EXPECT_EQ(list.NextLiveAfter(b), c);
  EXPECT_EQ(list.NextLiveAfter(c), a);
  EXPECT_EQ(list.NextLiveAfter(a), b);
  c->alive = 0;                               // its creation undone
  EXPECT_EQ(list.NextLiveAfter(nullptr), a);  // the tail is dead: the first live from the head
  EXPECT_EQ(list.NextLiveAfter(b), a);
  a->deleted = 1;
  EXPECT_EQ(list.NextLiveAfter(b), b);  // the only live one
  b->alive = 0;
  EXPECT_EQ(list.NextLiveAfter(nullptr), nullptr);
  EXPECT_EQ(list.NextLiveAfter(b), nullptr);
  EXPECT_FALSE(list.HasLive());
}

TEST_F(ObjectListTest, TopmostLiveSearchesFromTheTail) {
  TestObject* a = Add();
  TestObject* b = Add();
  TestObject* c = Add();
  auto any = [](ObjectCore*) { return true; };
  EXPECT_EQ(list.TopmostLive(any), c);
  EXPECT_EQ(list.TopmostLive(any, c), b);
  b->deleted = 1;
  EXPECT_EQ(list.TopmostLive(any, c), a);
  EXPECT_EQ(list.TopmostLive([a](ObjectCore* o) { return o == a; }), a);
  EXPECT_EQ(list.TopmostLive([](ObjectCore*) { return false; }), nullptr);
}

}  // namespace
