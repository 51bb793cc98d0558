// The run log: its file names, its size cap, and its writer on real files with frames made
// here (the log's pictures of a device's screen).
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "device/JpegEncoding.h"
#include "presentation/RunLogBudget.h"
#include "presentation/RunLogNames.h"
#include "presentation/RunLogWriter.h"
#include "support/Frames.h"
#include "support/RunLogFiles.h"
#include "support/TempDir.h"

namespace zor {
namespace {

using nlohmann::json;
using nlohmann::ordered_json;

TEST(RunLogNamesTest, NamesCarryTheDeviceAndTheStartOfTheRun) {
  struct Case {
    int64_t utc_ms;
    size_t device;
    uint32_t picture;
    const char* event;
    const char* time;
    const char* log;
    const char* picture_name;
  };
  const Case cases[] = {
      {1796657412345, 3, 7, "match", "2026-12-07T15:30:12.345Z", "device-003-20261207T153012.345Z.jsonl",
       "device-003-20261207T153012.345Z-000007-match.jpg"},
      {1835481599999, 0, 1, "scene_load_failed", "2028-02-29T23:59:59.999Z", "device-000-20280229T235959.999Z.jsonl",
       "device-000-20280229T235959.999Z-000001-scene_load_failed.jpg"},
      {0, 64, 123456, "pa/us:ed", "1970-01-01T00:00:00.000Z", "device-064-19700101T000000.000Z.jsonl",
       "device-064-19700101T000000.000Z-123456-pa_us_ed.jpg"},
  };
  for (const Case& c : cases) {
    const std::string stamp = RunStamp(c.utc_ms);
    EXPECT_EQ(IsoTimeUtc(c.utc_ms), c.time);
    EXPECT_EQ(RunLogFileName(c.device, stamp), c.log);
    EXPECT_EQ(RunPictureFileName(c.device, stamp, c.picture, c.event), c.picture_name);
  }
}

TEST(RunLogNamesTest, NamesSortByDeviceThenRunThenPicture) {
  const int64_t early_ms = 1796657412345;
  const int64_t late_ms = early_ms + 9 * 3600 * 1000 + 1;  // the hour gains a digit's worth
  const std::vector<std::string> in_order = {
      RunPictureFileName(2, RunStamp(early_ms), 9, "match"),
      RunPictureFileName(2, RunStamp(early_ms), 10, "match"),
      RunPictureFileName(2, RunStamp(late_ms), 1, "match"),
      RunPictureFileName(10, RunStamp(early_ms), 1, "match"),
  };
  std::vector<std::string> sorted = in_order;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, in_order);
}

// Lines and pictures in a cap of 1000 bytes; then a line or picture of `bytes` wants room.
TEST(RunLogBudgetTest, PicturesGiveWayToLinesOldestFirst) {
  struct Case {
    const char* what;
    uint64_t lines;
    std::vector<uint64_t> pictures;  // named "p0", "p1"... oldest first
    uint64_t bytes;
    bool fits_without_pictures;
    std::vector<std::string> removed;
  };
  const Case cases[] = {
      {"room left", 100, {300, 300}, 300, true, {}},
      {"exactly the cap", 100, {300, 300}, 300, true, {}},
      {"the oldest goes", 100, {300, 300, 300}, 200, true, {"p0"}},
      {"as many as it takes", 0, {400, 400}, 900, true, {"p0", "p1"}},
      {"the lines fill it", 900, {}, 200, false, {}},
      {"lines and pictures", 700, {200}, 200, true, {"p0"}},
  };
  for (const Case& c : cases) {
    RunLogBudget budget(1000);
    budget.AddLine(c.lines);
    for (size_t i = 0; i < c.pictures.size(); ++i) budget.AddPicture("p" + std::to_string(i), c.pictures[i]);
    EXPECT_EQ(budget.FitsWithoutPictures(c.bytes), c.fits_without_pictures) << c.what;
    if (!c.fits_without_pictures) continue;
    std::vector<std::string> removed;
    while (!budget.Fits(c.bytes)) removed.push_back(budget.RemoveOldestPicture().value());
    EXPECT_EQ(removed, c.removed) << c.what;
    EXPECT_LE(budget.UsedBytes() + c.bytes, 1000u) << c.what;
  }
}

class RunLogWriterTest : public ::testing::Test {
 protected:
  // Writes `lines` through a log of device 3 whose newest picture is `frame`; the log's lines
  // once it has ended.
  std::vector<json> WriteThrough(const std::vector<ordered_json>& lines, uint64_t cap_bytes = kDefaultRunLogCapBytes) {
    std::string error;
    auto writer = RunLogWriter::Open({folder_, 3, cap_bytes}, [this] { return frame_; }, error);
    EXPECT_TRUE(writer) << error;
    if (!writer) return {};
    for (const ordered_json& line : lines) writer->Write(line);
    writer.reset();  // writes everything queued
    return test::OnlyLogLines(folder_);
  }
  std::string Picture(const json& line) const { return folder_ + "/" + line.value("picture", "?"); }

