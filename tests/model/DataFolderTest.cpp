// The data folder rule on real folders: what makes a program folder portable, what wins, and
// what preparing a folder creates or refuses.
#include "model/DataFolder.h"

#include <gtest/gtest.h>

#include "model/AppConfig.h"
#include "support/TempDir.h"

namespace zor {
namespace {
namespace fs = std::filesystem;

struct ChoiceCase {
  const char* name;
  const char* beside_program;  // what the program folder holds: a file, a folder ("X/"), or nothing
  bool data_option;
  DataFolderSource expected;
};

const ChoiceCase kChoices[] = {
    {"config_file", "config.ini", false, DataFolderSource::Portable},
    {"apps_folder", "Apps/", false, DataFolderSource::Portable},
    {"scenes_folder", "Scenes/", false, DataFolderSource::Portable},
    {"nothing", "", false, DataFolderSource::UserData},
    {"other_file_only", "notes.txt", false, DataFolderSource::UserData},
    {"apps_as_a_file", "Apps", false, DataFolderSource::UserData},
    {"data_option_over_portable", "config.ini", true, DataFolderSource::Chosen},
    {"data_option_alone", "", true, DataFolderSource::Chosen},
};

class DataFolderChoiceTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(DataFolderChoiceTest, ChoosesBySourceInOrder) {
  test::TempDir temp;
  const fs::path program = fs::path(temp.Path()) / "bin", home = fs::path(temp.Path()) / "share";
  fs::create_directories(program);
  const std::string held = GetParam().beside_program;
  if (!held.empty() && held.back() == '/') {
    fs::create_directory(program / held.substr(0, held.size() - 1));
  } else if (!held.empty()) {
    test::WriteFile((program / held).string(), "");
  }
  const fs::path chosen = GetParam().data_option ? fs::path(temp.Path()) / "chosen" : fs::path{};
  const DataFolderChoice choice = ChooseDataFolder(program, chosen, home);
  EXPECT_EQ(choice.source, GetParam().expected);
  const fs::path expected_folder[] = {program, chosen, home / "zorkvm"};
  EXPECT_EQ(choice.folder, expected_folder[static_cast<int>(GetParam().expected)]);
}

INSTANTIATE_TEST_SUITE_P(Folders, DataFolderChoiceTest, ::testing::ValuesIn(kChoices),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DataFolder, RelativeChosenFolderIsMadeAbsolute) {
  const DataFolderChoice choice = ChooseDataFolder("/opt/zorkvm", "lab", "/home/u/.local/share");
  EXPECT_EQ(choice.folder, fs::current_path() / "lab");
}

TEST(DataFolder, PreparingCreatesTheFolderWithAppsAndScenes) {
  test::TempDir temp;
  const fs::path folder = fs::path(temp.Path()) / "share" / "zorkvm";
  EXPECT_EQ(PrepareDataFolder({folder, DataFolderSource::UserData}), "");
  EXPECT_TRUE(fs::is_directory(folder / "Apps"));
  EXPECT_TRUE(fs::is_directory(folder / "Scenes"));
  EXPECT_EQ(PrepareDataFolder({folder, DataFolderSource::UserData}), "") << "a second start finds it ready";
}

TEST(DataFolder, PortableFolderIsUsedAsItIs) {
  test::TempDir temp;
  test::WriteFile(temp.File("config.ini"), "");
  EXPECT_EQ(PrepareDataFolder({temp.Path(), DataFolderSource::Portable}), "");
  EXPECT_FALSE(fs::exists(temp.File("Apps"))) << "nothing is created beside the program";
  EXPECT_FALSE(fs::exists(temp.File("Scenes")));
}

TEST(DataFolder, UnusableFolderIsRefusedWithTheReason) {
  test::TempDir temp;
  test::WriteFile(temp.File("file"), "kept");
  const std::string file_in_the_way = PrepareDataFolder({temp.File("file"), DataFolderSource::Chosen});
  EXPECT_NE(file_in_the_way.find(temp.File("file")), std::string::npos) << file_in_the_way;
  EXPECT_EQ(test::ReadFile(temp.File("file")), "kept");
  EXPECT_NE(PrepareDataFolder({{}, DataFolderSource::UserData}), "") << "no home: no folder, and it says so";
}

TEST(DataFolder, AppConfigUsesTheChosenFolderAndKeepsWhy) {
  AppConfig& config = AppConfig::Instance();
  const std::u16string saved = config.BaseDir;
  config.UseDataFolder(u"/home/u/.local/share/zorkvm", DataFolderSource::UserData);
  EXPECT_EQ(config.BaseDir, u"/home/u/.local/share/zorkvm/");
  EXPECT_EQ(config.AppsDir, u"/home/u/.local/share/zorkvm/Apps/");
  EXPECT_EQ(config.ScenesDir, u"/home/u/.local/share/zorkvm/Scenes/");
  EXPECT_EQ(config.FolderSource, DataFolderSource::UserData);
  config.SetFolders(u"/opt/kvm/zorkvm");
  EXPECT_EQ(config.FolderSource, DataFolderSource::Portable) << "the program's own folder";
  config.SetFolders(saved + u"x");
}

}  // namespace
}  // namespace zor
