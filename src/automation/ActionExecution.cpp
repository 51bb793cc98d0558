#include "automation/ActionExecution.h"

namespace zor {
namespace {

// Waits of the action sequences, in milliseconds. They give the remote computer's input
// handling time to see each step (a press too soon after a move can land at the old position).
constexpr int64_t kAfterMoveMs = 30;
constexpr int64_t kAfterPressMs = 30;
constexpr int64_t kAfterReleaseMs = 10;
constexpr int64_t kBetweenClicksMs = 80;  // the two clicks of a double click
constexpr int64_t kAfterDoubleClickMs = 10;
constexpr int64_t kAfterPlainMoveMs = 10;
constexpr int64_t kDragAfterMoveMs = 30;
constexpr int64_t kDragAfterPressMs = 50;
constexpr int64_t kDragAfterEndMoveMs = 50;
constexpr int64_t kDragAfterReleaseMs = 10;
constexpr int64_t kAfterKeyMs = 10;
constexpr int64_t kAfterTextMs = 10;

constexpr char kLeft[] = "left";
constexpr char kRight[] = "right";

// One driver call per method, each under its own lease.
class DeviceInput {
 public:
  DeviceInput(IDeviceInput& client, const ActionWait& wait) : client_(client), wait_(wait) {}

  void Move(int32_t x, int32_t y) {
    if (DriverLease driver = client_.LeaseDriver()) driver->MouseMove(x, y);
  }
  void Button(const char* name, bool down) {
    if (DriverLease driver = client_.LeaseDriver()) driver->MouseButton(name, down);
  }
  void Key(uint8_t modifier, uint8_t usage) {
    if (DriverLease driver = client_.LeaseDriver()) driver->KeyCombo(modifier, usage);
  }
  void Type(const std::u16string& text) {
    if (DriverLease driver = client_.LeaseDriver()) driver->TypeText(text);
  }
  void Wait(int64_t ms) { wait_(ms); }

  void Click(const char* name, int32_t x, int32_t y) {
    Move(x, y);
    Wait(kAfterMoveMs);
    Button(name, true);
    Wait(kAfterPressMs);
    Button(name, false);
    Wait(kAfterReleaseMs);
  }
  void DoubleClick(const char* name, int32_t x, int32_t y) {
    Click(name, x, y);
    Wait(kBetweenClicksMs);
    Click(name, x, y);
    Wait(kAfterDoubleClickMs);
  }
  void Drag(int32_t x, int32_t y, int32_t x2, int32_t y2) {
    Move(x, y);
    Wait(kDragAfterMoveMs);
    Button(kLeft, true);
    Wait(kDragAfterPressMs);
    Move(x2, y2);
    Wait(kDragAfterEndMoveMs);
    Button(kLeft, false);
    Wait(kDragAfterReleaseMs);
  }

 private:
  IDeviceInput& client_;
  const ActionWait& wait_;
};

}  // namespace

void ExecuteAction(const ItemAction& a, IDeviceInput& client, const ActionWait& wait) {
  if (!client.LeaseDriver()) return;
  DeviceInput input(client, wait);
  switch (a.Code) {
    case ActionCode::Clk:
    case ActionCode::ClkRe: input.Click(kLeft, a.X, a.Y); break;
    case ActionCode::RClk:
    case ActionCode::RClkRe: input.Click(kRight, a.X, a.Y); break;
    case ActionCode::DblClk:
    case ActionCode::DblClkRe: input.DoubleClick(kLeft, a.X, a.Y); break;
    case ActionCode::RDblClk:
    case ActionCode::RDblClkRe: input.DoubleClick(kRight, a.X, a.Y); break;
    case ActionCode::Move:
    case ActionCode::MoveRe:
      input.Move(a.X, a.Y);
      input.Wait(kAfterPlainMoveMs);
      break;
    case ActionCode::Drag:
    case ActionCode::DragRe: input.Drag(a.X, a.Y, a.X2, a.Y2); break;
    case ActionCode::Key:
      input.Key(a.KeyModifier, a.KeyUsage);
      input.Wait(kAfterKeyMs);
      break;
    case ActionCode::Input:
    case ActionCode::InputId:
    case ActionCode::InputPass:
    case ActionCode::InputStr:
    case ActionCode::InputEtc:
      if (a.Text.empty()) break;
      input.Type(a.Text);
      input.Wait(kAfterTextMs);
      break;
    case ActionCode::None: break;
  }
}

bool ActionPoint(const ItemAction& a, int32_t& x, int32_t& y) {
  const auto code = static_cast<int32_t>(a.Code);
  if (code < static_cast<int32_t>(ActionCode::Clk) || code > static_cast<int32_t>(ActionCode::DragRe)) return false;
  x = a.X;
  y = a.Y;
  return true;
}

}  // namespace zor
