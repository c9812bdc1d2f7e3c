// Pre-dispatch message filters and their process-wide registry.
#include "screenshot/base/message_filter.h"

#include <algorithm>
#include <memory>

void MessageFilterList::Add(MessageFilter* filter) {
  filter->pass_counter_ = 0;
  filters_.push_back(filter);
}

bool MessageFilterList::Remove(MessageFilter* filter) {
  auto it = std::find(filters_.begin(), filters_.end(), filter);
  if (it == filters_.end()) return false;
  filter->pass_counter_ = 0;
  filters_.erase(it);
  return true;
}

bool MessageFilterList::Contains(const MessageFilter* filter) const {
  return std::find(filters_.begin(), filters_.end(), filter) != filters_.end();
}

bool MessageFilterList::Run(tagMSG* msg) {
  if (filters_.empty()) return false;
  // Small snapshots stay on the stack: this runs for every message of the thread.
  MessageFilter* local[32];
  std::unique_ptr<MessageFilter*[]> heap;
  const std::size_t n = filters_.size();
  MessageFilter** snapshot = local;
  if (n > 32) {
    heap.reset(new MessageFilter*[n]);
    snapshot = heap.get();
  }
  std::copy(filters_.begin(), filters_.end(), snapshot);
  for (std::size_t i = 0; i < n; ++i) ++snapshot[i]->pass_counter_;

  // A filter that left (or left and came back) during the pass had its counter reset to 0.
  bool consumed = false;
  for (std::size_t i = 0; i < n && !consumed; ++i) {
    MessageFilter* f = snapshot[i];
    if (Contains(f) && f->pass_counter_ != 0 && f->FilterMessage(msg)) consumed = true;
  }
  for (std::size_t i = 0; i < n; ++i) {
    MessageFilter* f = snapshot[i];
    if (Contains(f) && f->pass_counter_ != 0) --f->pass_counter_;
  }
  return consumed;
}

namespace {
MessageFilterList* g_filters = nullptr;
}

void CreateMessageFilterList() {
  if (!g_filters) g_filters = new MessageFilterList;
}

void DestroyMessageFilterList() {
  delete g_filters;
  g_filters = nullptr;
}

MessageFilterList* GetMessageFilterList() { return g_filters; }

bool AddMessageFilter(MessageFilter* filter) {
  if (!g_filters || !filter) return false;
  g_filters->Add(filter);
  return true;
}

bool RemoveMessageFilter(MessageFilter* filter) {
  if (!g_filters || !filter) return false;
  g_filters->Remove(filter);
  return true;
}
