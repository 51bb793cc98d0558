// The programs' command lines as built: one version everywhere, help without a display, and a
// data folder that cannot be used refused with the reason.
#include <gtest/gtest.h>

#include "package/PackageSupport.h"
#include "platform/ProgramVersion.h"
#include "support/TempDir.h"

namespace zor::test {
namespace {

TEST(CommandLineLive, EveryProgramSaysTheProjectVersion) {
  const std::pair<const char*, const char*> programs[] = {
      {"zorkvm", ZORKVM_GUI_PROGRAM}, {"zorkvm-cli", ZORKVM_CLI_PROGRAM}, {"zorkvm-sim", ZORKVM_SIM_PROGRAM}};
  for (const auto& [name, path] : programs) {
    const ProgramResult r = RunClean({}, path, {"--version"});
    EXPECT_EQ(r.exit_code, 0) << name;
    EXPECT_EQ(r.out, std::string(name) + " " + kProgramVersion + "\n");
  }
}

TEST(CommandLineLive, HelpNeedsNoDisplayAndNamesTheOptions) {
  const ProgramResult r = RunClean({}, ZORKVM_GUI_PROGRAM, {"--help"});
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_NE(r.out.find("--data <DIR>"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("--start-automation"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("--version"), std::string::npos) << r.out;
}

TEST(CommandLineLive, UnusableDataFolderEndsTheProgramWithTheReason) {
  TempDir temp;
  const std::string file = temp.File("not-a-folder");
  WriteFile(file, "x");
  const ProgramResult r = RunClean({"HOME=" + temp.Path(), "QT_QPA_PLATFORM=offscreen"}, ZORKVM_GUI_PROGRAM,
                                   {"--data", file});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_NE(r.err.find("zorkvm: Cannot use the data folder: "), std::string::npos) << r.err;
  EXPECT_NE(r.err.find(file), std::string::npos) << r.err;
  EXPECT_EQ(ReadFile(file), "x") << "the file in the way is left as it was";
}

TEST(CommandLineLive, UnknownOptionIsRefused) {
  TempDir temp;
  const ProgramResult r = RunClean({"HOME=" + temp.Path(), "QT_QPA_PLATFORM=offscreen"}, ZORKVM_GUI_PROGRAM,
                                   {"--no-such-option"});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_NE(r.err.find("no-such-option"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace zor::test
