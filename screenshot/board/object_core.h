// What every drawn object of the annotation board is apart from its drawing: its place in the
// board's list (creation order, the tail on top), its alive and deleted flags, kind, geometry
// rectangle, hit mask, reference count, and the weak references that others hold to it.
//
// A weak reference does not keep its object alive and reads as none once the object is gone.
// References to one object share a node {target, next, count}: taking one reuses the object's
// node (count + 1) or pushes a new one (count 2: the object's list and the holder) with a
// compare-exchange; the object's destructor sets every node's target to none and drops its own
// count, and the last holder frees the node.
#pragma once

#include <atomic>
#include <cstdint>

#include "screenshot/base/geometry.h"
#include "screenshot/board/board_types.h"
#include "screenshot/board/hit_mask.h"

class ObjectCore;
class ObjectList;

struct WeakRefNode {
  std::atomic<ObjectCore*> target;
  WeakRefNode* next;
  std::atomic<int32_t> count;
};

// Drops one count of a node, freeing it at zero.
void DropWeakRef(WeakRefNode* node);

class ObjectCore {
 public:
  // Appends the object at the tail of `list` at once; it keeps no pointer to the list. The
  // reference count starts at 1: the list's.
  ObjectCore(ObjectList& list, ObjectKind kind);
  // Every weak reference to the object reads none from now on.
  ~ObjectCore();
  ObjectCore(const ObjectCore&) = delete;
  ObjectCore& operator=(const ObjectCore&) = delete;

  // A weak reference to this object: the existing node with its count raised, or a new one.
  WeakRefNode* TakeWeakRef();

  bool IsLive() const { return alive != 0 && deleted == 0; }
  int32_t ref_count() const { return refs_.load(); }
  // How many objects exist in the process (made and not yet destroyed).
  static int32_t LiveCount() { return live_count_.load(); }

  ObjectCore* next = nullptr;  // newer, drawn above
  ObjectCore* prev = nullptr;  // older
  int32_t alive = 1;           // cleared while its creation is undone
  int32_t deleted = 0;         // set while it is deleted
  HitMask hit_mask;            // made on first use, dropped whenever the geometry changes
  const ObjectKind kind;
  // Normalised for rectangles, ellipses and mosaics; tail (left, top) and head (right, bottom)
  // for an arrow; the bounding box of its points for a free-hand line.
  Rect rect;

 protected:
  int32_t AddRefCount() { return refs_.fetch_add(1) + 1; }
  int32_t ReleaseCount() { return refs_.fetch_sub(1) - 1; }

 private:
  std::atomic<WeakRefNode*> weak_head_{nullptr};
  std::atomic<int32_t> refs_{1};
  static std::atomic<int32_t> live_count_;
};

// A weak reference held by the board or a test: get() is the object, or null once it is gone.
template <typename T>
class WeakRef {
 public:
  WeakRef() = default;
  explicit WeakRef(T* object) { Reset(object); }
  ~WeakRef() { Reset(); }
  WeakRef(const WeakRef&) = delete;
  WeakRef& operator=(const WeakRef&) = delete;
  WeakRef(WeakRef&& other) noexcept : node_(other.node_) { other.node_ = nullptr; }
  WeakRef& operator=(WeakRef&& other) noexcept {
    if (this != &other) {
      Reset();
      node_ = other.node_;
      other.node_ = nullptr;
    }
    return *this;
  }

  T* get() const {
    ObjectCore* o = node_ ? node_->target.load() : nullptr;
    return o ? static_cast<T*>(o) : nullptr;
  }
  explicit operator bool() const { return get() != nullptr; }
  // Refers to `object` from now on (none for null), dropping the reference held before.
  void Reset(T* object = nullptr) {
    WeakRefNode* taken = object ? object->TakeWeakRef() : nullptr;
    if (node_) DropWeakRef(node_);
    node_ = taken;
  }

 private:
  WeakRefNode* node_ = nullptr;
};

// The board's objects in creation order: a doubly linked list of ObjectCore, head the oldest.
class ObjectList {
 public:
  ObjectCore* head() const { return head_; }
  ObjectCore* tail() const { return tail_; }
  void Append(ObjectCore* o);
  // Takes `o` out of the list (it must be in it); the object itself is left alone.
  void Unlink(ObjectCore* o);
  int Count() const;

  // The object select next moves to from `from` (null: nothing selected): the first live object
  // after it in creation order, wrapping from the tail to the head; `from` itself when no other
  // is live. From null: the tail when it is live, else the first live object from the head.
  ObjectCore* NextLiveAfter(const ObjectCore* from) const;
  // The topmost live object other than `except` for which `hit(object)` holds, or null.
  template <typename Pred>
  ObjectCore* TopmostLive(Pred hit, const ObjectCore* except = nullptr) const {
    for (ObjectCore* o = tail_; o; o = o->prev)
      if (o != except && o->IsLive() && hit(o)) return o;
    return nullptr;
  }
  bool HasLive() const;

 private:
  ObjectCore* head_ = nullptr;
  ObjectCore* tail_ = nullptr;
};
