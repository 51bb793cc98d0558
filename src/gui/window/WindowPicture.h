#pragma once
// A picture of the main window for unattended runs: once every pane streams (or a time limit
// passes), the window is rendered to a PNG file and closed. The demo uses it where there is no
// display (ZORKVM_SCREENSHOT=<file.png>). GUI thread only.
#include <QString>
#include <functional>

namespace zor {

class MainWindow;

// Longest wait for every pane to stream before the picture is taken anyway.
inline constexpr int kWindowPictureTimeoutMs = 30000;

// True when every pane of the window shows a live picture (and there is at least one pane).
bool AllPanesStreaming(const MainWindow& window);

// Renders the window into `png_path`; false if the file cannot be written.
bool SaveWindowPicture(MainWindow& window, const QString& png_path);

// Waits (without blocking the event loop) until AllPanesStreaming or `timeout_ms`, then saves
// the picture, calls `done` with the outcome and closes the window without asking.
void PictureWhenStreaming(MainWindow& window, const QString& png_path, int timeout_ms,
                          std::function<void(bool saved)> done);

}  // namespace zor
