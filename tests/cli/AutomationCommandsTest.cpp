// zorkvm-cli's scene and app commands, run as the program itself.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <opencv2/imgcodecs.hpp>

#include "model/AppInfo.h"
#include "model/SceneData.h"
#include "platform/ProgramPath.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace zor {
namespace {

const std::string kCli = ZORKVM_TOOLS_DIR "/zorkvm-cli";

// A 2 x 1 template: pixel 0 is B=1 G=2 R=3 A=4, pixel 1 is B=5 G=6 R=7 A=8.
constexpr char kSceneJson[] = R"({
  "Name": "로그인", "Description": "설명", "Script": "",
  "Items": [
    {"Index": 0, "AnalysisType": 2, "Name": "확인", "ClickOffsetX": -3, "Color": 4294967295,
     "Threshold": 0.5, "Script": "action CLK\nset cooldown 2000",
     "Params": [{"Key": "BinThreshold", "Value": "77"}],
     "Template": {"Width": 2, "Height": 1, "Pixels": "AQIDBAUGBwg="}},
    {"Name": "ITEM2"}
  ]
})";

class AutomationCommandsLive : public ::testing::Test {
 protected:
  std::string PathOf(const std::string& name) const { return dir_.File(name); }

  test::TempDir dir_;
};

TEST_F(AutomationCommandsLive, SceneWriteDumpRoundTripAndFileMatchesTheModel) {
  const auto written = test::RunProgram(kCli, {"scene", "write", PathOf("a.scene")}, kSceneJson);
  ASSERT_EQ(written.exit_code, 0) << written.err;

  SceneData scene;
  ASSERT_TRUE(scene.LoadFromPath(WidePath(PathOf("a.scene"))));
  ASSERT_EQ(scene.Items.size(), 2u);
  const Item& item = *scene.Items[0];
  EXPECT_EQ(scene.Name, u"로그인");
  EXPECT_EQ(item.Name, u"확인");
  EXPECT_EQ(item.AnalysisType, 2);
  EXPECT_EQ(item.ClickOffsetX, -3);
  EXPECT_EQ(item.Color, 0xFFFFFFFFu);
  EXPECT_EQ(item.Threshold, 0.5f);
  EXPECT_EQ(item.GetParamInt(u"BinThreshold", 0), 77);
  EXPECT_EQ(item.Template.Pixels, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(scene.Items[1]->Threshold, 0.95f);  // missing keys keep the Item defaults

  const auto dumped = test::RunProgram(kCli, {"scene", "dump", PathOf("a.scene")});
  ASSERT_EQ(dumped.exit_code, 0) << dumped.err;
  const auto json = nlohmann::json::parse(dumped.out);
  EXPECT_EQ(json["Items"][0]["Template"]["Pixels"], "AQIDBAUGBwg=");
  EXPECT_EQ(json["Items"][1]["Threshold"].get<float>(), 0.95f);

  // Writing the dump again gives the same bytes.
  ASSERT_EQ(test::RunProgram(kCli, {"scene", "write", PathOf("b.scene")}, dumped.out).exit_code, 0);
  std::ifstream a(PathOf("a.scene"), std::ios::binary), b(PathOf("b.scene"), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(a), {}),
            std::string(std::istreambuf_iterator<char>(b), {}));
}

TEST_F(AutomationCommandsLive, ExportTemplateWritesThePixelsAsPng) {
  ASSERT_EQ(test::RunProgram(kCli, {"scene", "write", PathOf("a.scene")}, kSceneJson).exit_code, 0);
  const auto exported =
      test::RunProgram(kCli, {"scene", "export-template", PathOf("a.scene"), "0", PathOf("t.png")});
  ASSERT_EQ(exported.exit_code, 0) << exported.err;
  const cv::Mat png = cv::imread(PathOf("t.png"), cv::IMREAD_UNCHANGED);
  ASSERT_EQ(png.type(), CV_8UC3);
  ASSERT_EQ(png.cols, 2);
  ASSERT_EQ(png.rows, 1);
  EXPECT_EQ(png.at<cv::Vec3b>(0, 0), cv::Vec3b(1, 2, 3));
  EXPECT_EQ(png.at<cv::Vec3b>(0, 1), cv::Vec3b(5, 6, 7));

  for (const char* item : {"1", "2", "x"}) {  // no template, no such Item, not a position
    const auto failed = test::RunProgram(
        kCli, {"scene", "export-template", PathOf("a.scene"), item, PathOf("u.png")});
    EXPECT_NE(failed.exit_code, 0) << item;
    EXPECT_FALSE(failed.err.empty());
  }
  EXPECT_FALSE(std::filesystem::exists(PathOf("u.png")));
}

