// zorkvm-cli demo-folder DIR WxH: the demo's App and Scenes for the simulated desktop of that
// size: Scene "DemoOK" clicks the counter window's OK button, Scene "DemoToggle" its toggle
// button, and App "Demo" runs the two in turn. Templates are cut from the simulator's own
// picture, so image matching finds them on every simulated device of that size.
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

// A Scene of one Item that clicks the centre of `target` wherever image matching finds it,
// then rests for two seconds.
SceneData ClickScene(const std::u16string& name, const std::u16string& item_name, const SimRect& target,
                     TemplateImage image) {
  auto item = std::make_shared<Item>();
  item->Name = item_name;
  item->CaptureLeft = target.x;
  item->CaptureTop = target.y;
  item->CaptureWidth = target.w;
  item->CaptureHeight = target.h;
  item->ClickOffsetX = target.w / 2;
  item->ClickOffsetY = target.h / 2;
  item->Template = std::move(image);
  item->Script = u"action CLK\nset cooldown 2000";
  SceneData scene;
  scene.Name = name;
  scene.Description = u"Demo: " + item_name;
  scene.Items.push_back(std::move(item));
  return scene;
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
  const SceneData ok = ClickScene(u"DemoOK", u"OK button", layout.ok_button, Cut(picture, width, layout.ok_button));
  const SceneData toggle = ClickScene(u"DemoToggle", u"Toggle button", layout.toggle_button,
                                      Cut(picture, width, layout.toggle_button));
  AppInfo app;
  app.Name = u"Demo";
  app.Description = u"Clicks OK, then the toggle, on the simulated desktop";
  app.Scenes = {ok.Name, toggle.Name};

  const std::u16string base = WidePath(dir.string()) + u"/";
  for (const SaveResult& saved : {ok.SaveToPath(base + u"Scenes/DemoOK.scene"),
                                   toggle.SaveToPath(base + u"Scenes/DemoToggle.scene"),
                                   app.SaveToPath(base + u"Apps/Demo.app")}) {
    if (!saved) return Fail("cannot write the demo files in '" + args[0] + "': " + saved.failure);
  }
  std::cout << "App Demo with Scenes DemoOK and DemoToggle written to " << dir.string() << "\n";
  return 0;
}

const CliCommandRegistrar registrar({"demo-folder",
                                     "  demo-folder DIR WxH  write the demo App and Scenes for a simulated desktop",
                                     Run});

}  // namespace
}  // namespace zor::cli
