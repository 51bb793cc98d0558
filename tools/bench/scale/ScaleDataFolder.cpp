#include "scale/ScaleDataFolder.h"

#include <memory>

#include "model/AppInfo.h"
#include "model/DeviceListFile.h"
#include "model/SceneData.h"
#include "platform/ProgramPath.h"
#include "sim/SimScreen.h"

namespace zor::bench {
namespace {

constexpr char16_t kAppName[] = u"Scale";
constexpr int32_t kTemplateSide = 64;
constexpr int32_t kWorkWidth = 640;
constexpr int32_t kWorkHeight = 480;
// JPEG pictures against a template cut from the raw render: a true match still scores well
// above this, any other place far below.
constexpr float kThreshold = 0.8f;

// 64 x 64 from the simulator's own render, centred on its OK button: it matches the screen.
TemplateImage OkButtonTemplate() {
  SimScreen screen(kScaleScreenWidth, kScaleScreenHeight);
  std::vector<uint8_t> bgra;
  screen.Render(bgra);
  const SimRect ok = screen.Layout().ok_button;
  const int32_t left = ok.CenterX() - kTemplateSide / 2;
  const int32_t top = ok.CenterY() - kTemplateSide / 2;
  TemplateImage t;
  t.Width = kTemplateSide;
  t.Height = kTemplateSide;
  for (int32_t y = top; y < top + kTemplateSide; ++y) {
    const auto row = bgra.begin() + (static_cast<ptrdiff_t>(y) * kScaleScreenWidth + left) * 4;
    t.Pixels.insert(t.Pixels.end(), row, row + kTemplateSide * 4);
  }
  return t;
}

// The first analysis searches the whole screen; on its match the script narrows the App's work
// area to 640 x 480 around the button, where every later analysis runs. No input is sent.
std::shared_ptr<Item> OkButtonItem() {
  auto item = std::make_shared<Item>();
  item->Name = u"ok";
  item->AnalysisType = kEngineImage;
  item->Threshold = kThreshold;
  item->Template = OkButtonTemplate();
  item->WorkOffsetX = -(kWorkWidth - kTemplateSide) / 2;
  item->WorkOffsetY = -(kWorkHeight - kTemplateSide) / 2;
  item->WorkWidth = kWorkWidth;
  item->WorkHeight = kWorkHeight;
  item->Script = u"set workarea";
  return item;
}

bool WriteApp(const std::string& folder, std::string& error) {
  SceneData scene;
  scene.Name = kAppName;
  scene.Items = {OkButtonItem()};
  if (const SaveResult saved = scene.SaveToPath(WidePath(folder + "/Scenes/Scale.scene")); !saved) {
    error = "cannot write the Scene: " + saved.failure;
    return false;
  }
  AppInfo app;
  app.Name = kAppName;
  app.Scenes = {kAppName};
  if (const SaveResult saved = app.SaveToPath(WidePath(folder + "/Apps/Scale.app")); !saved) {
    error = "cannot write the App: " + saved.failure;
    return false;
  }
  return true;
}

}  // namespace

bool WriteScaleDataFolder(const std::string& folder, uint32_t type_id, const std::vector<ScaleDevice>& devices,
                          bool with_app, std::string& error) {
  if (with_app && !WriteApp(folder, error)) return false;
  DeviceList list;
  for (const ScaleDevice& d : devices) {
    auto record = std::make_unique<DeviceInfo>();
    record->Type = type_id;
    record->ConnectIP = std::u16string(d.address.begin(), d.address.end());  // a dotted IPv4 address
    record->Port = d.port;
    record->ScreenWidth = kScaleScreenWidth;
    record->ScreenHeight = kScaleScreenHeight;
    record->FullFps = kFullControlFps;
    if (with_app) record->Apps = {kAppName};
    list.push_back(std::move(record));
  }
  if (const SaveResult saved = SaveDeviceList(WidePath(folder + "/config.ini"), list); !saved) {
    error = "cannot write config.ini: " + saved.failure;
    return false;
  }
  return true;
}

}  // namespace zor::bench
