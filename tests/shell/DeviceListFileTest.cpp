#include "shell/DeviceListFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/ProgramPath.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"

namespace zor {
namespace {

const std::string kHeader = std::string("\x11\0\0\0ZORWARE Macro KVM", 21) + std::string("\x0A\0\0\0" "2026.06.10", 14) +
                            std::string("\x03\0\0\0" "1.0", 7);

std::string U32(uint32_t v) { return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16), static_cast<char>(v >> 24)}; }
std::string Text(const std::string& bytes) { return U32(static_cast<uint32_t>(bytes.size())) + bytes; }

DeviceList TwoDevices() {
  DeviceList list;
  auto a = std::make_unique<DeviceInfo>();
  a->Name = u"사무실 PC";
  a->ConnectIP = u"127.0.0.3";
  a->Port = 8080;
  a->Apps = {u"출근", u"report"};
  auto b = std::make_unique<DeviceInfo>();
  b->Type = 1;
  b->UserPassword = u"비밀";
  b->ThumbFps = 2;
  list.push_back(std::move(a));
  list.push_back(std::move(b));
  return list;
}

void ExpectSameDevices(const DeviceList& a, const DeviceList& b) {
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) EXPECT_EQ(*a[i], *b[i]) << "device " << i;
}

// The layout, byte by byte: a hand-written file loads into the right fields and saves back the same.
TEST(DeviceListFile, FixtureWrittenByteByByteLoads) {
  const std::string file = kHeader + U32(1) + U32(1) + Text("\xC0\xE5\xC4\xA1") + U32(1280) + U32(720) + U32(7) +
                           Text("127.0.0.9") + U32(81) + U32(82) + Text("id") + Text("pw") + Text("cid") + Text("cpw") +
                           U32(70) + U32(3) + U32(90) + U32(30) + std::string("\x02\0\0\0\0\0\0\0", 8) +
                           Text("a") + Text("bc");
  DeviceList list;
  ASSERT_TRUE(DecodeDeviceList(file, list));
  ASSERT_EQ(list.size(), 1u);
  const DeviceInfo& d = *list[0];
  EXPECT_EQ(d.Type, 1u);
  EXPECT_EQ(d.Name, u"장치");
  EXPECT_EQ(d.ScreenWidth, 1280u);
  EXPECT_EQ(d.Reserved, 7u);
  EXPECT_EQ(d.ConnectIP, u"127.0.0.9");
  EXPECT_EQ(d.CtrlPort, 82u);
  EXPECT_EQ(d.CtrlPassword, u"cpw");
  EXPECT_EQ(d.FullFps, 30u);
  EXPECT_EQ(d.Apps, (std::vector<std::u16string>{u"a", u"bc"}));
  EXPECT_EQ(EncodeDeviceList(list), file);
}

TEST(DeviceListFile, KoreanTextsRoundTripThroughTheFile) {
  test::TempDir dir;
  const std::u16string path = WidePath(dir.File("config.ini"));
  const DeviceList saved = TwoDevices();
  ASSERT_TRUE(SaveDeviceList(path, saved));
  DeviceList loaded;
  ASSERT_TRUE(LoadDeviceList(path, loaded));
  ExpectSameDevices(loaded, saved);
}

TEST(DeviceListFile, MissingOrForeignFileLeavesTheListUnchanged) {
  test::TempDir dir;
  DeviceList list = TwoDevices();
  EXPECT_FALSE(LoadDeviceList(WidePath(dir.File("config.ini")), list));
  test::WriteFile(dir.File("config.ini"), Text("OTHER Product KVM") + Text("1") + Text("1") + U32(0));
  EXPECT_FALSE(LoadDeviceList(WidePath(dir.File("config.ini")), list));
  EXPECT_FALSE(DecodeDeviceList(Text("ZORWARE Macro KV"), list)) << "the title must match whole";
  ExpectSameDevices(list, TwoDevices());
}

TEST(DeviceListFile, EveryTruncationKeepsTheWholeRecordsReadSoFar) {
  const DeviceList full = TwoDevices();
  const std::string bytes = EncodeDeviceList(full);
  const std::string one_record = EncodeDeviceList([] {
    DeviceList l;
    l.push_back(std::make_unique<DeviceInfo>(*TwoDevices()[0]));
    return l;
  }());
  const size_t first_record_end = one_record.size();  // header, count, first record
  for (size_t cut = 0; cut <= bytes.size(); ++cut) {
    DeviceList list;
    const bool ok = DecodeDeviceList(std::string_view(bytes).substr(0, cut), list);
    EXPECT_EQ(ok, cut >= 21) << "cut at " << cut;  // true once the whole title was read
    const size_t expected = cut >= bytes.size() ? 2 : cut >= first_record_end ? 1 : 0;
    ASSERT_EQ(list.size(), expected) << "cut at " << cut;
    if (expected == 1) {
      EXPECT_EQ(*list[0], *full[0]);
    }
  }
}

TEST(DeviceListFile, HostileCountsAllocateNothingBeyondTheFile) {
  DeviceList list;
  ASSERT_TRUE(DecodeDeviceList(kHeader + U32(0xFFFFFFFF), list));
  EXPECT_TRUE(list.empty());
  // One record that announces 2^64 - 1 apps but holds one.
  DeviceList one;
  one.push_back(std::make_unique<DeviceInfo>());
  std::string bytes = EncodeDeviceList(one);
  bytes.replace(bytes.size() - 8, 8, std::string(8, '\xFF'));
  bytes += Text("x");
  ASSERT_TRUE(DecodeDeviceList(bytes, list));
  EXPECT_TRUE(list.empty()) << "a record whose apps are cut short is dropped";
  // A text that claims 4 GiB.
  ASSERT_TRUE(DecodeDeviceList(kHeader + U32(1) + U32(0) + U32(0xFFFFFFF0) + "abc", list));
  EXPECT_TRUE(list.empty());
}

TEST(DeviceListFile, FailedSaveKeepsThePreviousFile) {
  test::TempDir dir;
  const std::string path = dir.File("config.ini");
  ASSERT_TRUE(SaveDeviceList(WidePath(path), TwoDevices()));
  const std::string before = test::ReadFile(path);
  ::chmod(dir.Path().c_str(), 0555);
  struct Save { std::string path; } save{path};
  const int code = test::RunUnprivileged(
      [](void* c) { return SaveDeviceList(WidePath(static_cast<Save*>(c)->path), {}) ? 1 : 0; }, &save);
  EXPECT_EQ(code, 0) << "saving into a read-only folder must report failure";
  EXPECT_EQ(test::ReadFile(path), before);
}

}  // namespace
}  // namespace zor
