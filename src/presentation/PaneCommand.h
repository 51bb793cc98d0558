#pragma once
// The pane's buttons and the commands they give. The widgets speak in control ids and
// notification codes (a click, a double click); everything behind the pane speaks PaneCommand.
#include <cstdint>
#include <optional>

namespace zor {

// The pane's six buttons.
enum PaneButtonId : int32_t {
  kButtonAutomation = 1201,  // click: start / stop automation
  kButtonPause = 1202,       // click: pause / resume; enabled only while automation runs
  kButtonConnect = 1203,     // click: connect / disconnect
  kButtonDelete = 1204,      // double click: forwarded to the main window (delete the device)
  kButtonEdit = 1205,        // double click: forwarded to the main window (edit the device)
  kButtonEditor = 1206,      // double click: open the scene editor; enabled from the first frame
};
inline constexpr int32_t kFirstPaneButton = kButtonAutomation;
inline constexpr int32_t kPaneButtonCount = 6;
inline constexpr bool IsPaneButton(int32_t id) { return id >= kFirstPaneButton && id < kFirstPaneButton + kPaneButtonCount; }

// Command of the thumbnail's double click (open the full control window).
inline constexpr int32_t kThumbnailCommand = 4000;
// Notification code of pane commands forwarded to the main window, whose argument is the
// pane's index.
inline constexpr int32_t kPaneNotifyCode = 1500;
// Notification codes of widget buttons.
inline constexpr int32_t kNotifyClick = 0;
inline constexpr int32_t kNotifyDoubleClick = 1;

enum class PaneCommand : uint8_t {
  ToggleAutomation,  // start / stop the device's Apps (or the edited Scene with the editor open)
  TogglePause,       // pause / resume the runner
  ToggleConnection,  // connect / disconnect
  DeleteDevice,      // the main window deletes the device
  EditDevice,        // the main window edits the device
  OpenSceneEditor,
  OpenFullControl,
};

// The command of a widget's notification, or none (a single click on a double-click button).
std::optional<PaneCommand> PaneCommandOf(int32_t id, int32_t code);
// The id of the button that gives `command`, for the main window's commands.
int32_t ButtonIdOf(PaneCommand command);

// What a button shows: `state` 0 shows its first glyph, 1 its second.
struct PaneButtonState {
  int32_t state = 0;
  bool enabled = true;
  friend bool operator==(const PaneButtonState&, const PaneButtonState&) = default;
};

}  // namespace zor
