#pragma once
// Consumers with a stated need that write every frame they get into one shared journal, in
// delivery order, so a test can tell which sizes went where and in what order.
#include <mutex>
#include <string>
#include <vector>

#include "session/FrameMailbox.h"

namespace zor::test {

struct JournalEntry {
  std::string who;  // the consumer's name, or a mark the test wrote
  bool scaled = false;
  uint32_t width = 0;
  uint32_t screen_width = 0;
};

class FrameJournal {
 public:
  void Write(JournalEntry entry) {
    std::lock_guard lock(mutex_);
    entries_.push_back(std::move(entry));
  }
  void Mark(const std::string& mark) { Write({mark}); }
  std::vector<JournalEntry> Entries() const {
    std::lock_guard lock(mutex_);
    return entries_;
  }
  // Entries of `who` after the last `mark` (after all of them when `mark` is empty).
  std::vector<JournalEntry> After(const std::string& mark, const std::string& who) const {
    std::lock_guard lock(mutex_);
    size_t start = 0;
    for (size_t i = 0; i < entries_.size(); ++i) {
      if (!mark.empty() && entries_[i].who == mark) start = i + 1;
    }
    std::vector<JournalEntry> found;
    for (size_t i = start; i < entries_.size(); ++i) {
      if (entries_[i].who == who) found.push_back(entries_[i]);
    }
    return found;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<JournalEntry> entries_;
};

class JournalingConsumer : public FrameMailbox {
 public:
  JournalingConsumer(std::string name, PictureNeed need, FrameJournal& journal)
      : name_(std::move(name)), need_(need), journal_(journal) {}

  void OnFrame(const FramePtr& frame) override {
    journal_.Write({name_, frame->Scaled(), frame->width, frame->ScreenWidth()});
    FrameMailbox::OnFrame(frame);
  }
  PictureNeed Need() const override { return need_; }

 private:
  const std::string name_;
  const PictureNeed need_;
  FrameJournal& journal_;
};

}  // namespace zor::test
