#include "shell/FolderListing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/Diag.h"
#include "platform/ProgramPath.h"
#include "support/TempDir.h"

namespace zor {
namespace {

TEST(ListFolderFiles, ListsStemsOfExactExtensionOnly) {
  test::TempDir dir;
  for (const char* name : {"b.app", "a.APP", "c.app.bak", "출근.app", "d.apps", ".app"}) test::WriteFile(dir.file(name), "");
  std::filesystem::create_directory(dir.path() / "folder.app");
  auto stems = ListFolderFiles(WidePath(dir.path().string()), u".app");
  std::sort(stems.begin(), stems.end());
  EXPECT_EQ(stems, (std::vector<std::u16string>{u"", u"b", u"출근"}));
}

TEST(ListFolderFiles, MissingFolderGivesNothingAndADiagnosticLine) {
  test::TempDir dir;
  std::string logged;
  diag::SetEnabledCategories("shell");
  diag::SetSink([&](std::string_view, std::string_view line) { logged = line; });
  EXPECT_TRUE(ListFolderFiles(WidePath(dir.file("nope")), u".app", u"[ZOR] ").empty());
  test::WriteFile(dir.file("file"), "");
  EXPECT_TRUE(ListFolderFiles(WidePath(dir.file("file")), u".app").empty());
  diag::SetSink(nullptr);
  diag::SetEnabledCategories("");
  EXPECT_EQ(logged, "지정한 폴더가 존재하지 않거나 디렉토리가 아닙니다.");
}

}  // namespace
}  // namespace zor
