// An .app file from arbitrary bytes: never a crash or an unbounded allocation, a foreign file
// leaves the App as it was, and whatever was read survives a round trip through the format.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/AppInfo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zor;
  AppInfo app;
  const AppInfo untouched;
  const LoadResult read = app.Decode(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!read) {
    if (!app.SameStoredFields(untouched)) std::abort();
    return 0;
  }
  if (read.stopped_at_byte > size) std::abort();
  AppInfo again;
  if (!again.Decode(app.Encode()).Whole() || !again.SameStoredFields(app)) std::abort();
  return 0;
}