TEST_F(AutomationCommandsLive, AppWriteAndDumpKeepEveryStoredField) {
  const std::string json =
      R"({"Name": "앱", "Description": "d", "UserPassword": "비밀", "Scenes": ["로그인", "끝"]})";
  ASSERT_EQ(test::RunProgram(kCli, {"app", "write", PathOf("x.app")}, json).exit_code, 0);
  const auto dumped = test::RunProgram(kCli, {"app", "dump", PathOf("x.app")});
  ASSERT_EQ(dumped.exit_code, 0) << dumped.err;
  const auto out = nlohmann::json::parse(dumped.out);
  EXPECT_EQ(out["Name"], "앱");
  EXPECT_EQ(out["UserId"], "TestID");
  EXPECT_EQ(out["UserPassword"], "비밀");
  EXPECT_EQ(out["Scenes"], nlohmann::json::array({"로그인", "끝"}));
}

TEST_F(AutomationCommandsLive, MissingForeignDamagedAndMalformedInputSayWhy) {
  ASSERT_EQ(test::RunProgram(kCli, {"scene", "write", PathOf("a.scene")}, kSceneJson).exit_code, 0);
  ASSERT_EQ(test::RunProgram(kCli, {"app", "write", PathOf("x.app")}, "{}").exit_code, 0);
  std::filesystem::copy_file(PathOf("a.scene"), PathOf("cut.scene"));
  std::filesystem::resize_file(PathOf("cut.scene"),
                               std::filesystem::file_size(PathOf("a.scene")) - 1);

  struct Case {
    std::vector<std::string> args;
    std::string input;
    std::string message;
    int exit_code = 1;
  };
  const Case cases[] = {
      {{"scene", "dump", PathOf("absent.scene")}, "", "cannot read '" + PathOf("absent.scene") + "': missing"},
      {{"app", "dump", PathOf("absent.app")}, "", "missing"},
      {{"app", "dump", PathOf("a.scene")}, "", "foreign title"},
      {{"scene", "dump", PathOf("x.app")}, "", "damaged", 3},
      {{"scene", "dump", PathOf("cut.scene")}, "", "damaged", 3},
      {{"scene", "dump", dir_.Path()}, "", "not a regular file"},
      {{"scene", "write", PathOf("n.scene")}, "{", "malformed"},
      {{"scene", "write", PathOf("n.scene")}, "[]", "malformed"},
      {{"scene", "write", PathOf("n.scene")}, R"({"Items": [{"Index": 1.5}]})", "Index"},
      {{"scene", "write", PathOf("n.scene")}, R"({"Items": [{"Index": 2147483648}]})", "Index"},
      {{"scene", "write", PathOf("n.scene")}, R"({"Items": [{"Color": -1}]})", "Color"},
      {{"scene", "write", PathOf("n.scene")},
       R"({"Items": [{"Template": {"Pixels": "AQID*A=="}}]})",
       "base64"},
      {{"app", "write", PathOf("n.app")}, R"({"Scenes": [1]})", "Scene name"},
      {{"app", "write", PathOf("no-such-dir/n.app")}, "{}", "cannot write '" + PathOf("no-such-dir/n.app") +
                                                              "': No such file or directory"},
  };
  for (const auto& c : cases) {
    const auto result = test::RunProgram(kCli, c.args, c.input);
    EXPECT_EQ(result.exit_code, c.exit_code) << c.args[0] << " " << c.args[1] << " " << c.input;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
  }
  EXPECT_FALSE(std::filesystem::exists(PathOf("n.scene")));
  EXPECT_FALSE(std::filesystem::exists(PathOf("n.app")));
  EXPECT_EQ(test::RunProgram(kCli, {"scene", "dump"}).exit_code, 2);
  EXPECT_EQ(test::RunProgram(kCli, {"app", "show", PathOf("x.app")}).exit_code, 2);
}

}  // namespace
}  // namespace zor
