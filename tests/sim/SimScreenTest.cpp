// The simulated desktop: deterministic, and changed visibly by the input a device receives.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "sim/SimScreen.h"

namespace zor {
namespace {

constexpr int32_t kWidth = 800;
constexpr int32_t kHeight = 450;

// True when any pixel inside `r` differs between the two pictures.
bool RegionChanged(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, const SimRect& r, int32_t width) {
  for (int32_t y = r.y; y < r.y + r.h; ++y) {
    for (int32_t x = r.x; x < r.x + r.w; ++x) {
      const size_t i = (static_cast<size_t>(y) * width + x) * 4;
      if (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2]) return true;
    }
  }
  return false;
}

std::vector<uint8_t> Picture(SimScreen& screen) {
  std::vector<uint8_t> bgra;
  screen.Render(bgra);
  return bgra;
}

void ClickAt(SimScreen& screen, const SimRect& r) {
  screen.MoveTo(r.CenterX(), r.CenterY());
  screen.Button("left", true);
  screen.Button("left", false);
}

TEST(SimScreenTest, TheSamePictureEveryTimeForTheSameSize) {
  SimScreen a(kWidth, kHeight);
  SimScreen b(kWidth, kHeight);
  EXPECT_EQ(Picture(a), Picture(b));
  EXPECT_EQ(*a.Jpeg(70), *b.Jpeg(70));
}

TEST(SimScreenTest, ThePointerIsVisibleWhereItWasMoved) {
  SimScreen screen(kWidth, kHeight);
  const auto before = Picture(screen);
  const SimRect spot{100, 300, 12, 16};
  screen.MoveTo(spot.x, spot.y);
  EXPECT_TRUE(RegionChanged(before, Picture(screen), spot, kWidth));
}

TEST(SimScreenTest, ClicksOnButtonsChangeWhatTheScreenShows) {
  SimScreen screen(kWidth, kHeight);
  const SimLayout& l = screen.Layout();
  struct Case {
    const char* name;
    SimRect target;
    SimRect changes;
  };
  const Case cases[] = {
      {"OK counts", l.ok_button, l.counter_label},
      {"Toggle switches the status", l.toggle_button, l.status_panel},
      {"Toggle counts", l.toggle_button, l.counter_label},
      {"an icon is selected", l.icons[2], {l.icons[2].x - 3, l.icons[2].y - 3, 2, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    screen.MoveTo(c.target.CenterX(), c.target.CenterY());
    const auto before = Picture(screen);
    screen.Button("left", true);
    EXPECT_TRUE(RegionChanged(before, Picture(screen), c.changes, kWidth));
    screen.Button("left", false);
  }
  EXPECT_EQ(screen.OkClicks(), 1);
  EXPECT_EQ(screen.ToggleClicks(), 2);
  EXPECT_FALSE(screen.ToggledOn());
  ClickAt(screen, l.toggle_button);
  EXPECT_TRUE(screen.ToggledOn());

  // Right presses, releases and clicks beside the buttons change nothing.
  screen.MoveTo(l.ok_button.CenterX(), l.ok_button.CenterY());
  screen.Button("right", true);
  screen.Button("left", false);
  ClickAt(screen, {l.ok_button.x + l.ok_button.w + 2, l.ok_button.y, 1, 1});
  EXPECT_EQ(screen.OkClicks(), 1);
  EXPECT_EQ(screen.ToggleClicks(), 3);
}

TEST(SimScreenTest, KeysTypeIntoTheFieldWithinItsLength) {
  SimScreen screen(kWidth, kHeight);
  const auto before = Picture(screen);
  for (const char* key : {"h", "i", "space", "7", "shift", "backspace", "x"}) {
    screen.Key(key, true);
    screen.Key(key, false);
  }
  EXPECT_EQ(screen.FieldText(), "hi x");
  EXPECT_TRUE(RegionChanged(before, Picture(screen), screen.Layout().text_field, kWidth));
  for (int i = 0; i < 100; ++i) screen.Key("a", true);
  EXPECT_EQ(screen.FieldText().size(), kSimTextFieldChars);
  screen.Key("enter", true);
  EXPECT_EQ(screen.FieldText(), "");
}

TEST(SimScreenTest, ShiftAndCapsLockTypeAsOnAUsKeyboard) {
  struct Case {
    const char* name;
    std::vector<std::pair<const char*, bool>> keys;  // name, down
    std::string field;
  };
  const Case cases[] = {
      {"Shift held for one letter", {{"shift", true}, {"h", true}, {"h", false}, {"shift", false}, {"i", true}}, "Hi"},
      {"Shift on digits", {{"shift", true}, {"1", true}, {"shift", false}, {"1", true}}, "!1"},
      {"Caps Lock on letters only", {{"capslock", true}, {"capslock", false}, {"a", true}, {"2", true}}, "A2"},
      {"Shift under Caps Lock", {{"capslock", true}, {"shift", true}, {"a", true}, {"shift", false}, {"b", true}}, "aB"},
      {"Caps Lock off again",
       {{"capslock", true}, {"capslock", false}, {"capslock", true}, {"capslock", false}, {"z", true}},
       "z"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SimScreen screen(kWidth, kHeight);
    for (const auto& [key, down] : c.keys) screen.Key(key, down);
    EXPECT_EQ(screen.FieldText(), c.field);
  }
}

TEST(SimScreenTest, TheWheelScrollsTheReportWithinItsRows) {
  SimScreen screen(kWidth, kHeight);
  const auto top = Picture(screen);
  screen.Wheel(false);  // already at the top
  EXPECT_EQ(Picture(screen), top);
  screen.Wheel(true);
  EXPECT_TRUE(RegionChanged(top, Picture(screen), screen.Layout().report_list, kWidth));
  for (int i = 0; i < 500; ++i) screen.Wheel(true);
  screen.Wheel(false);
  EXPECT_NE(Picture(screen), top);
}

TEST(SimScreenTest, EveryTargetLiesOnTheScreenAtEverySize) {
  for (auto [w, h] : {std::pair{64, 64}, {320, 180}, {1024, 768}, {1920, 1080}, {3840, 2160}, {7680, 4320}, {5000, 200}}) {
    const SimLayout l = MakeSimLayout(w, h);
    std::vector<SimRect> all = {l.counter_window, l.counter_title, l.counter_label, l.ok_button, l.toggle_button,
                                l.status_panel,   l.text_field,    l.report_window, l.report_title, l.report_list,
                                l.taskbar,        l.start_button};
    all.insert(all.end(), l.icons.begin(), l.icons.end());
    for (const SimRect& r : all) {
      EXPECT_TRUE(r.w > 0 && r.h > 0 && r.x >= 0 && r.y >= 0 && r.x + r.w <= w && r.y + r.h <= h)
          << w << "x" << h << ": " << r.x << "," << r.y << " " << r.w << "x" << r.h;
    }
  }
}

TEST(SimScreenTest, SizesOutsideTheLimitsAreClamped) {
  SimScreen tiny(1, -5);
  EXPECT_EQ(tiny.Width(), 64);
  EXPECT_EQ(tiny.Height(), 64);
  EXPECT_TRUE(tiny.Jpeg(50));
  tiny.MoveTo(-100, 1 << 30);  // clamped to the screen, drawn without a fault
  EXPECT_TRUE(tiny.Jpeg(50));
}

}  // namespace
}  // namespace zor
