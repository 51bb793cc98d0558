#include "model/DeviceListFile.h"

#include <gtest/gtest.h>

#include "platform/ProgramPath.h"
#include "support/TempDir.h"

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

TEST(DeviceListFile, ATextThatIsNotValidCodePage949ReadsAsEmptyAndTheRestIsKept) {
  DeviceList list;
  list.push_back(std::make_unique<DeviceInfo>());
  list[0]->Name = u"caf";
  list[0]->ConnectIP = u"127.0.0.9";
  std::string bytes = EncodeDeviceList(list);
  bytes.replace(bytes.find("caf"), 3, "ca\xE9");
  ASSERT_TRUE(DecodeDeviceList(bytes, list).Whole());
  EXPECT_EQ(list[0]->Name, u"");
  EXPECT_EQ(list[0]->ConnectIP, u"127.0.0.9");
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

TEST(DeviceListFile, ALastRecordWithEveryTextEmptyIsRead) {
  DeviceList list = TwoDevices();
  list.push_back(std::make_unique<DeviceInfo>());
  list.back()->ConnectIP.clear();  // the smallest record the format allows
  DeviceList loaded;
  ASSERT_TRUE(DecodeDeviceList(EncodeDeviceList(list), loaded).Whole());
  ExpectSameDevices(loaded, list);
}

TEST(DeviceListFile, MissingOrForeignFileLeavesTheListUnchanged) {
  test::TempDir dir;
  DeviceList list = TwoDevices();
  EXPECT_EQ(LoadDeviceList(WidePath(dir.File("config.ini")), list).problem, ReadProblem::Missing);
  test::WriteFile(dir.File("config.ini"), Text("OTHER Product KVM") + Text("1") + Text("1") + U32(0));
  EXPECT_EQ(LoadDeviceList(WidePath(dir.File("config.ini")), list).problem, ReadProblem::ForeignTitle);
  EXPECT_FALSE(DecodeDeviceList(Text("ZORWARE Macro KV"), list)) << "the title must match whole";
  ExpectSameDevices(list, TwoDevices());
}

TEST(DeviceListFile, EveryTruncationKeepsTheWholeRecordsReadSoFarAndSaysWhereItStopped) {
  const DeviceList full = TwoDevices();
  const std::string bytes = EncodeDeviceList(full);
  DeviceList first_only;
  first_only.push_back(std::make_unique<DeviceInfo>(*full[0]));
  const size_t first_record_end = EncodeDeviceList(first_only).size();  // header, count, first record
  for (size_t cut = 0; cut <= bytes.size(); ++cut) {
    DeviceList list;
    const LoadResult read = DecodeDeviceList(std::string_view(bytes).substr(0, cut), list);
    EXPECT_EQ(static_cast<bool>(read), cut >= 21) << "cut at " << cut;  // true once the whole title was read
    if (cut >= 21 && cut < bytes.size()) {
      EXPECT_EQ(read.problem, ReadProblem::Damaged) << "cut at " << cut;
      EXPECT_LE(read.stopped_at_byte, cut);
    }
    const size_t expected = cut >= bytes.size() ? 2 : cut >= first_record_end ? 1 : 0;
    ASSERT_EQ(list.size(), expected) << "cut at " << cut;
    if (expected == 1) {
      EXPECT_EQ(*list[0], *full[0]);
    }
  }
  DeviceList list;
  const LoadResult trailing = DecodeDeviceList(bytes + "xy", list);
  EXPECT_EQ(trailing.Reason(), "damaged at byte " + std::to_string(bytes.size()));
  EXPECT_EQ(list.size(), 2u);
}

TEST(DeviceListFile, HostileCountsAllocateNothingBeyondTheFile) {
  DeviceList one;
  one.push_back(std::make_unique<DeviceInfo>());
  std::string many_apps = EncodeDeviceList(one);  // one record that announces 2^64 - 1 apps but holds one
  many_apps.replace(many_apps.size() - 8, 8, std::string(8, '\xFF'));
  many_apps += Text("x");
  for (const std::string& bytes : {kHeader + U32(0xFFFFFFFF), many_apps,
                                   kHeader + U32(1) + U32(0) + U32(0xFFFFFFF0) + "abc" /* a 4 GiB text */}) {
    DeviceList list;
    EXPECT_EQ(DecodeDeviceList(bytes, list).problem, ReadProblem::Damaged);
    EXPECT_TRUE(list.empty());
  }
}

}  // namespace
}  // namespace zor
