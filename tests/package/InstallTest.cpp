// `cmake --install` into a temporary prefix: every file where the desktop looks for it, valid by
// Debian's own validators, and the installed program keeping its data where a user's belongs.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include "package/PackageSupport.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"
#include "support/Wait.h"

namespace zor::test {
namespace {
namespace fs = std::filesystem;

const std::vector<std::string> kInstalledPrograms = {"zorkvm", "zorkvm-cli", "zorkvm-sim"};

class PackageLive : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(temp_.Path().empty());
    const std::string failure = InstallInto(prefix_);
    ASSERT_TRUE(failure.empty()) << failure;
  }
  fs::path Share(const std::string& relative) const { return prefix_ / "share" / relative; }

  TempDir temp_;
  fs::path prefix_ = fs::path(temp_.Path()) / "usr";
};

TEST_F(PackageLive, ProgramsGoToBinAndTheBenchmarkStaysOut) {
  EXPECT_EQ(Entries(prefix_ / "bin"), kInstalledPrograms);
}

TEST_F(PackageLive, DesktopEntryAndMetainfoPassTheirValidators) {
  const ProgramResult entry =
      RunProgram("/usr/bin/desktop-file-validate", {Share("applications/com.zorware.zorkvm.desktop").string()});
  EXPECT_EQ(entry.exit_code, 0) << entry.out << entry.err;
  EXPECT_EQ(entry.out + entry.err, "") << "warnings count too";
  const ProgramResult metainfo = RunProgram(
      "/usr/bin/appstreamcli", {"validate", "--no-net", Share("metainfo/com.zorware.zorkvm.metainfo.xml").string()});
  EXPECT_EQ(metainfo.exit_code, 0) << metainfo.out << metainfo.err;
}

TEST_F(PackageLive, IconsCoverEverySizeTheDesktopAsksFor) {
  EXPECT_TRUE(fs::is_regular_file(Share("icons/hicolor/scalable/apps/com.zorware.zorkvm.svg")));
  for (const int size : {16, 32, 48, 64, 128, 256}) {
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    EXPECT_TRUE(fs::is_regular_file(Share("icons/hicolor/" + folder + "/apps/com.zorware.zorkvm.png"))) << folder;
  }
}

TEST_F(PackageLive, BothTranslationsLandWhereTheProgramLooks) {
  for (const char* language : {"ko", "en"}) {
    const fs::path qm = Share(std::string("zorkvm/translations/zorkvm_") + language + ".qm");
    ASSERT_TRUE(fs::is_regular_file(qm)) << qm;
    EXPECT_GT(fs::file_size(qm), 0u) << qm;
  }
}

TEST_F(PackageLive, EveryInstalledProgramHasAManPageThatFormatsCleanly) {
  for (const std::string& program : Entries(prefix_ / "bin")) {
    const fs::path page = Share("man/man1/" + program + ".1");
    ASSERT_TRUE(fs::is_regular_file(page)) << program;
    // -ww: every warning; -z: format only. A clean page prints nothing.
    const ProgramResult groff = RunClean({"LC_ALL=C.UTF-8", "PATH=/usr/bin:/bin"}, "/usr/bin/groff", {"-man", "-ww", "-z", page.string()});
    EXPECT_EQ(groff.exit_code, 0) << program;
    EXPECT_EQ(groff.err, "") << program;
  }
}

// How a run chooses its data folder, and the folder it must then use.
struct DataFolderCase {
  const char* name;
  std::vector<std::string> args;
  fs::path (*expected)(const fs::path& home, const fs::path& temp);
};

const DataFolderCase kDataFolderCases[] = {
    {"xdg", {}, [](const fs::path& home, const fs::path&) { return home / ".local/share/zorkvm"; }},
    {"data_option", {"--data", "chosen"}, [](const fs::path&, const fs::path& temp) { return temp / "chosen"; }},
};

void PrintTo(const DataFolderCase& c, std::ostream* out) { *out << c.name; }

class InstalledDataFolderLive : public PackageLive, public ::testing::WithParamInterface<DataFolderCase> {};

// A user with an empty home and nothing beside the installed program: the program makes its data
// folder, reads config.ini there, and writes nothing into bin.
TEST_P(InstalledDataFolderLive, FolderIsCreatedAndUsedAndBinStaysUntouched) {
  const fs::path home = fs::path(temp_.Path()) / "home";
  fs::create_directory(home);
  const fs::path expected = GetParam().expected(home, temp_.Path());
  const std::string err_path = temp_.File("zorkvm.err");
  std::vector<std::string> args = GetParam().args;
  if (args.size() == 2) args[1] = expected.string();
  ChildProcess zorkvm(CleanCommand({"HOME=" + home.string(), "QT_QPA_PLATFORM=offscreen",
                                    "QT_LOGGING_RULES=zorkvm.ui.debug=true", "QT_MESSAGE_PATTERN=%{category}: %{message}"},
                                   (prefix_ / "bin/zorkvm").string(), args),
                      {}, err_path);
  ASSERT_TRUE(zorkvm.Started());
  // The device list is looked for once the window lays out its panes: the folder is in use.
  const std::string reads_config = "zorkvm.ui: LoadDeviceList: cannot open " + (expected / "config.ini").string();
  const bool used = WaitUntil([&] { return ReadFile(err_path).find(reads_config) != std::string::npos; }, 60000);
  zorkvm.Stop(SIGTERM);
  ASSERT_TRUE(used) << ReadFile(err_path);
  EXPECT_NE(ReadFile(err_path).find("zorkvm.ui: data folder: " + expected.string()), std::string::npos);
  EXPECT_TRUE(fs::is_directory(expected / "Apps"));
  EXPECT_TRUE(fs::is_directory(expected / "Scenes"));
  EXPECT_EQ(Entries(prefix_ / "bin"), kInstalledPrograms);
}

INSTANTIATE_TEST_SUITE_P(Runs, InstalledDataFolderLive, ::testing::ValuesIn(kDataFolderCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zor::test
