// The .deb made by CPack: its dependencies come from dpkg-shlibdeps, and the programs unpacked
// from it run and say their version without a display.
#include <gtest/gtest.h>

#include <filesystem>

#include "package/PackageSupport.h"
#include "platform/ProgramVersion.h"
#include "support/TempDir.h"

namespace zor::test {
namespace {
namespace fs = std::filesystem;

TEST(DebianPackageLive, UnpackedProgramsRunAndSayTheirVersion) {
  TempDir temp;
  ASSERT_FALSE(temp.Path().empty());
  const ProgramResult cpack = RunProgram(
      ZORKVM_CPACK, {"-G", "DEB", "--config", std::string(ZORKVM_BUILD_DIR) + "/CPackConfig.cmake", "-B", temp.Path()});
  ASSERT_EQ(cpack.exit_code, 0) << cpack.out << cpack.err;
  const fs::path deb = fs::path(temp.Path()) / (std::string("zorkvm_") + kProgramVersion + "_amd64.deb");
  ASSERT_TRUE(fs::is_regular_file(deb)) << cpack.out;

  const ProgramResult depends = RunProgram("/usr/bin/dpkg-deb", {"-f", deb.string(), "Depends"});
  EXPECT_NE(depends.out.find("libqt6widgets6"), std::string::npos) << "dpkg-shlibdeps names the libraries: " << depends.out;
  EXPECT_NE(depends.out.find("libc6"), std::string::npos) << depends.out;

  const fs::path root = fs::path(temp.Path()) / "root";
  const ProgramResult unpack = RunProgram("/usr/bin/dpkg-deb", {"-x", deb.string(), root.string()});
  ASSERT_EQ(unpack.exit_code, 0) << unpack.err;
  for (const std::string program : {"zorkvm", "zorkvm-cli", "zorkvm-sim"}) {
    // No DISPLAY, no HOME: --version must not need either.
    const ProgramResult version = RunClean({}, (root / "usr/bin" / program).string(), {"--version"});
    EXPECT_EQ(version.exit_code, 0) << program << ": " << version.err;
    EXPECT_EQ(version.out, program + " " + kProgramVersion + "\n");
  }
}

}  // namespace
}  // namespace zor::test
