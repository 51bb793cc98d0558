// The ".app" file: exact bytes, the title signature, round trips, Delete, unsafe names.
#include <gtest/gtest.h>

#include "AutomationTestSupport.h"
#include "model/AppConfig.h"
#include "model/AppInfo.h"

namespace zor {
namespace {

using test::Le32;
using test::Text16;

class AppFileTest : public ::testing::Test {
 protected:
  std::string AppPath(const std::string& name) {
    return (folder_.AppsDir() / (name + ".app")).string();
  }
  test::TempProgramFolder folder_;
};

std::string Header() {
  return Text16(u"ZORWARE Macro KVM") + Text16(u"2026.06.10") + Text16(u"1.0");
}

TEST_F(AppFileTest, NewAppHoldsDefaultValuesAndEndsWithZeroSceneCount) {
  AppInfo app;
  app.Name = u"앱";
  ASSERT_TRUE(app.Save());
  EXPECT_EQ(test::ReadFile(AppPath("앱")),
            Header() + Text16(u"앱") + Text16(u"") + Text16(u"TestID") + Text16(u"SamplePw") +
                Text16(u"TestStr") + Text16(u"TestEtc") + Text16(u"") + Le32(0));
}

TEST_F(AppFileTest, SceneNamesFollowTheCountInRunningOrder) {
  AppInfo app;
  app.Scenes = {u"로그인", u"", u"끝"};
  EXPECT_TRUE(app.Encode().ends_with(Le32(3) + Text16(u"로그인") + Text16(u"") + Text16(u"끝")));
}

TEST_F(AppFileTest, RoundTripKeepsStoredFieldsAndTakesTheStoredName) {
  AppInfo saved;
  saved.Name = u"자동 로그인";
  saved.Description = u"설명 \U0001F600";  // a surrogate pair is kept as two code units
  saved.UserId = u"user";
  saved.UserPassword = u"비밀";
  saved.UserDefine = u"";
  saved.UserEtc = u"etc";
  saved.Script = u"line1\r\nline2";
  saved.Scenes = {u"A", u"B"};
  ASSERT_TRUE(saved.Save());
  // Loading by another file name gives the App the name stored inside.
  std::filesystem::copy_file(AppPath("자동 로그인"), AppPath("copy"));
  AppInfo loaded;
  loaded.Scenes = {u"old"};
  ASSERT_TRUE(loaded.Load(u"copy"));
  EXPECT_TRUE(loaded.SameStoredFields(saved));
  EXPECT_EQ(loaded.Name, u"자동 로그인");
  EXPECT_EQ(loaded.Encode(), test::ReadFile(AppPath("copy")));
}

TEST_F(AppFileTest, ForeignTitleIsRejectedAndAppKeepsItsValues) {
  AppInfo other;
  other.Name = u"x";
  std::string bytes = other.Encode();
  bytes[4] = 'z';  // first code unit of the title: 'Z' becomes 'z'
  test::WriteFile(AppPath("x"), bytes);
  test::WriteFile(AppPath("short"), Text16(u"ZORWARE Macro KV"));
  test::WriteFile(AppPath("empty"), "");

  std::filesystem::create_directory(AppPath("folder"));
  const std::pair<const char16_t*, const char*> cases[] = {
      {u"x", "foreign title"}, {u"short", "foreign title"}, {u"empty", "foreign title"},
      {u"absent", "missing"}, {u"folder", "not a regular file"}};
  for (const auto& [name, reason] : cases) {
    AppInfo app;
    app.Name = u"mine";
    app.UserId = u"kept";
    app.Scenes = {u"S"};
    const LoadResult read = app.Load(name);
    EXPECT_FALSE(read);
    EXPECT_EQ(read.Reason(), reason);
    EXPECT_EQ(app.Name, u"mine");
    EXPECT_EQ(app.UserId, u"kept");
    EXPECT_EQ(app.Scenes.size(), 1u);
  }
}

TEST_F(AppFileTest, DeleteRemovesTheFileOnce) {
  AppInfo app;
  app.Name = u"gone";
  ASSERT_TRUE(app.Save());
  EXPECT_TRUE(app.Delete());
  EXPECT_FALSE(std::filesystem::exists(AppPath("gone")));
  EXPECT_FALSE(app.Delete());
}

TEST_F(AppFileTest, SavingUnderANewNameLeavesTheOldFile) {
  AppInfo app;
  app.Name = u"old";
  ASSERT_TRUE(app.Save());
  app.Name = u"new";
  ASSERT_TRUE(app.Save());
  EXPECT_TRUE(std::filesystem::exists(AppPath("old")));
  EXPECT_TRUE(std::filesystem::exists(AppPath("new")));
}

TEST_F(AppFileTest, NamesLeavingTheFolderAreRefused) {
  AppInfo victim;
  victim.Name = u"victim";
  ASSERT_TRUE(victim.Save());
  const std::u16string names[] = {u"..",  u".",    u"../victim",
                                  u"x/y", u"x\\y", std::u16string(u"a\0b", 3)};
  for (const auto& name : names) {
    AppInfo app;
    app.Name = name;
    EXPECT_FALSE(app.Save());
    EXPECT_FALSE(app.Delete());
    EXPECT_FALSE(app.Load(name));
  }
  // "Apps/../victim.app" would be the program folder's; the real one stays untouched.
  AppInfo app;
  app.Name = u"../Apps/victim";
  EXPECT_FALSE(app.Delete());
  EXPECT_TRUE(std::filesystem::exists(AppPath("victim")));
  // The empty name is a legal App name: the file ".app".
  AppInfo nameless;
  EXPECT_TRUE(nameless.Save());
  EXPECT_TRUE(std::filesystem::exists(folder_.AppsDir() / ".app"));
}

}  // namespace
}  // namespace zor
