// config.ini from arbitrary bytes: never a crash or an unbounded allocation, and whatever was
// read survives a round trip through the file format unchanged.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/DeviceListFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zor;
  DeviceList devices;
  const LoadResult read = DecodeDeviceList(std::string_view(reinterpret_cast<const char*>(data), size), devices);
  if (!read) return 0;
  if (read.stopped_at_byte > size) std::abort();
  DeviceList again;
  if (!DecodeDeviceList(EncodeDeviceList(devices), again).Whole() || again.size() != devices.size()) std::abort();
  for (size_t i = 0; i < devices.size(); ++i) {
    if (!(*again[i] == *devices[i])) std::abort();
  }
  return 0;
}