  test::TempDir dir_;
  const std::string folder_ = dir_.File("logs/today");  // made by the log
  FramePtr frame_ = test::MakeNoiseFrame(64, 48, 1);
};

ordered_json Match(const char* item) {
  return {{"event", "match"}, {"device", 3}, {"app_index", 0}, {"scene_index", 0}, {"item", item}};
}

TEST_F(RunLogWriterTest, EveryLineIsKeptWithItsTimeAndProblemsAndFirstMatchesGetAPicture) {
  const std::vector<ordered_json> lines = {
      {{"event", "scene_loaded"}, {"device", 3}},
      Match("ok"),
      Match("ok"),
      Match("cancel"),
      {{"event", "paused"}, {"device", 3}, {"reason", "no_signal"}},
      {{"event", "stalled"}, {"device", 3}, {"seconds", 60}},
  };
  const std::vector<json> logged = WriteThrough(lines);
  ASSERT_EQ(logged.size(), lines.size());
  const std::regex iso_utc_ms(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z)");
  const bool pictured[] = {false, true, false, true, true, true};
  for (size_t i = 0; i < lines.size(); ++i) {
    json bare = logged[i];
    EXPECT_TRUE(std::regex_match(bare["time"].get<std::string>(), iso_utc_ms)) << bare;
    bare.erase("time");
    bare.erase("picture");
    EXPECT_EQ(bare, json(lines[i]));
    EXPECT_EQ(logged[i].contains("picture"), pictured[i]) << logged[i];
    if (pictured[i]) {
      EXPECT_EQ(test::PictureSize(Picture(logged[i])), std::make_pair(64u, 48u)) << logged[i];
    }
  }
  EXPECT_EQ(test::FilesEndingIn(folder_, ".jpg").size(), 4u);
}

TEST_F(RunLogWriterTest, WithoutAPictureYetTheLineSaysSo) {
  frame_ = nullptr;
  const std::vector<json> logged = WriteThrough({{{"event", "paused"}, {"device", 3}, {"reason", "screen_size"}}});
  ASSERT_EQ(logged.size(), 1u);
  EXPECT_FALSE(logged[0].contains("picture"));
  EXPECT_EQ(logged[0]["picture_dropped"], "no picture from the device yet");
  EXPECT_TRUE(test::FilesEndingIn(folder_, ".jpg").empty());
}

TEST_F(RunLogWriterTest, TheCapRemovesTheOldestPicturesAndKeepsTheLines) {
  std::vector<uint8_t> jpeg;
  FrameJpegEncoder encoder;
  ASSERT_TRUE(encoder.Encode(*frame_, kRunLogJpegQuality, jpeg));
  // Room for about two pictures beside the lines; four pictures are no more than the log
  // queues at once, so none is dropped for a writer that is behind.
  const uint64_t cap_bytes = 2 * jpeg.size() + 2048;
  const char* items[] = {"a", "b", "c", "d"};
  std::vector<ordered_json> lines;
  for (const char* item : items) lines.push_back(Match(item));
  const std::vector<json> logged = WriteThrough(lines, cap_bytes);
  ASSERT_EQ(logged.size(), lines.size());
  std::vector<std::string> named, removed;
  for (const json& line : logged) {
    named.push_back(line.at("picture"));
    for (const json& gone : line.value("removed_for_cap", json::array())) removed.push_back(gone);
  }
  ASSERT_GE(removed.size(), 2u);
  EXPECT_EQ(removed, std::vector<std::string>(named.begin(), named.begin() + removed.size())) << "oldest first";
  const std::vector<std::string> kept(named.begin() + removed.size(), named.end());
  EXPECT_EQ(test::FilesEndingIn(folder_, ".jpg"), kept);
  EXPECT_LE(test::FolderBytes(folder_), cap_bytes);
}

TEST_F(RunLogWriterTest, LinesThatFillTheCapEndTheLogWithANote) {
  frame_ = nullptr;
  std::vector<ordered_json> lines(200, {{"event", "scene_changed"}, {"device", 3}, {"scene", "a long enough name"}});
  const std::vector<json> logged = WriteThrough(lines, kMinRunLogCapBytes);
  ASSERT_GE(logged.size(), 2u);
  EXPECT_LT(logged.size(), lines.size());
  EXPECT_EQ(logged.back()["event"], "log_full");
  EXPECT_EQ(test::LinesOf(logged, "log_full").size(), 1u);
  EXPECT_LE(test::FolderBytes(folder_), kMinRunLogCapBytes);
}

TEST_F(RunLogWriterTest, AFolderThatCannotBeMadeIsRefusedWithItsReason) {
  test::WriteFile(dir_.File("plain-file"), "not a folder");
  const std::string folder = dir_.File("plain-file/logs");
  std::string error;
  EXPECT_EQ(RunLogWriter::Open({folder, 0, kDefaultRunLogCapBytes}, nullptr, error), nullptr);
  EXPECT_NE(error.find(folder), std::string::npos) << error;
  EXPECT_NE(error.find("Not a directory"), std::string::npos) << error;
}

TEST_F(RunLogWriterTest, TwoRunsStartedTogetherGetTwoFiles) {
  std::string error;
  auto first = RunLogWriter::Open({folder_, 3, kDefaultRunLogCapBytes}, nullptr, error);
  auto second = RunLogWriter::Open({folder_, 3, kDefaultRunLogCapBytes}, nullptr, error);
  ASSERT_TRUE(first && second) << error;
  EXPECT_NE(first->FilePath(), second->FilePath());
}

}  // namespace
}  // namespace zor
