// What every drawn object is apart from its drawing, its weak references and the object list.
#include "screenshot/board/object_core.h"

std::atomic<int32_t> ObjectCore::live_count_{0};

void DropWeakRef(WeakRefNode* node) {
  if (node && node->count.fetch_sub(1) == 1) delete node;
}

ObjectCore::ObjectCore(ObjectList& list, ObjectKind k) : kind(k) {
  ++live_count_;
  list.Append(this);
}

ObjectCore::~ObjectCore() {
  WeakRefNode* node = weak_head_.exchange(nullptr);
  while (node) {
    WeakRefNode* next = node->next;  // read before the node may be freed
    node->target.store(nullptr);
    DropWeakRef(node);
    node = next;
  }
  --live_count_;
}

WeakRefNode* ObjectCore::TakeWeakRef() {
  for (WeakRefNode* n = weak_head_.load(); n; n = n->next) {
    if (n->target.load() == this) {
      n->count.fetch_add(1);
      return n;
    }
  }
  auto* fresh = new WeakRefNode{{this}, nullptr, {2}};
  WeakRefNode* head = weak_head_.load();
  do {
    fresh->next = head;
  } while (!weak_head_.compare_exchange_weak(head, fresh));
  return fresh;
}

void ObjectList::Append(ObjectCore* o) {
  o->next = nullptr;
  o->prev = tail_;
  if (tail_)
    tail_->next = o;
  else
    head_ = o;
  tail_ = o;
}

void ObjectList::Unlink(ObjectCore* o) {
  if (o->prev)
    o->prev->next = o->next;
  else
    head_ = o->next;
  if (o->next)
    o->next->prev = o->prev;
  else
    tail_ = o->prev;
  o->next = o->prev = nullptr;
}

int ObjectList::Count() const {
  int n = 0;
  for (const ObjectCore* o = head_; o; o = o->next) ++n;
  return n;
}

bool ObjectList::HasLive() const {
  for (const ObjectCore* o = head_; o; o = o->next)
    if (o->IsLive()) return true;
  return false;
}

ObjectCore* ObjectList::NextLiveAfter(const ObjectCore* from) const {
  if (!from) {
    if (tail_ && tail_->IsLive()) return tail_;
    for (ObjectCore* o = head_; o; o = o->next)
      if (o->IsLive()) return o;
    return nullptr;
  }
  for (ObjectCore* o = from->next; o; o = o->next)
    if (o->IsLive()) return o;
  for (ObjectCore* o = head_; o && o != from; o = o->next)
    if (o->IsLive()) return o;
  return from->IsLive() ? const_cast<ObjectCore*>(from) : nullptr;
}
