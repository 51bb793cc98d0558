#pragma once
// Key names of the software KVM agent, which names keys by short lower-case words.
#include <cstdint>
#include <string_view>

namespace zor {

// The agent's name for a Win32 virtual-key code; empty for a key the agent has no name for
// (punctuation, keypad operators, the IME's processed key...). The view points to static text.
std::string_view KeyNameFromVk(int64_t virtual_key);

}  // namespace zor
