#pragma once
// What the GUI benchmarks share: the one QApplication (offscreen unless the caller's
// environment picks a platform), the process's CPU time, and desktop-like frames.
#include <QApplication>
#include <cstdint>

#include "model/ScreenImage.h"

namespace zor::bench {

QApplication& BenchApp();

// CPU time of all the process's threads: Qt may scale a picture on its worker threads while the
// GUI thread waits for them, and that time counts too.
int64_t ProcessCpuNs();

// A desktop-like picture: smooth gradients with some sharp edges, as screens are. Different
// seeds give different pictures of the same kind.
FramePtr DesktopFrame(uint32_t w, uint32_t h, uint8_t seed);

}  // namespace zor::bench
