// zorkvm-cli analyze --scene PATH --item N --image PNG [--work L,T,R,B]: runs one Item's
// analysis on a picture and prints the result as JSON, so an operator can see why an Item does
// or does not match, and how close it came.
#include <charconv>
#include <iostream>
#include <map>
#include <optional>

#include <nlohmann/json.hpp>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include "analysis/AnalysisEngine.h"
#include "CliCommand.h"
#include "model/SceneData.h"
#include "platform/CodePage.h"
#include "platform/ProgramPath.h"

namespace zor::cli {
namespace {

using nlohmann::ordered_json;

ordered_json ToJson(const MatchRecord& m) {
  return ordered_json{{"item_number", m.ItemNumber}, {"item_index", m.ItemIndex}, {"left", m.Left},
                      {"top", m.Top},                {"centre_x", m.CenterX},    {"centre_y", m.CenterY},
                      {"width", m.Width},            {"height", m.Height},       {"score", m.Score}};
}

ordered_json ToJson(const AnalysisResult& r) {
  ordered_json matches = ordered_json::array();
  for (const auto& m : r.Matches) matches.push_back(ToJson(m));
  ordered_json out{{"found", r.Found}, {"message", ToUtf8(r.Message)}, {"best", ToJson(r.Best)}, {"matches", matches}};
  // Nothing found: how close the Item came, and where. A failed analysis scored nothing.
  if (!r.Found && r.BestSeen) {
    out["nearest"] = {{"left", r.BestSeen->Left}, {"top", r.BestSeen->Top}, {"score", r.BestSeen->Score}};
  }
  return out;
}

// A whole decimal number, nothing else around it.
std::optional<int32_t> ParseInt(std::string_view text) {
  int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// "L,T,R,B" as four whole numbers.
std::optional<WorkRect> ParseWorkArea(std::string_view text) {
  int32_t parts[4] = {};
  for (int i = 0; i < 4; ++i) {
    const size_t comma = i < 3 ? text.find(',') : text.size();
    if (comma == std::string_view::npos) return std::nullopt;
    const auto value = ParseInt(text.substr(0, comma));
    if (!value) return std::nullopt;
    parts[i] = *value;
    text.remove_prefix(i < 3 ? comma + 1 : comma);
  }
  return WorkRect{parts[0], parts[1], parts[2], parts[3]};
}

int Run(const Args& args) {
  std::map<std::string, std::string> options;
  for (size_t i = 0; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return UsageError("option '" + args[i] + "' needs a value");
    const std::string& name = args[i];
    if (name != "--scene" && name != "--item" && name != "--image" && name != "--work") {
      return UsageError("unknown analyze option '" + name + "'");
    }
    options[name] = args[i + 1];
  }
  for (const char* required : {"--scene", "--item", "--image"}) {
    if (!options.count(required)) return UsageError(std::string("analyze needs ") + required);
  }
  const auto item_number = ParseInt(options["--item"]);
  if (!item_number || *item_number < 0) return UsageError("--item takes the Item's position in the Scene, from 0");
  WorkRect work_area;  // empty: the whole picture
  if (options.count("--work")) {
    const auto parsed = ParseWorkArea(options["--work"]);
    if (!parsed) return UsageError("--work takes four whole numbers L,T,R,B");
    work_area = *parsed;
  }

  SceneData scene;
  if (const LoadResult read = scene.LoadFromPath(WidePath(options["--scene"])); !read) {
    return Fail("cannot read '" + options["--scene"] + "': " + read.Reason());
  }
  if (size_t(*item_number) >= scene.Items.size()) {
    return Fail("the Scene has " + std::to_string(scene.Items.size()) + " Items; there is no Item " +
                options["--item"]);
  }
  const cv::Mat bgr = cv::imread(options["--image"], cv::IMREAD_COLOR);
  if (bgr.empty()) return Fail("cannot read the picture '" + options["--image"] + "'");
  cv::Mat bgra;
  cv::cvtColor(bgr, bgra, cv::COLOR_BGR2BGRA);  // alpha 255: an opaque screen

  AnalysisFrame frame;
  frame.RcWork = work_area;
  frame.Width = bgra.cols;
  frame.Height = bgra.rows;
  frame.Pixels = std::span<const uint8_t>(bgra.datastart, bgra.dataend);
  AnalysisResult result;
  RunAnalysis(frame, *scene.Items[*item_number], result);
  std::cout << ToJson(result).dump(2) << "\n";
  return 0;
}

const CliCommandRegistrar registrar(
    {"analyze",
     "  analyze --scene PATH --item N --image PNG [--work L,T,R,B]\n"
     "                       run Item N (its position in the Scene, from 0) on a picture and print\n"
     "                       the analysis result as JSON; --work is the work area (right and\n"
     "                       bottom exclusive), the whole picture without it; when nothing is found,\n"
     "                       \"nearest\" gives the best position's left, top and score",
     Run});

}  // namespace
}  // namespace zor::cli
