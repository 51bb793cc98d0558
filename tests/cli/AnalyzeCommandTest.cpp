// zorkvm-cli analyze: a Scene file and a PNG picture written here, the tool run as a child
// process, its JSON read back.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include <nlohmann/json.hpp>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include "model/SceneData.h"
#include "platform/ProgramPath.h"
#include "sim/SimScreen.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace zor::test {
namespace {

const std::string kCli = ZORKVM_TOOLS_DIR "/zorkvm-cli";

cv::Mat Noise(int width, int height, int channels, uint64_t seed) {
  cv::Mat image(height, width, CV_8UC(channels));
  cv::RNG(seed).fill(image, cv::RNG::UNIFORM, cv::Scalar::all(0), cv::Scalar::all(256));
  return image;
}

std::shared_ptr<Item> ItemFromBgr(const cv::Mat& bgr, int32_t type, int32_t index) {
  cv::Mat bgra;
  cv::cvtColor(bgr, bgra, cv::COLOR_BGR2BGRA);
  auto item = std::make_shared<Item>();
  item->AnalysisType = type;
  item->Index = index;
  item->Template.Width = bgra.cols;
  item->Template.Height = bgra.rows;
  item->Template.Pixels.assign(bgra.datastart, bgra.dataend);
  return item;
}

class AnalyzeCommandLive : public ::testing::Test {
 protected:
  void SetUp() override {
    cv::Mat picture = Noise(160, 120, 3, 1);
    const cv::Mat target = Noise(20, 16, 3, 2);
    target.copyTo(picture(cv::Rect(30, 40, 20, 16)));
    target.copyTo(picture(cv::Rect(110, 90, 20, 16)));
    ASSERT_TRUE(cv::imwrite(image_, picture));
    SceneData scene;
    scene.Name = u"분석";
    scene.Items.push_back(ItemFromBgr(target, 0, 5));
    scene.Items.push_back(ItemFromBgr(target, 3, 6));  // an engine type that does not exist
    ASSERT_TRUE(scene.SaveToPath(WidePath(scene_)));
  }

  ProgramResult Analyze(std::vector<std::string> extra) {
    std::vector<std::string> args = {"analyze", "--scene", scene_, "--image", image_};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunProgram(kCli, args);
  }

