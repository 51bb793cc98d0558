#pragma once
// The main window: the top frame across the top, the clients container below it, the shell's
// command dispatch, the one-second ConnectTimer, and the confirmed, ordered shut-down.
// GUI thread only.
#include <QBasicTimer>
#include <QWidget>
#include <memory>

#include "presentation/CommandTarget.h"

namespace zor {

class PaneContainer;
class TopBar;

// The maker's web site, opened by the tool bar's web button.
inline constexpr char kMakerSiteUrl[] = "https://www.zorware.example/";

// Pause between closing every connection and deleting the panes, so the drivers' connections
// can close.
inline constexpr int kShutdownDrainMs = 500;

class MainWindow : public QWidget, public ICommandTarget {
  Q_OBJECT
 public:
  MainWindow();
  ~MainWindow() override;

  void OnCommand(int id, int code, intptr_t arg) override;

  TopBar* Top() const { return top_.get(); }
  PaneContainer* Clients() const { return clients_.get(); }

  // One ConnectTimer tick (the timer calls it each second).
  void ConnectTimerTick();

  // Closes like a confirmed close, without asking (for unattended runs such as the demo's
  // picture of the window).
  void CloseWithoutAsking();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  void Shutdown();
  void RunPaneCommand(int id, int index);
  void AddShortcuts();
  void OpenWebSite();
  // Ctrl+F: the selected pane's full control window, as a double click on its thumbnail.
  void OpenSelectedFullControl();

  // Children, let go of in the shut-down: the panes (declared last, so also destroyed first)
  // before the top frame.
  std::unique_ptr<TopBar> top_;
  std::unique_ptr<PaneContainer> clients_;
  QBasicTimer connect_timer_;
  bool close_confirmed_ = false;
};

}  // namespace zor
