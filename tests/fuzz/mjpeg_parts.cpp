// The MJPEG part parser over any bytes, fed in chunk sizes that the input itself chooses: its
// first two bytes seed the sequence of chunk sizes, the rest is the stream. Every part is taken.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <span>

#include "device/MjpegPartParser.h"

namespace {

// Chunks from 1 byte (a device that sends byte by byte) to a socket read's worth.
constexpr uint32_t kMaxChunkBytes = 16384;

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  uint32_t state = (uint32_t{data[0]} << 8) | data[1];
  data += 2;
  size -= 2;
  zor::MjpegPartParser parser;
  for (size_t offset = 0; offset < size;) {
    state = state * 1664525u + 1013904223u;
    // Mostly small chunks, which exercise split boundaries and header ends.
    const uint32_t limit = (state >> 28) < 12 ? 16 : kMaxChunkBytes;
    const size_t chunk = std::min<size_t>(1 + (state >> 8) % limit, size - offset);
    parser.Append(data + offset, chunk);
    offset += chunk;
    std::span<const uint8_t> jpeg;
    while (parser.NextPart(jpeg)) {
      Require(jpeg.size() <= parser.buffered_bytes());
      volatile uint8_t sum = 0;
      for (uint8_t byte : jpeg) sum = static_cast<uint8_t>(sum + byte);
      parser.DropPart();
    }
    Require(parser.buffered_bytes() <= zor::MjpegPartParser::kMaxBufferBytes);
  }
  return 0;
}
