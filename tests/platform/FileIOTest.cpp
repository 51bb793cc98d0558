#include "platform/FileIO.h"

#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "platform/BinaryReader.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"

namespace zor {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(FileIO, AtomicWriteReplacesTheFileAndLeavesNoTemporary) {
  test::TempDir dir;
  const std::string path = dir.File("data.bin");
  test::WriteFile(path, "old");
  ASSERT_TRUE(WriteFileAtomically(path, std::string("new\0bytes", 9)));
  EXPECT_EQ(test::ReadFile(path), std::string("new\0bytes", 9));
  EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"data.bin"});
}

TEST(FileIO, FailedWriteSaysWhyAndKeepsTheOldFile) {
  test::TempDir dir;
  const std::string path = dir.File("data.bin");
  test::WriteFile(path, "precious");
  ::chmod(dir.Path().c_str(), 0555);
  struct Save { std::string path; } save{path};
  const int code = test::RunUnprivileged(
      [](void* c) { return WriteFileAtomically(static_cast<Save*>(c)->path, "lost").failure == "Permission denied" ? 0 : 1; },
      &save);
  EXPECT_EQ(code, 0) << "the write must fail with the system's reason";
  EXPECT_EQ(test::ReadFile(path), "precious");
}

TEST(FileIO, SavingThroughSymbolicLinksReplacesTheTargetAndKeepsTheLinks) {
  test::TempDir dir;
  fs::create_directory(dir.File("real"));
  test::WriteFile(dir.File("real/config.ini"), "old");
  fs::create_symlink("real/config.ini", dir.File("hop"));  // relative to the link's folder
  fs::create_symlink(dir.File("hop"), dir.File("config.ini"));
  fs::create_symlink("real/new.ini", dir.File("dangling"));
  ASSERT_TRUE(WriteFileAtomically(dir.File("config.ini"), "new"));
  ASSERT_TRUE(WriteFileAtomically(dir.File("dangling"), "created"));
  EXPECT_TRUE(fs::is_symlink(dir.File("config.ini")));
  EXPECT_TRUE(fs::is_symlink(dir.File("hop")));
  EXPECT_EQ(test::ReadFile(dir.File("real/config.ini")), "new");
  EXPECT_TRUE(fs::is_symlink(dir.File("dangling")));
  EXPECT_EQ(test::ReadFile(dir.File("real/new.ini")), "created");
  EXPECT_EQ(FolderEntries(dir.File("real")), (std::vector<std::string>{"config.ini", "new.ini"}));

  fs::create_symlink(dir.File("loop"), dir.File("loop"));
  EXPECT_EQ(WriteFileAtomically(dir.File("loop"), "x").failure, "Too many levels of symbolic links");
}

TEST(FileIO, ASuccessfulSaveRemovesDeadTemporariesButNotThoseOfALiveWriter) {
  test::TempDir dir;
  const std::string path = dir.File("config.ini");
  test::WriteFile(dir.File("config.ini.tmpAbC123"), std::string(4096, 'x'));  // its writer died
  test::WriteFile(dir.File("other.ini.tmpAbC123"), "another file's");
  test::WriteFile(dir.File("config.ini.tmp"), "not a temporary's name");
  test::WriteFile(dir.File("config.ini.tmpLive00"), "being written");
  const int live = ::open(dir.File("config.ini.tmpLive00").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(live, LOCK_EX), 0);  // what a save in progress holds on its temporary

  ASSERT_TRUE(WriteFileAtomically(path, "saved"));
  ::close(live);
  EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"config.ini", "config.ini.tmp", "config.ini.tmpLive00",
                                                                 "other.ini.tmpAbC123"}));
}

TEST(FileIO, SavesOfOneFileRacingEachOtherAllSucceedAndLeaveNoTemporary) {
  test::TempDir dir;
  const std::string path = dir.File("config.ini");
  // Each save cleans up after the others while they write: it must never take a live temporary
  // for a dead one.
  constexpr int kSavesPerWriter = 200;
  std::atomic<int> failures{0};
  auto writer = [&](char fill) {
    for (int i = 0; i < kSavesPerWriter; ++i) {
      if (!WriteFileAtomically(path, std::string(1000, fill))) ++failures;
    }
  };
  std::thread a(writer, 'a');
  std::thread b(writer, 'b');
  a.join();
  b.join();
  EXPECT_EQ(failures.load(), 0);
  EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"config.ini"});
}

TEST(FileIO, SavingOverSomethingThatIsNotAFileIsRefused) {
  test::TempDir dir;
  ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
  EXPECT_EQ(WriteFileAtomically(dir.File("fifo"), "x").failure, "not a regular file");
  EXPECT_TRUE(fs::is_fifo(dir.File("fifo")));
}

TEST(FileIO, ReadWholeFileSaysWhyItReadNothing) {
  test::TempDir dir;
  test::WriteFile(dir.File("big"), std::string(101, 'x'));
  ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);  // no writer: a blocking open would wait for ever
  struct Case {
    std::string path;
    size_t max_bytes;
    ReadProblem problem;
  };
  const Case cases[] = {
      {dir.File("missing"), 100, ReadProblem::Missing},
      {dir.File("big/inside"), 100, ReadProblem::Missing},
      {dir.File("big"), 100, ReadProblem::TooLarge},
      {dir.Path(), 100, ReadProblem::NotRegularFile},
      {dir.File("fifo"), 100, ReadProblem::NotRegularFile},
      {"/dev/null", 100, ReadProblem::NotRegularFile},
  };
  for (const Case& c : cases) {
    std::string bytes = "stale";
    const LoadResult read = ReadWholeFile(c.path, c.max_bytes, bytes);
    EXPECT_EQ(read.problem, c.problem) << c.path;
    EXPECT_FALSE(read) << c.path;
    EXPECT_TRUE(bytes.empty()) << c.path;
  }
  std::string bytes;
  EXPECT_TRUE(ReadWholeFile(dir.File("big"), 101, bytes).Whole());
  EXPECT_EQ(bytes.size(), 101u);
}

TEST(BinaryReader, NeverReadsPastTheEndAndStaysFailed) {
  BinaryReader in(std::string_view("\x05\x00\x00\x00" "abc", 7));
  std::u16string text;
  EXPECT_FALSE(in.ReadText949(text, BinaryReader::Invalid949::ReplaceEach)) << "five bytes promised, three remain";
  EXPECT_EQ(in.position(), 4u) << "reading stopped after the count";
  uint32_t value = 0;
  EXPECT_FALSE(in.ReadU32(value));
  EXPECT_TRUE(in.failed());
  EXPECT_EQ(in.remaining(), 0u);
  EXPECT_FALSE(BinaryReader("12345678").CanHold(3, 4));
  EXPECT_FALSE(BinaryReader("12345678").CanHold(UINT64_MAX, 4));
}

}  // namespace
}  // namespace zor
