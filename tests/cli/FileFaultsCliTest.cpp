// zorkvm-cli on damaged, misplaced and unwritable files, run as a child process on real files:
// partial reads are reported, non-files are refused without blocking, a bare config name is
// found in the current folder, and failed saves say why.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>

#include "model/AppInfo.h"
#include "model/DeviceListFile.h"
#include "platform/ProgramPath.h"
#include "support/ChildProcess.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace zor {
namespace {

namespace fs = std::filesystem;
const std::string kCli = ZORKVM_TOOLS_DIR "/zorkvm-cli";
// Generous for a program that reads one small file, even on a loaded machine; a program that
// blocks in open() never gets there.
constexpr int kExitWaitMs = 60000;

// The folder the program would run from: config.ini with one device running App "A" of the
// single Scene "S" (one Item). The device's address refuses connections; Scenes load anyway.
class CliFolderLive : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directory(dir_.File("Apps"));
    fs::create_directory(dir_.File("Scenes"));
    DeviceList devices;
    devices.push_back(std::make_unique<DeviceInfo>());
    devices[0]->ConnectIP = u"127.0.0.1";
    devices[0]->Port = 1;
    devices[0]->Apps = {u"A"};
    devices.push_back(std::make_unique<DeviceInfo>(*devices[0]));
    ASSERT_TRUE(SaveDeviceList(WidePath(config_), devices));
    SceneData scene;
    scene.Name = u"S";
    scene.Items.push_back(std::make_shared<Item>());
    ASSERT_TRUE(scene.SaveToPath(WidePath(scene_)));
    AppInfo app;
    app.Name = u"A";
    app.Scenes = {u"S"};
    ASSERT_TRUE(app.SaveToPath(WidePath(app_)));
  }

  // Runs the CLI as a child and waits for it to exit by itself; a child that does not is killed
  // and the test fails instead of hanging.
  test::ProgramResult RunBounded(const std::vector<std::string>& args) {
    const std::string out = dir_.File("out.txt"), err = dir_.File("err.txt");
    fs::remove(out);
    fs::remove(err);
    std::vector<std::string> argv = {kCli};
    argv.insert(argv.end(), args.begin(), args.end());
    test::ChildProcess cli(argv, out, err);
    test::ProgramResult result;
    result.exit_code = cli.WaitExit(kExitWaitMs);
    if (cli.Running()) {
      cli.Stop(SIGKILL);
      ADD_FAILURE() << "zorkvm-cli did not exit by itself: " << nlohmann::json(args).dump();
    }
    result.out = test::ReadFile(out);
    result.err = test::ReadFile(err);
    return result;
  }

  // The reasons of the "scene_load_failed" lines of a run.
  std::vector<std::string> SceneLoadFailures(const std::string& out) {
    std::vector<std::string> reasons;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
      const auto j = nlohmann::json::parse(line, nullptr, false);
      if (j.value("event", "") != "scene_load_failed") continue;
      EXPECT_EQ(j["app"], "A");
      EXPECT_EQ(j["scene"], "S");
      reasons.push_back(j["reason"]);
    }
    return reasons;
  }

  test::TempDir dir_;
  const std::string config_ = dir_.File("config.ini");
  const std::string scene_ = dir_.File("Scenes/S.scene");
  const std::string app_ = dir_.File("Apps/A.app");
};

TEST_F(CliFolderLive, DumpsOfCutFilesPrintWhatWasReadAndSayWhereReadingStopped) {
  struct Case {
    const char* kind;
    std::string path;
    size_t cut_bytes;  // taken off the end
  };
  const Case cases[] = {{"config", config_, 3}, {"scene", scene_, 2}, {"app", app_, 1}};
  for (const Case& c : cases) {
    const std::string whole = test::ReadFile(c.path);
    test::WriteFile(c.path, whole.substr(0, whole.size() - c.cut_bytes));
    const LoadResult expected = [&] {
      DeviceList devices;
      SceneData scene;
      AppInfo app;
      if (std::string(c.kind) == "config") return LoadDeviceList(WidePath(c.path), devices);
      return std::string(c.kind) == "scene" ? scene.LoadFromPath(WidePath(c.path)) : app.LoadFromPath(WidePath(c.path));
    }();
    ASSERT_EQ(expected.problem, ReadProblem::Damaged) << c.kind;
    const auto dump = test::RunProgram(kCli, {c.kind, "dump", c.path});
    EXPECT_EQ(dump.exit_code, 3) << c.kind;
    EXPECT_FALSE(nlohmann::json::parse(dump.out, nullptr, false).is_discarded()) << c.kind << dump.out;
    EXPECT_NE(dump.err.find("stopped at byte " + std::to_string(expected.stopped_at_byte)), std::string::npos)
        << c.kind << ": " << dump.err;
  }
  // The config's first device was whole; the second was cut and is not shown.
  EXPECT_EQ(nlohmann::json::parse(test::RunProgram(kCli, {"config", "dump", config_}).out).size(), 1u);
}

