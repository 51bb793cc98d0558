#pragma once
// The Item script language: line-oriented commands run each time an Item's target is found.
// Runs on the App's worker thread; it changes the App's and the Scene's run-time state at once
// and leaves the actions in the Item's action list for the runner to execute afterwards.
#include <string>
#include <string_view>
#include <vector>

#include "automation/MatchPlace.h"
#include "model/AppInfo.h"
#include "model/Item.h"
#include "model/ItemAction.h"

namespace zor {

using ScriptTokens = std::vector<std::u16string>;

// Lines of a script: split at line feeds, trimmed of space, tab, CR and LF; empty lines dropped.
std::vector<std::u16string_view> SplitScriptLines(std::u16string_view script);
// Tokens of one line: space and tab separate outside double quotes; quotes are dropped, and
// empty tokens (a quoted empty text included) are dropped.
ScriptTokens TokenizeScriptLine(std::u16string_view line);

// Token i (counted from 1, token 1 is the command) as an integer: leading white space, a sign,
// digits, trailing text ignored; missing, no digits or outside int32 gives 0.
int32_t TokenInt(const ScriptTokens& tokens, size_t i);

// Runs `item`'s script for a match at `best`; true when it produced at least one action.
bool RunItemScript(AppInfo& app, Item& item, const MatchPlace& best);

// Applies one "set" line (tokens[0] is the command word).
void ApplySetCommand(const ScriptTokens& tokens, AppInfo& app, Item& item, const MatchPlace& best);

// Builds the action of one "action" line (tokens[0] is the command word).
ItemAction ParseAction(const ScriptTokens& tokens, const Item& item, const MatchPlace& best,
                       const AppInfo& app);

}  // namespace zor
