// A .scene file from arbitrary bytes: never a crash or an unbounded allocation, and whatever was
// read survives a round trip: saving what was read and reading it again gives the same file.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/SceneData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zor;
  SceneData scene;
  const LoadResult read = scene.Decode(std::string_view(reinterpret_cast<const char*>(data), size));
  if (read.stopped_at_byte > size) std::abort();
  const std::string saved = scene.Encode();
  SceneData again;
  if (!again.Decode(saved).Whole() || again.Encode() != saved || again.Items.size() != scene.Items.size()) {
    std::abort();
  }
  return 0;
}
