#include "presentation/RunLogWriter.h"

#include <pthread.h>

#include <cerrno>
#include <filesystem>
#include <string_view>

#include "platform/Diag.h"
#include "platform/FileIO.h"
#include "presentation/RunLogNames.h"

namespace zor {
namespace {

using nlohmann::ordered_json;

constexpr std::string_view kDiag = "automation";
// Lines waiting for the log's thread: some seconds of the busiest run (a line per step of every
// App) when the disk stalls, about a megabyte.
constexpr size_t kMaxQueuedLines = 4096;
// Pictures waiting to be encoded: each holds a whole frame, up to 130 MB for an 8K screen.
constexpr size_t kMaxQueuedPictures = 4;
// Kept out of the cap's use for the last line, "log_full", so that it always fits.
constexpr uint64_t kFullNoteReserveBytes = 512;
// Two runs of one device started within the same millisecond get the next stamps.
constexpr int kMaxNameTries = 16;

std::string LineText(const ordered_json& line) {
  // A name that is not valid UTF-8 is written with replacement characters, not lost with its line.
  return line.dump(-1, ' ', false, ordered_json::error_handler_t::replace) + "\n";
}

bool IsProblemEvent(const std::string& event) {
  return event == "stalled" || event == "paused" || event == "scene_load_failed";
}

void DropPicture(ordered_json& line, const std::string& reason) {
  line.erase("picture");
  line["picture_dropped"] = reason;
}

}  // namespace

std::unique_ptr<RunLogWriter> RunLogWriter::Open(const RunLogPlace& place, NewestFrame newest_frame,
                                                 std::string& error) {
  std::error_code ec;
  std::filesystem::create_directories(place.folder, ec);
  if (ec) {
    error = "cannot create the log folder '" + place.folder + "': " + ec.message();
    return nullptr;
  }
  const int64_t start_ms = WallClockMs();
  for (int i = 0; i < kMaxNameTries; ++i) {
    const std::string stamp = RunStamp(start_ms + i);
    const std::string path = (std::filesystem::path(place.folder) / RunLogFileName(place.device, stamp)).string();
    // "x": never append to, or replace, the file of another run.
    std::FILE* file = std::fopen(path.c_str(), "wx");
    if (file) return std::unique_ptr<RunLogWriter>(new RunLogWriter(place, stamp, file, std::move(newest_frame)));
    if (errno != EEXIST) {
      error = "cannot write in the log folder '" + place.folder + "': " + SystemMessage(errno);
      return nullptr;
    }
  }
  error = "cannot write in the log folder '" + place.folder + "': a log of this device and time exists";
  return nullptr;
}

RunLogWriter::RunLogWriter(const RunLogPlace& place, std::string stamp, std::FILE* file, NewestFrame newest_frame)
    : folder_(place.folder),
      device_(place.device),
      cap_bytes_(place.cap_bytes),
      stamp_(std::move(stamp)),
      file_path_((std::filesystem::path(folder_) / RunLogFileName(device_, stamp_)).string()),
      file_(file),
      newest_frame_(std::move(newest_frame)),
      budget_(place.cap_bytes > kFullNoteReserveBytes ? place.cap_bytes - kFullNoteReserveBytes : 0),
      thread_([this] { Loop(); }) {
  pthread_setname_np(thread_.native_handle(), ("runlog " + std::to_string(device_)).substr(0, 15).c_str());
}

RunLogWriter::~RunLogWriter() {
  {
    std::lock_guard lock(mutex_);
    closing_ = true;
  }
  wake_.notify_one();
  thread_.join();
  std::fclose(file_);
}

void RunLogWriter::Write(const ordered_json& line) {
  ordered_json stamped = line;
  stamped["time"] = IsoTimeUtc(WallClockMs());
  const std::string event = line.value("event", "");
  // Taken before the lock: the session's own lock is never nested in ours.
  FramePtr frame = (IsProblemEvent(event) || event == "match") && newest_frame_ ? newest_frame_() : nullptr;
  {
    std::lock_guard lock(mutex_);
    if (closing_) return;
    if (queue_.size() >= kMaxQueuedLines) {
      ++dropped_lines_;
      return;
    }
    if (dropped_lines_ > 0) {
      queue_.push_back({{{"event", "lines_dropped"}, {"count", dropped_lines_}, {"time", stamped["time"]}}, {}, {}});
      dropped_lines_ = 0;
    }
    const bool wants_picture = WantsPicture(stamped);
    Queue(std::move(stamped), std::move(frame), wants_picture);
  }
  wake_.notify_one();
}

bool RunLogWriter::WantsPicture(const ordered_json& line) {
  const std::string event = line.value("event", "");
  if (IsProblemEvent(event)) return true;
  if (event != "match") return false;
  const std::string item = line.value("app_index", ordered_json()).dump() + "/" +
                           line.value("scene_index", ordered_json()).dump() + "/" + line.value("item", "");
  return matched_items_.insert(item).second;
}

void RunLogWriter::Queue(ordered_json line, FramePtr frame, bool wants_picture) {
  if (!wants_picture) {
    queue_.push_back({std::move(line), nullptr, {}});
    return;
  }
  if (!frame) {
    DropPicture(line, "no picture from the device yet");
  } else if (queued_pictures_ >= kMaxQueuedPictures) {
    DropPicture(line, "the log is still writing earlier pictures");
  } else {
    std::string name = RunPictureFileName(device_, stamp_, ++pictures_named_, line.value("event", ""));
    line["picture"] = name;
    ++queued_pictures_;
    queue_.push_back({std::move(line), std::move(frame), std::move(name)});
    return;
  }
  queue_.push_back({std::move(line), nullptr, {}});
}

void RunLogWriter::Loop() {
  for (;;) {
    Job job;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return closing_ || !queue_.empty(); });
      if (queue_.empty()) return;  // closing, with everything written
      job = std::move(queue_.front());
      queue_.pop_front();
    }
    Store(job);
    if (job.frame) {
      job.frame.reset();  // the frame's buffer goes back to the driver's pool now
      std::lock_guard lock(mutex_);
      --queued_pictures_;
    }
  }
}

