#include "platform/FileIO.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/BinaryReader.h"
#include "support/Unprivileged.h"
#include "support/TempDir.h"

namespace zor {
namespace {

TEST(FileIO, AtomicWriteReplacesTheFileAndLeavesNoTemporary) {
  test::TempDir dir;
  const std::string path = dir.File("data.bin");
  test::WriteFile(path, "old");
  ASSERT_TRUE(WriteFileAtomically(path, std::string("new\0bytes", 9)));
  EXPECT_EQ(test::ReadFile(path), std::string("new\0bytes", 9));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}


TEST(FileIO, FailedWriteInReadOnlyFolderKeepsTheOldFile) {
  test::TempDir dir;
  const std::string path = dir.File("data.bin");
  test::WriteFile(path, "precious");
  ::chmod(dir.Path().c_str(), 0555);
  struct Save { std::string path; } save{path};
  const int code = test::RunUnprivileged(
      [](void* c) { return WriteFileAtomically(static_cast<Save*>(c)->path, "lost") ? 1 : 0; }, &save);
  EXPECT_EQ(code, 0) << "the write must fail";
  EXPECT_EQ(test::ReadFile(path), "precious");
}

TEST(FileIO, ReadWholeFileRefusesMissingAndOversizedFiles) {
  test::TempDir dir;
  EXPECT_FALSE(ReadWholeFile(dir.File("missing"), 100));
  test::WriteFile(dir.File("big"), std::string(101, 'x'));
  EXPECT_FALSE(ReadWholeFile(dir.File("big"), 100));
  EXPECT_EQ(ReadWholeFile(dir.File("big"), 101)->size(), 101u);
  EXPECT_FALSE(ReadWholeFile(dir.Path(), 100)) << "a folder is not a file";
}

TEST(BinaryReader, NeverReadsPastTheEndAndStaysFailed) {
  BinaryReader in(std::string_view("\x05\x00\x00\x00" "abc", 7));
  std::u16string text;
  EXPECT_FALSE(in.ReadText949(text)) << "the count promises five bytes, three remain";
  uint32_t value = 0;
  EXPECT_FALSE(in.ReadU32(value));
  EXPECT_TRUE(in.failed());
  EXPECT_EQ(in.remaining(), 0u);
}

TEST(BinaryReader, CanHoldGuardsCountsAgainstTheBytesLeft) {
  BinaryReader in(std::string_view("12345678", 8));
  EXPECT_TRUE(in.CanHold(2, 4));
  EXPECT_FALSE(in.CanHold(3, 4));
  EXPECT_FALSE(in.CanHold(UINT64_MAX, 4));
}

TEST(BinaryWriter, WritesLittleEndianAndUtf16Texts) {
  BinaryWriter out;
  out.WriteU32(0x01020304);
  out.WriteU64(2);
  out.WriteTextUtf16(u"가");
  EXPECT_EQ(out.bytes(), std::string("\x04\x03\x02\x01" "\x02\0\0\0\0\0\0\0" "\x01\0\0\0" "\x00\xAC", 18));
  BinaryReader in(out.bytes());
  uint32_t u32 = 0;
  uint64_t u64 = 0;
  std::u16string text;
  ASSERT_TRUE(in.ReadU32(u32) && in.ReadU64(u64) && in.ReadTextUtf16(text));
  EXPECT_EQ(text, u"가");
}

}  // namespace
}  // namespace zor
