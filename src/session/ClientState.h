#pragma once
// The connection state a pane's thumbnail shows, and the ids of the pane's buttons.
#include <cstdint>
#include <string_view>

namespace zor {

enum class ClientState : int32_t {
  Offline = 0,     // the connect timer gave up on a connection attempt
  Stop = 1,        // the user disconnected
  Streaming = 2,   // frames arrive; the thumbnail shows the picture itself
  Error = 3,       // shown when set; nothing in the program sets it
  Connecting = 4,  // created, or driver recreated; waiting for the first frame
};

// The label drawn on the thumbnail: empty for Streaming, "Connecting" for any unknown value.
std::string_view ClientStateLabel(ClientState state);

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
// A pane's control id is this plus its index in the device list.
inline constexpr int32_t kPaneControlIdBase = 3000;
// Notification code of pane commands forwarded to the main window.
inline constexpr int32_t kPaneNotifyCode = 1500;
// Notification codes of widget buttons.
inline constexpr int32_t kNotifyClick = 0;
inline constexpr int32_t kNotifyDoubleClick = 1;

// What a button shows: `state` 0 shows its first glyph, 1 its second.
struct PaneButtonState {
  int32_t state = 0;
  bool enabled = true;
  friend bool operator==(const PaneButtonState&, const PaneButtonState&) = default;
};

}  // namespace zor
