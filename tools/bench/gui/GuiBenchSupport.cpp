#include "GuiBenchSupport.h"

#include <ctime>
#include <memory>

#include "gui/widgets/UiTheme.h"

namespace zor::bench {

QApplication& BenchApp() {
  static int argc = 1;
  static char name[] = "zorkvm-bench";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Never destroyed: a static QApplication would go at exit after Qt's own globals it needs
  // (its input devices crashed there), and the process ends right after the benchmarks.
  static QApplication* const app = new QApplication(argc, argv);
  static const bool fonts_loaded = (LoadThemeFonts(), true);
  (void)fonts_loaded;
  return *app;
}

int64_t ProcessCpuNs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

FramePtr DesktopFrame(uint32_t w, uint32_t h, uint8_t seed) {
  auto f = std::make_shared<ScreenImage>();
  f->width = w;
  f->height = h;
  f->pixels.resize(static_cast<size_t>(w) * h * 4);
  for (uint32_t y = 0; y < h; ++y) {
    for (uint32_t x = 0; x < w; ++x) {
      uint8_t* p = &f->pixels[(static_cast<size_t>(y) * w + x) * 4];
      const bool window = (x / 200 + y / 150) % 3 == 0;
      p[0] = window ? 240 : static_cast<uint8_t>(120 + y * 100 / h + seed);
      p[1] = window ? 240 : static_cast<uint8_t>(60 + x * 60 / w);
      p[2] = window ? 240 : static_cast<uint8_t>(20 + seed);
      p[3] = 255;
    }
  }
  return f;
}

}  // namespace zor::bench
