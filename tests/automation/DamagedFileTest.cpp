// Truncated, corrupted and hostile ".scene" and ".app" files: never a crash, never more memory
// than the file could hold, and everything read whole before the damage is kept.
#include <gtest/gtest.h>

#include "AutomationTestSupport.h"
#include "model/AppInfo.h"
#include "model/SceneData.h"
#include "platform/CodePage.h"

namespace zor {
namespace {

using test::Le32;
using test::Le64;
using test::Text8;

// Smallest Item block on disk; no file can yield more Items than its size allows.
constexpr size_t kMinItemBytes = 88;

// What a decoded Scene holds in memory beyond fixed-size records, to compare with the file size.
size_t VariableBytes(const SceneData& scene) {
  size_t total = 0;
  for (const auto& item : scene.Items) {
    total += item->Template.Pixels.size() + item->Params.size() * 8;
  }
  return total;
}

void ExpectBoundedBy(const SceneData& scene, size_t file_bytes) {
  EXPECT_LE(scene.Items.size(), file_bytes / kMinItemBytes);
  EXPECT_LE(VariableBytes(scene), file_bytes);
}

// A file cut at `length` reads whole only when nothing was cut, and otherwise stops before the
// cut (at the start of the element it fell in, or after the count of a text or pixel block).
void ExpectStoppedWithin(const LoadResult& read, size_t length, size_t full_length) {
  if (length == full_length) {
    EXPECT_TRUE(read.Whole()) << read.Reason();
    return;
  }
  EXPECT_EQ(read.problem, ReadProblem::Damaged) << length;
  EXPECT_LE(read.stopped_at_byte, length);
}

TEST(DamagedSceneFile, EveryTruncationKeepsTheWholeItemsBeforeItAndSaysWhereItStopped) {
  const SceneData original = test::MakeTwoItemScene();
  const std::string bytes = original.Encode();
  SceneData first_only = test::MakeTwoItemScene();
  first_only.Items.pop_back();
  const size_t first_item_end = first_only.Encode().size();
  const size_t name_end = 4 + ToCodePage949(original.Name).size();

  for (size_t length = 0; length <= bytes.size(); ++length) {
    SceneData scene;
    const LoadResult read = scene.Decode(std::string_view(bytes).substr(0, length));
    ExpectStoppedWithin(read, length, bytes.size());
    const size_t expected_items = length == bytes.size() ? 2 : length >= first_item_end ? 1 : 0;
    ASSERT_EQ(scene.Items.size(), expected_items) << "length " << length;
    for (size_t i = 0; i < expected_items; ++i) {
      EXPECT_TRUE(scene.Items[i]->SameStoredFields(*original.Items[i]));
    }
    EXPECT_EQ(scene.Name, length >= name_end ? original.Name : u"");
    ExpectBoundedBy(scene, length);
  }
}

TEST(DamagedSceneFile, HostileLengthsAndCountsReadNothingBeyondTheFile) {
  const std::string texts = Text8("n") + Text8("") + Text8("");
  const std::string item_head =
      Le32(0) + Le32(0) + Text8("i") + std::string(13 * 4, '\0') + Text8("");
  struct Case {
    const char* what;
    std::string bytes;
    size_t items;
    uint64_t stopped_at;
  };
  const Case cases[] = {
      {"text length 4 GiB", Le32(0xFFFFFFFF) + "abc", 0, 4},
      {"item count 4 Gi", texts + Le32(0xFFFFFFFF), 0, texts.size()},
      {"item count 4 Gi, one Item",
       texts + Le32(0xFFFFFFFF) + item_head + Le64(0) + Le32(0) + Le32(0) + Le32(0), 1, texts.size()},
      {"parameter count 2^63", texts + Le32(1) + item_head + Le64(uint64_t{1} << 63), 0,
       texts.size() + 4 + item_head.size() + 8},
      {"pixel count 4 GiB",
       texts + Le32(1) + item_head + Le64(0) + Le32(100) + Le32(100) + Le32(0xFFFFFFF0), 0,
       texts.size() + 4 + item_head.size() + 8 + 12},
      {"trailing bytes", texts + Le32(0) + "x", 0, texts.size() + 4},
  };
  for (const auto& c : cases) {
    SceneData scene;
    const LoadResult read = scene.Decode(c.bytes);
    EXPECT_EQ(read.Reason(), "damaged at byte " + std::to_string(c.stopped_at)) << c.what;
    EXPECT_EQ(scene.Items.size(), c.items) << c.what;
    ExpectBoundedBy(scene, c.bytes.size());
  }
}

AppInfo MakeApp() {
  AppInfo app;
  app.Name = u"앱";
  app.Description = u"desc";
  app.Script = u"script";
  app.Scenes = {u"첫째", u"둘째", u"셋째"};
  return app;
}

TEST(DamagedAppFile, EveryTruncationPastTheTitleKeepsWhatItHolds) {
  const AppInfo original = MakeApp();
  const std::string bytes = original.Encode();
  const size_t title_end = test::Text16(u"ZORWARE Macro KVM").size();
  // Each of the three Scene names is a count and two code units.
  const size_t count_end = bytes.size() - 3 * (4 + 2 * 2);

  for (size_t length = 0; length <= bytes.size(); ++length) {
    AppInfo app;
    app.Name = u"before";
    const LoadResult read = app.Decode(std::string_view(bytes).substr(0, length));
    if (length < title_end) {
      EXPECT_EQ(read.Reason(), "foreign title") << length;
      EXPECT_EQ(app.Name, u"before");
      continue;
    }
    ExpectStoppedWithin(read, length, bytes.size());
    // Scene names are kept whole or not at all, in order.
    const size_t expected_scenes = length < count_end ? 0 : (length - count_end) / (4 + 2 * 2);
    EXPECT_EQ(app.Scenes.size(), expected_scenes) << length;
    for (size_t i = 0; i < app.Scenes.size(); ++i) EXPECT_EQ(app.Scenes[i], original.Scenes[i]);
    if (length >= count_end) {
      EXPECT_EQ(app.Script, original.Script);
    }
  }
}

TEST(DamagedAppFile, HostileCountsReadNothingBeyondTheFile) {
  const std::string header =
      MakeApp().Encode().substr(0, test::Text16(u"ZORWARE Macro KVM").size());
  const std::string body = MakeApp().Encode();
  const size_t count_at = body.size() - 4 - 3 * (4 + 2 * 2);
  struct Case {
    std::string bytes;
    uint64_t stopped_at;
  };
  const Case cases[] = {
      {header + Le32(0x7FFFFFFF) + "ab", header.size() + 4},  // a version text longer than the file
      {header + Le32(0xFFFFFFFF), header.size() + 4},
      {body.substr(0, count_at) + Le32(0xFFFFFFFF), count_at},  // 4 Gi Scene names
  };
  for (const Case& c : cases) {
    AppInfo app;
    EXPECT_EQ(app.Decode(c.bytes).Reason(), "damaged at byte " + std::to_string(c.stopped_at));
    EXPECT_TRUE(app.Scenes.empty());
  }
}

}  // namespace
}  // namespace zor
