// The Item script from arbitrary UTF-16 text (two bytes a code unit), run against a Scene of
// four Items: never a crash, and the limits that "set" promises always hold.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "automation/ItemScript.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zor;
  AppInfo app;
  for (const char16_t* name : {u"A", u"B", u"A", u""}) {
    auto item = std::make_shared<Item>();
    item->Name = name;
    item->WorkWidth = 300;
    item->WorkHeight = 200;
    app.Scene->Items.push_back(std::move(item));
  }
  Item& runner = *app.Scene->Items[0];
  runner.Script.resize(size / 2);
  for (size_t i = 0; i < runner.Script.size(); ++i) {
    runner.Script[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
  }
  const bool acted = RunItemScript(app, runner, MatchPlace{100, 200, 116, 208});
  if (acted == runner.Actions.empty() || app.Delay > 100 || runner.ItemDelay > 100) std::abort();
  return 0;
}
