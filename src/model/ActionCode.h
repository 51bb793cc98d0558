#pragma once
// The action names of the Item script command "action" and the codes behind them.
#include <cstdint>
#include <string_view>

namespace zor {

// Codes 6 to 10 and 12 ("...RE") aim at the match's top-left corner plus the Item's click offset;
// the others aim at the match's centre. Pairs 1/6, 2/7, 3/8, 4/9 and 5/10 drive the device alike.
enum class ActionCode : int32_t {
  None = 0,
  Clk = 1,
  RClk = 2,
  DblClk = 3,
  RDblClk = 4,
  Move = 5,
  ClkRe = 6,
  RClkRe = 7,
  DblClkRe = 8,
  RDblClkRe = 9,
  MoveRe = 10,
  Drag = 11,
  DragRe = 12,
  Key = 13,
  Input = 14,
  InputId = 15,
  InputPass = 16,
  InputStr = 17,
  InputEtc = 18,
};

// The code of an action name, matched after upper-casing it; an unknown name gives None.
ActionCode LookupActionCode(std::u16string_view name);
// The upper-case name of a code ("CLK", "INPUT_ID"); "NONE" for None and unknown codes.
std::u16string_view ActionCodeName(ActionCode code);

}  // namespace zor
