#include "device/TimedReportQueue.h"

#include <algorithm>
#include <string>

#include "platform/Diag.h"

namespace zor {
namespace {

constexpr std::string_view kDiag = "drivers";

}  // namespace

TimedReport::TimedReport(std::span<const uint8_t> report, int pause_ms)
    : size(static_cast<uint8_t>(std::min(report.size(), kMaxBytes))), pause_after_ms(pause_ms) {
  std::copy_n(report.begin(), size, bytes.begin());
}

TimedReportQueue::TimedReportQueue(ITaskTimer& timer, Sender send) : timer_(timer), send_(std::move(send)) {}

TimedReportQueue::~TimedReportQueue() { Cancel(); }

void TimedReportQueue::Send(std::span<const uint8_t> report) {
  std::lock_guard lock(mutex_);
  if (entries_.empty() && !pausing_) {
    send_(report);
    return;
  }
  if (entries_.size() >= kMaxQueuedReports) {
    diag::Write(kDiag, "input queue full: a report of " + std::to_string(report.size()) + " bytes is dropped");
    return;
  }
  entries_.push_back({TimedReport(report, 0), {}});
}

InputCompletion TimedReportQueue::SendTimed(std::vector<TimedReport> reports) {
  std::lock_guard lock(mutex_);
  if (entries_.size() + reports.size() >= kMaxQueuedReports) {
    diag::Write(kDiag, "input queue full: a sequence of " + std::to_string(reports.size()) + " reports is refused");
    return InputCompletion::Finished(InputCompletion::Outcome::Refused);
  }
  for (TimedReport& report : reports) entries_.push_back({std::move(report), {}});
  InputCompletion done = InputCompletion::Pending();
  entries_.push_back({TimedReport(), done});
  PumpLocked();
  return done;
}

void TimedReportQueue::Cancel() {
  std::lock_guard lock(mutex_);
  DropLocked(InputCompletion::Outcome::Cancelled);
}

void TimedReportQueue::PumpLocked() {
  while (!pausing_ && !entries_.empty()) {
    const Entry entry = std::move(entries_.front());
    entries_.pop_front();
    if (entry.report.size == 0) {
      entry.done.Finish(InputCompletion::Outcome::Sent);
      continue;
    }
    send_(entry.report.View());
    if (entry.report.pause_after_ms > 0) ArmLocked(entry.report.pause_after_ms);
  }
}

void TimedReportQueue::ArmLocked(int pause_ms) {
  pausing_ = true;
  const uint64_t generation = generation_;
  // The channel is not running: what is left could never go out.
  if (!timer_.RunAfter(pause_ms, [this, generation] { OnPauseOver(generation); })) {
    DropLocked(InputCompletion::Outcome::Cancelled);
  }
}

// On the timer's thread.
void TimedReportQueue::OnPauseOver(uint64_t generation) {
  std::lock_guard lock(mutex_);
  if (generation != generation_) return;
  pausing_ = false;
  PumpLocked();
}

void TimedReportQueue::DropLocked(InputCompletion::Outcome outcome) {
  ++generation_;
  pausing_ = false;
  for (const Entry& entry : entries_) entry.done.Finish(outcome);
  entries_.clear();
}

}  // namespace zor
