#pragma once
// A run log: one JSON-lines file per device per run, with every event's line (the time added)
// and a JPEG of the device's screen at the events worth seeing afterwards: "stalled", "paused",
// "scene_load_failed", and the first "match" of each Item. The line of such an event names its
// picture ("picture"), or says why it has none ("picture_dropped").
//
// Threads: Write comes from the runner's threads (workers, the driver's thread, the UI
// thread) and only queues; the log's own thread encodes and writes, so a slow disk never holds
// a worker. A full queue drops a picture (the line says so) or, far less likely, lines (a
// "lines_dropped" line counts them) rather than block. The size cap (RunLogBudget) removes the
// oldest pictures first and names them in "removed_for_cap" of the line that needed the room;
// when the lines alone reach it, a "log_full" line ends the file.
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>

#include "device/JpegEncoding.h"
#include "presentation/RunEventLines.h"
#include "presentation/RunLogBudget.h"

namespace zor {

// A day of a busy run's lines with a few hundred pictures of a 1080p screen fits, and a
// station of 64 devices still cannot fill an ordinary disk with one run.
inline constexpr uint64_t kDefaultRunLogCapBytes = 256ull << 20;
// The first lines of a run and the note that the log is full need this much.
inline constexpr uint64_t kMinRunLogCapBytes = 16ull << 10;
// A terabyte: more than any disk a station logs to, so a typo cannot mean "no cap".
inline constexpr uint64_t kMaxRunLogCapBytes = 1ull << 40;
// Enough to read a screen's text and tell its controls apart at a fraction of a lossless size.
inline constexpr int kRunLogJpegQuality = 80;

struct RunLogPlace {
  std::string folder;  // created when missing
  size_t device = 0;   // the device's index in the list
  uint64_t cap_bytes = kDefaultRunLogCapBytes;  // kMinRunLogCapBytes .. kMaxRunLogCapBytes
};

class RunLogWriter : public IRunEventSink {
 public:
  // The device's newest picture, or null before the first. Any thread; never blocks for long.
  using NewestFrame = std::function<FramePtr()>;

  // Creates the folder when needed and the run's file in it, named by the device and now;
  // null, with `error` saying why, when either cannot be done.
  static std::unique_ptr<RunLogWriter> Open(const RunLogPlace& place, NewestFrame newest_frame, std::string& error);
  // Writes what is queued, then ends the log's thread. Call once no more Write can come.
  ~RunLogWriter() override;
  RunLogWriter(const RunLogWriter&) = delete;
  RunLogWriter& operator=(const RunLogWriter&) = delete;

  void Write(const nlohmann::ordered_json& line) override;
  const std::string& FilePath() const { return file_path_; }

 private:
  struct Job {
    nlohmann::ordered_json line;
    FramePtr frame;       // the picture to write with the line; null for none
    std::string picture;  // its file name
  };

  RunLogWriter(const RunLogPlace& place, std::string stamp, std::FILE* file, NewestFrame newest_frame);
  // Whether `line` gets a picture: every event of the kinds that show a problem, and an Item's
  // first match of the run. Caller holds mutex_.
  bool WantsPicture(const nlohmann::ordered_json& line);
  // Puts a picture's name on the line, or why it has none; caller holds mutex_.
  void Queue(nlohmann::ordered_json line, FramePtr frame, bool wants_picture);
  void Loop();
  void Store(Job& job);
  void StorePicture(const Job& job, nlohmann::ordered_json& line);
  void StoreLine(nlohmann::ordered_json& line);
  // Deletes the run's oldest picture for the cap and names it on `line`; false when none is left.
  bool RemoveForCap(nlohmann::ordered_json& line);
  void StopWhenFull();

  const std::string folder_;
  const size_t device_;
  const uint64_t cap_bytes_;
  const std::string stamp_;
  const std::string file_path_;
  std::FILE* file_ = nullptr;
  const NewestFrame newest_frame_;

  std::mutex mutex_;  // guards the queue and what Write decides; never held while writing
  std::condition_variable wake_;
  std::deque<Job> queue_;
  size_t queued_pictures_ = 0;
  uint64_t dropped_lines_ = 0;
  uint32_t pictures_named_ = 0;
  std::set<std::string> matched_items_;  // app index, Scene and Item of each first match
  bool closing_ = false;

  // The log's thread only.
  RunLogBudget budget_;
  FrameJpegEncoder encoder_;
  bool stopped_ = false;  // full, or the disk refused: nothing more is written
  std::thread thread_;    // last: starts once everything above is ready
};

}  // namespace zor
