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

constexpr PointerButton kLeft = PointerButton::Left;
constexpr PointerButton kRight = PointerButton::Right;

// One driver call per method, each under its own lease.
class ActionInput {
 public:
  ActionInput(IDeviceInput& device, const ActionWait& wait) : device_(device), wait_(wait) {}

  void Move(int32_t x, int32_t y) {
    if (DriverLease driver = device_.LeaseDriver()) driver->MouseMove(x, y);
  }
  void Button(PointerButton button, bool down) {
    if (DriverLease driver = device_.LeaseDriver()) driver->MouseButton(button, down);
  }
  // The lease ends with the if statement: the wait for the device holds nothing, so a driver
  // replaced meanwhile goes at once (and drops what it had not sent, which ends the wait).
  void Key(uint8_t modifier, uint8_t usage) {
    InputCompletion sent;
    if (DriverLease driver = device_.LeaseDriver()) sent = driver->KeyCombo(modifier, usage);
    sent.Wait(wait_.stop);
  }
  void Type(const std::u16string& text) {
    InputCompletion sent;
    if (DriverLease driver = device_.LeaseDriver()) sent = driver->TypeText(text);
    sent.Wait(wait_.stop);
  }
  void Wait(int64_t ms) { wait_.pause(ms); }

  void Click(PointerButton button, int32_t x, int32_t y) {
    Move(x, y);
    Wait(kAfterMoveMs);
    Button(button, true);
    Wait(kAfterPressMs);
    Button(button, false);
    Wait(kAfterReleaseMs);
  }
  void DoubleClick(PointerButton button, int32_t x, int32_t y) {
    Click(button, x, y);
    Wait(kBetweenClicksMs);
    Click(button, x, y);
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
  IDeviceInput& device_;
  const ActionWait& wait_;
};

}  // namespace

void ExecuteAction(const ItemAction& a, IDeviceInput& device, const ActionWait& wait) {
  if (!device.LeaseDriver()) return;
  ActionInput input(device, wait);
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
