#include "model/ActionCode.h"

#include <string>
#include <unordered_map>

namespace zor {
namespace {

const std::unordered_map<std::u16string, ActionCode>& ActionCodes() {
  static const std::unordered_map<std::u16string, ActionCode> codes{
      {u"NONE", ActionCode::None},
      {u"CLK", ActionCode::Clk},
      {u"RCLK", ActionCode::RClk},
      {u"DBLCLK", ActionCode::DblClk},
      {u"RDBLCLK", ActionCode::RDblClk},
      {u"MOVE", ActionCode::Move},
      {u"CLKRE", ActionCode::ClkRe},
      {u"RCLKRE", ActionCode::RClkRe},
      {u"DBLCLKRE", ActionCode::DblClkRe},
      {u"RDBLCLKRE", ActionCode::RDblClkRe},
      {u"MOVERE", ActionCode::MoveRe},
      {u"DRAG", ActionCode::Drag},
      {u"DRAGRE", ActionCode::DragRe},
      {u"KEY", ActionCode::Key},
      {u"INPUT", ActionCode::Input},
      {u"INPUT_ID", ActionCode::InputId},
      {u"INPUT_PASS", ActionCode::InputPass},
      {u"INPUT_STR", ActionCode::InputStr},
      {u"INPUT_ETC", ActionCode::InputEtc},
  };
  return codes;
}

}  // namespace

ActionCode LookupActionCode(std::u16string_view name) {
  // Every name in the table is ASCII, so upper-casing a-z is all that can make a name match.
  std::u16string upper(name);
  for (char16_t& c : upper) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  const auto& codes = ActionCodes();
  const auto it = codes.find(upper);
  return it == codes.end() ? ActionCode::None : it->second;
}

std::u16string_view ActionCodeName(ActionCode code) {
  for (const auto& [name, value] : ActionCodes()) {
    if (value == code) return name;
  }
  return u"NONE";
}

}  // namespace zor