  TempDir dir_;
  const std::string scene_ = dir_.File("test.scene");
  const std::string image_ = dir_.File("screen.png");
};

TEST_F(AnalyzeCommandLive, PrintsTheMatchesAsJson) {
  const ProgramResult run = Analyze({"--item", "0"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const auto json = nlohmann::json::parse(run.out);
  EXPECT_EQ(json["found"], true);
  EXPECT_EQ(json["message"], "");
  ASSERT_EQ(json["matches"].size(), 2u);
  std::set<std::pair<int, int>> corners;
  for (const auto& m : json["matches"]) {
    corners.insert({m["left"].get<int>(), m["top"].get<int>()});
    EXPECT_EQ(m["item_index"], 5);
    EXPECT_EQ(m["width"], 20);
    EXPECT_EQ(m["centre_x"], m["left"].get<int>() + 10);
    EXPECT_GT(m["score"].get<double>(), 0.99);
  }
  EXPECT_EQ(corners, (std::set<std::pair<int, int>>{{30, 40}, {110, 90}}));
  EXPECT_FALSE(json.contains("nearest")) << "only a miss says how close it came";
}

TEST_F(AnalyzeCommandLive, WorkAreaLimitsTheSearchAndFailuresShowTheirMessage) {
  const auto inside = nlohmann::json::parse(Analyze({"--item", "0", "--work", "100,80,160,120"}).out);
  ASSERT_EQ(inside["matches"].size(), 1u);
  EXPECT_EQ(inside["best"]["left"], 110);

  const auto small = nlohmann::json::parse(Analyze({"--item", "0", "--work", "0,0,10,10"}).out);
  EXPECT_EQ(small["found"], false);
  EXPECT_EQ(small["message"], "작업 영역(RcWork)이 템플릿 이미지보다 작습니다.");
  EXPECT_EQ(small["best"]["item_index"], -1);
  EXPECT_FALSE(small.contains("nearest")) << "a refused work area scored nothing";

  const auto unknown = nlohmann::json::parse(Analyze({"--item", "1"}).out);
  EXPECT_EQ(unknown["found"], false);
  EXPECT_EQ(unknown["message"], "알 수 없는 엔진 타입 요청");
  EXPECT_FALSE(unknown.contains("nearest"));
}

// The simulated desktop with the pointer resting on its OK button: the button's Item, cut from
// the picture without the pointer, stays below its threshold, and the result says where the
// button is and how close the score came.
TEST_F(AnalyzeCommandLive, AMissGivesTheNearestPositionAndItsScore) {
  constexpr int32_t kWidth = 640, kHeight = 360;
  constexpr float kThreshold = 0.99f;  // the picture without the pointer scores 1
  constexpr int kNearPixels = 2;       // the pointer covers part of the button: a neighbour may score more
  SimScreen screen(kWidth, kHeight);
  const SimRect ok = screen.Layout().ok_button;
  std::vector<uint8_t> idle, pointed;
  screen.Render(idle);
  screen.MoveTo(ok.CenterX(), ok.CenterY());
  screen.Render(pointed);
  const auto bgr = [&](std::vector<uint8_t>& bgra) {
    cv::Mat out;
    cv::cvtColor(cv::Mat(kHeight, kWidth, CV_8UC4, bgra.data()), out, cv::COLOR_BGRA2BGR);
    return out;
  };
  ASSERT_TRUE(cv::imwrite(image_, bgr(pointed)));
  SceneData scene;
  scene.Items.push_back(ItemFromBgr(bgr(idle)(cv::Rect(ok.x, ok.y, ok.w, ok.h)), 0, 0));
  scene.Items[0]->Threshold = kThreshold;
  ASSERT_TRUE(scene.SaveToPath(WidePath(scene_)));

  const ProgramResult run = Analyze({"--item", "0"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const auto json = nlohmann::json::parse(run.out);
  EXPECT_EQ(json["found"], false);
  EXPECT_EQ(json["message"], "");
  ASSERT_TRUE(json.contains("nearest")) << run.out;
  const auto& nearest = json["nearest"];
  EXPECT_NEAR(nearest["left"].get<int>(), ok.x, kNearPixels);
  EXPECT_NEAR(nearest["top"].get<int>(), ok.y, kNearPixels);
  EXPECT_LT(nearest["score"].get<double>(), kThreshold - 0.01) << "below the threshold less the default tolerance";
  EXPECT_GT(nearest["score"].get<double>(), 0.0);

  ASSERT_TRUE(cv::imwrite(image_, bgr(idle)));
  const auto hit = nlohmann::json::parse(Analyze({"--item", "0"}).out);
  EXPECT_EQ(hit["found"], true);
  EXPECT_EQ(hit["best"]["left"], ok.x);
  EXPECT_FALSE(hit.contains("nearest"));
}

TEST_F(AnalyzeCommandLive, BadArgumentsAndFilesAreRefused) {
  struct Case {
    std::vector<std::string> args;
    int exit_code;
  };
  const Case cases[] = {
      {{"analyze"}, 2},
      {{"analyze", "--scene", scene_, "--image", image_}, 2},                               // no --item
      {{"analyze", "--scene", scene_, "--image", image_, "--item"}, 2},                     // no value
      {{"analyze", "--scene", scene_, "--image", image_, "--item", "x"}, 2},
      {{"analyze", "--scene", scene_, "--image", image_, "--item", "0", "--work", "1,2,3"}, 2},
      {{"analyze", "--scene", scene_, "--image", image_, "--item", "0", "--work", "1,2,3,4x"}, 2},
      {{"analyze", "--scene", scene_, "--image", image_, "--item", "0", "--colour", "1"}, 2},
      {{"analyze", "--scene", scene_, "--image", image_, "--item", "2"}, 1},                // no such Item
      {{"analyze", "--scene", dir_.File("missing.scene"), "--image", image_, "--item", "0"}, 1},
      {{"analyze", "--scene", scene_, "--image", scene_, "--item", "0"}, 1},                // not a picture
  };
  for (const auto& c : cases) {
    const ProgramResult run = RunProgram(kCli, c.args);
    EXPECT_EQ(run.exit_code, c.exit_code) << run.err;
    EXPECT_TRUE(run.out.empty());
    EXPECT_FALSE(run.err.empty());
  }
}

}  // namespace
}  // namespace zor::test
