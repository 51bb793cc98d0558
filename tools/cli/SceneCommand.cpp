// zorkvm-cli scene dump|write PATH, scene export-template PATH ITEM OUT.png: a ".scene" file as
// JSON, and an Item's template image as a PNG.
#include <charconv>
#include <iostream>
#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include "AutomationJson.h"
#include "CliCommand.h"
#include "RecordFile.h"

namespace zor::cli {
namespace {

int Dump(const std::string& path) {
  SceneData scene;
  LoadResult read;
  if (const int failed = ReadRecordFile(path, scene, read)) return failed;
  std::cout << SceneToJson(scene).dump(2) << "\n";
  return ReportPartialRead(path, read);
}

// ITEM is the Item's position in the Scene's list, counted from 0 as in "scene dump".
int ExportTemplate(const std::string& path, const std::string& item_arg, const std::string& out) {
  SceneData scene;
  LoadResult read;
  if (const int failed = ReadRecordFile(path, scene, read)) return failed;
  size_t position = 0;
  const auto [end, error] =
      std::from_chars(item_arg.data(), item_arg.data() + item_arg.size(), position);
  if (error != std::errc() || end != item_arg.data() + item_arg.size()) {
    return UsageError("ITEM must be an Item's position, counted from 0");
  }
  if (position >= scene.Items.size()) {
    ReportPartialRead(path, read);  // a damaged file may have lost the Item
    return Fail("the Scene has " + std::to_string(scene.Items.size()) +
                " Items; there is no Item " + item_arg);
  }
  TemplateImage& image = scene.Items[position]->Template;
  if (!image.IsUsable()) return Fail("Item " + item_arg + " has no usable template image");
  const cv::Mat bgra(image.Height, image.Width, CV_8UC4, image.Pixels.data());
  cv::Mat bgr;
  cv::cvtColor(bgra, bgr, cv::COLOR_BGRA2BGR);  // the alpha byte of screen pixels means nothing
  try {
    if (!cv::imwrite(out, bgr)) return Fail("cannot write '" + out + "'");
  } catch (const cv::Exception& e) {
    return Fail("cannot write '" + out + "': " + e.what());
  }
  return ReportPartialRead(path, read);
}

int Run(const Args& args) {
  if (args.size() == 2 && args[0] == "dump") return Dump(args[1]);
  if (args.size() == 2 && args[0] == "write") {
    return WriteRecordFromStdin(args[1], "Scene", SceneFromJson);
  }
  if (args.size() == 4 && args[0] == "export-template") {
    return ExportTemplate(args[1], args[2], args[3]);
  }
  return UsageError("scene takes dump|write PATH or export-template PATH ITEM OUT.png");
}

const CliCommandRegistrar registrar(
    {"scene",
     "  scene dump PATH      print a .scene file as JSON (templates as base64 BGRA)\n"
     "  scene write PATH     write a .scene file from JSON on standard input\n"
     "  scene export-template PATH ITEM OUT.png\n"
     "                       write the template of Item ITEM (position from 0) as a PNG",
     Run});

}  // namespace
}  // namespace zor::cli
