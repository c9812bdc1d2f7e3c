// Pre-dispatch message filters and their process-wide registry.
//
// The engine's message loop offers every queued message to the registered filters before it is
// translated and dispatched; the colour bar and the text bar register while their windows exist.
// Filters may add or remove filters (themselves included) from inside FilterMessage, so a pass
// works on a snapshot and each filter's pass counter tells whether it is still the same
// registration it was when the pass started.
#pragma once

#include <vector>

struct tagMSG;  // MSG of windows.h; kept opaque so this unit builds without it.

class MessageFilter {
 public:
  virtual ~MessageFilter() = default;
  // Called with every queued message before dispatch; non-zero consumes the message.
  virtual int FilterMessage(tagMSG* msg) {
    (void)msg;
    return 0;
  }

  // Reset to 0 whenever the filter joins or leaves the registry; counted up and down by a pass.
  int pass_counter_ = 0;
};

class MessageFilterList {
 public:
  // Appends the filter (a filter already listed is listed once more); resets its counter.
  void Add(MessageFilter* filter);
  // Takes the filter out (its first listing); resets its counter. False when it was not listed.
  bool Remove(MessageFilter* filter);
  bool Contains(const MessageFilter* filter) const;
  // Offers the message to a snapshot of the filters; true when one consumed it. A filter removed
  // or re-added during the pass is not called again in it; one no longer listed is not touched.
  bool Run(tagMSG* msg);
  std::size_t size() const { return filters_.size(); }

 private:
  std::vector<MessageFilter*> filters_;
};

// The process-wide registry: created before the capture run, destroyed after it.
void CreateMessageFilterList();
void DestroyMessageFilterList();
MessageFilterList* GetMessageFilterList();
// Both answer false when no registry exists.
bool AddMessageFilter(MessageFilter* filter);
bool RemoveMessageFilter(MessageFilter* filter);