TEST_F(CliFolderLive, NonFilesAreRefusedWithoutBlocking) {
  for (const std::string& path : {config_, scene_, app_}) {
    fs::remove(path);
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);  // nobody ever writes to it
  }
  const std::vector<std::vector<std::string>> commands = {
      {"config", "dump", config_}, {"scene", "dump", scene_}, {"app", "dump", app_},
      {"run", "--config", config_, "--seconds", "1"}, {"connect", "--config", config_, "--device", "0"},
      {"input", "--config", config_, "--device", "0", "click", "left", "1", "1"}};
  for (const auto& args : commands) {
    const auto r = RunBounded(args);
    EXPECT_EQ(r.exit_code, 1) << args[0] << r.err;
    if (args[0] != "connect") {
      EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << args[0] << r.err;
    }
  }
}

TEST_F(CliFolderLive, RunReportsEveryScenesLoadFailureAndKeepsRunning) {
  const std::string whole = test::ReadFile(scene_);
  struct Case {
    std::function<void()> damage;
    std::string reason;
  };
  const Case cases[] = {
      {[&] { fs::remove(scene_); }, "missing"},
      {[&] { ::mkfifo(scene_.c_str(), 0600); }, "not a regular file"},
      {[&] { test::WriteFile(scene_, whole.substr(0, whole.size() - 1)); }, "damaged at byte " + std::to_string(whole.size() - 4)},  // in the pixel count
      {[&] { test::WriteFile(scene_, ""); fs::resize_file(scene_, kMaxSceneFileBytes + 1); }, "too large"},
  };
  for (const Case& c : cases) {
    fs::remove(scene_);
    c.damage();
    const auto run = RunBounded({"run", "--config", config_, "--device", "1", "--seconds", "1"});
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(SceneLoadFailures(run.out), std::vector<std::string>{c.reason}) << run.out;
    EXPECT_NE(run.out.find(R"("event":"stopped")"), std::string::npos);
  }
}

TEST_F(CliFolderLive, RunReportsAnAppThatCannotBeLoaded) {
  test::WriteFile(app_, test::ReadFile(config_));  // a file of this program, but not an App
  const auto run = RunBounded({"run", "--config", config_, "--device", "1", "--seconds", "1"});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find(R"({"event":"app_load_failed","device":1,"app":"A","reason":"foreign title"})"),
            std::string::npos) << run.out;
}

TEST_F(CliFolderLive, ABadCodePage949ByteInASceneTextBecomesAQuestionMarkAndTheRestStays) {
  SceneData scene;
  scene.Items.push_back(std::make_shared<Item>());
  scene.Items[0]->Script = u"action INPUT \"cafX\"\r\naction CLK";
  std::string bytes = scene.Encode();
  bytes.replace(bytes.find("cafX"), 4, "caf\xE9");
  test::WriteFile(scene_, bytes);
  const auto dump = test::RunProgram(kCli, {"scene", "dump", scene_});
  ASSERT_EQ(dump.exit_code, 0) << dump.err;
  EXPECT_EQ(nlohmann::json::parse(dump.out)["Items"][0]["Script"], "action INPUT \"caf?\"\r\naction CLK");
}

TEST_F(CliFolderLive, ABareConfigNameIsFoundInTheCurrentFolder) {
  const std::string command = "cd '" + dir_.Path() + "' && exec '" + kCli + "' run --config config.ini --device 0 --seconds 1";
  const auto run = test::RunProgram("/bin/sh", {"-c", command});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find(R"("event":"scene_loaded","device":0,"app":"A")"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find(R"("items":1)"), std::string::npos) << run.out;
  EXPECT_TRUE(SceneLoadFailures(run.out).empty()) << run.out;
}

TEST_F(CliFolderLive, AFailedSaveSaysWhyAndKeepsTheFile) {
  const std::string before = test::ReadFile(config_);
  std::string devices = "[";
  for (int i = 0; i < 50; ++i) devices += std::string(i ? "," : "") + R"({"Name":"device with a long name"})";
  devices += "]";
  // A file size limit of 512 bytes: the write fails with the system's EFBIG (SIGXFSZ ignored).
  const std::string command = "trap '' XFSZ; ulimit -f 1; exec '" + kCli + "' config write '" + config_ + "'";
  const auto write = test::RunProgram("/bin/sh", {"-c", command}, devices);
  EXPECT_EQ(write.exit_code, 1);
  EXPECT_NE(write.err.find("cannot write '" + config_ + "': File too large"), std::string::npos) << write.err;
  EXPECT_EQ(test::ReadFile(config_), before);
}

TEST_F(CliFolderLive, WritingASymbolicallyLinkedConfigReplacesItsTarget) {
  fs::rename(config_, dir_.File("real.ini"));
  fs::create_symlink("real.ini", config_);
  const auto write = test::RunProgram(kCli, {"config", "write", config_}, R"([{"Name":"new"}])");
  ASSERT_EQ(write.exit_code, 0) << write.err;
  EXPECT_TRUE(fs::is_symlink(config_));
  EXPECT_EQ(nlohmann::json::parse(test::RunProgram(kCli, {"config", "dump", dir_.File("real.ini")}).out)[0]["Name"], "new");
}

}  // namespace
}  // namespace zor
