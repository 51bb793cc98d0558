#include "platform/FolderListing.h"

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
  for (const char* name : {"b.app", "a.APP", "c.app.bak", "출근.app", "d.apps", ".app"}) test::WriteFile(dir.File(name), "");
  std::filesystem::create_directory(std::filesystem::path(dir.Path()) / "folder.app");
  auto stems = ListFolderFiles(WidePath(dir.Path()), u".app");
  std::sort(stems.begin(), stems.end());
  EXPECT_EQ(stems, (std::vector<std::u16string>{u"", u"b", u"출근"}));
}

TEST(ListFolderFiles, MissingFolderGivesNothingAndADiagnosticLine) {
  test::TempDir dir;
  std::string logged;
  diag::SetEnabledCategories("shell");
  diag::SetSink([&](std::string_view, std::string_view line) { logged = line; });
  EXPECT_TRUE(ListFolderFiles(WidePath(dir.File("nope")), u".app", u"[ZOR] ").empty());
  test::WriteFile(dir.File("file"), "");
  EXPECT_TRUE(ListFolderFiles(WidePath(dir.File("file")), u".app").empty());
  diag::SetSink(nullptr);
  diag::SetEnabledCategories("");
  EXPECT_EQ(logged, "지정한 폴더가 존재하지 않거나 디렉토리가 아닙니다.");
}

}  // namespace
}  // namespace zor