void RunLogWriter::Store(Job& job) {
  if (stopped_) return;
  if (job.frame) StorePicture(job, job.line);
  StoreLine(job.line);
}

void RunLogWriter::StorePicture(const Job& job, ordered_json& line) {
  std::vector<uint8_t> jpeg;
  if (!encoder_.Encode(*job.frame, kRunLogJpegQuality, jpeg)) {
    return DropPicture(line, "the picture could not be encoded");
  }
  // A picture that could not fit even alone is not paid for with the older ones.
  if (!budget_.FitsWithoutPictures(jpeg.size() + LineText(line).size())) {
    return DropPicture(line, "larger than the log's size cap");
  }
  while (!budget_.Fits(jpeg.size())) RemoveForCap(line);
  const std::string path = (std::filesystem::path(folder_) / job.picture).string();
  const SaveResult saved =
      WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(jpeg.data()), jpeg.size()));
  if (!saved) return DropPicture(line, "cannot write the picture: " + saved.failure);
  budget_.AddPicture(job.picture, jpeg.size());
}

void RunLogWriter::StoreLine(ordered_json& line) {
  std::string text = LineText(line);
  while (!budget_.Fits(text.size())) {
    if (!RemoveForCap(line)) return StopWhenFull();
    text = LineText(line);
  }
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size() || std::fflush(file_) != 0) {
    stopped_ = true;
    diag::Write(kDiag, "run log " + file_path_ + ": cannot write: " + SystemMessage(errno));
    return;
  }
  budget_.AddLine(text.size());
}

bool RunLogWriter::RemoveForCap(ordered_json& line) {
  const std::optional<std::string> oldest = budget_.RemoveOldestPicture();
  if (!oldest) return false;
  std::error_code ec;
  std::filesystem::remove(std::filesystem::path(folder_) / *oldest, ec);
  line["removed_for_cap"].push_back(*oldest);
  return true;
}

void RunLogWriter::StopWhenFull() {
  stopped_ = true;
  const std::string text = LineText({{"event", "log_full"},
                                     {"cap_bytes", cap_bytes_},
                                     {"reason", "the run's lines reached the log's size cap: nothing more is written"},
                                     {"time", IsoTimeUtc(WallClockMs())}});
  std::fwrite(text.data(), 1, text.size(), file_);
  std::fflush(file_);
  diag::Write(kDiag, "run log " + file_path_ + " is full");
}

}  // namespace zor
