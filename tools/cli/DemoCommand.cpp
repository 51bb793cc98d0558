// zorkvm-cli demo-folder DIR WxH: the demo's App and Scene for the simulated desktop of that
// size. App "Demo" runs Scene "DemoButtons", whose two Items take turns for as long as the App
// runs: "OK button" clicks the counter window's OK button, "Toggle button" its toggle button,
// then OK again, and so on. A runner never returns to an earlier Scene of an App, so the turns
// are taken inside one Scene: each Item switches itself off and the other on ("set inactive",
// "set active"). Templates are cut from the simulator's own picture, so image matching finds
// them on every simulated device of that size.
#include <filesystem>
#include <iostream>

#include "CliCommand.h"
#include "model/AppInfo.h"
#include "model/SceneData.h"
#include "platform/ProgramPath.h"
#include "sim/SimScreen.h"

namespace zor::cli {
namespace {

// Largest demo desktop: the simulator's own limit for a screen.
constexpr int32_t kMaxDemoSide = 7680;

TemplateImage Cut(const std::vector<uint8_t>& bgra, int32_t screen_width, const SimRect& r) {
  TemplateImage image;
  image.Width = r.w;
  image.Height = r.h;
  image.Pixels.reserve(static_cast<size_t>(r.w) * r.h * 4);
  for (int32_t y = r.y; y < r.y + r.h; ++y) {
    const auto row = bgra.begin() + (static_cast<ptrdiff_t>(y) * screen_width + r.x) * 4;
    image.Pixels.insert(image.Pixels.end(), row, row + static_cast<ptrdiff_t>(r.w) * 4);
  }
  return image;
}

// The devices send JPEG pictures and the template is the raw render (about 0.98 at 1280 x 720):
// a margin below the default threshold for small desktops, whose buttons JPEG blurs more.
constexpr float kDemoThreshold = 0.9f;

// An Item that clicks the centre of `target` wherever image matching finds it, moves the pointer
// off it (to its click point, half a button below: MOVERE), and hands the turn to `next`. Each
// Item rests for a second after its turn, so the two click about twice a second together.
std::shared_ptr<Item> TurnItem(const std::u16string& name, const std::u16string& next, const SimRect& target,
                               TemplateImage image) {
  auto item = std::make_shared<Item>();
  item->Name = name;
  item->CaptureLeft = target.x;
  item->CaptureTop = target.y;
  item->CaptureWidth = target.w;
  item->CaptureHeight = target.h;
  item->ClickOffsetX = target.w / 2;
  item->ClickOffsetY = target.h + target.h / 2;
  item->Threshold = kDemoThreshold;
  item->Template = std::move(image);
  item->Script = u"action CLK\naction MOVERE\nset inactive\nset active \"" + next + u"\"\nset cooldown 1000";
  return item;
}

bool ParseSize(const std::string& text, int32_t& width, int32_t& height) {
  const size_t x = text.find('x');
  if (x == std::string::npos) return false;
  try {
    width = std::stoi(text.substr(0, x));
    height = std::stoi(text.substr(x + 1));
  } catch (const std::exception&) {
    return false;
  }
  return width > 0 && height > 0 && width <= kMaxDemoSide && height <= kMaxDemoSide;
}

int Run(const Args& args) {
  int32_t width = 0, height = 0;
  if (args.size() != 2 || !ParseSize(args[1], width, height)) {
    return UsageError("demo-folder takes DIR WIDTHxHEIGHT");
  }
  const std::filesystem::path dir(args[0]);
  std::error_code ec;
  std::filesystem::create_directories(dir / "Apps", ec);
  std::filesystem::create_directories(dir / "Scenes", ec);
  if (ec) return Fail("cannot make the folders in '" + args[0] + "': " + ec.message());

  SimScreen screen(width, height);
  std::vector<uint8_t> picture;
  screen.Render(picture);
  const SimLayout& layout = screen.Layout();
  SceneData scene;
  scene.Name = u"DemoButtons";
  scene.Description = u"Demo: the OK and the toggle button take turns";
  scene.Items = {TurnItem(u"OK button", u"Toggle button", layout.ok_button, Cut(picture, width, layout.ok_button)),
                 TurnItem(u"Toggle button", u"OK button", layout.toggle_button,
                          Cut(picture, width, layout.toggle_button))};
  AppInfo app;
  app.Name = u"Demo";
  app.Description = u"Clicks OK, then the toggle, then OK again, on the simulated desktop";
  app.Scenes = {scene.Name};

  const std::u16string base = WidePath(dir.string()) + u"/";
  for (const SaveResult& saved :
       {scene.SaveToPath(base + u"Scenes/DemoButtons.scene"), app.SaveToPath(base + u"Apps/Demo.app")}) {
    if (!saved) return Fail("cannot write the demo files in '" + args[0] + "': " + saved.failure);
  }
  std::cout << "App Demo with Scene DemoButtons written to " << dir.string() << "\n";
  return 0;
}

const CliCommandRegistrar registrar({"demo-folder",
                                     "  demo-folder DIR WxH  write the demo App and Scene for a simulated desktop",
                                     Run});

}  // namespace
}  // namespace zor::cli
