// An HTTP response, head and body, through the parsing path of the hardware device's stream
// reader, without a socket: the response parser, then the body into the MJPEG part parser. The
// first byte chooses the size of the pieces the bytes arrive in; the rest is the response.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <span>

#include "device/HttpResponseFeed.h"
#include "device/MjpegPartParser.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

class Events : public zor::HttpResponseFeed::IEvents {
 public:
  void OnResponseHead(int status) override {
    Require(!head_seen_ && status >= 0 && status <= 999);
    head_seen_ = true;
  }
  void OnBody(std::span<const uint8_t> bytes) override {
    Require(head_seen_ && bytes.size() <= zor::HttpResponseFeed::kBodyPieceBytes);
    parts_.Append(bytes.data(), bytes.size());
    std::span<const uint8_t> jpeg;
    while (parts_.NextPart(jpeg)) parts_.DropPart();
  }

 private:
  bool head_seen_ = false;
  zor::MjpegPartParser parts_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  // 0: everything at once; otherwise pieces of 1 to 255 bytes.
  const size_t piece = data[0] == 0 ? size : data[0];
  ++data;
  --size;
  Events events;
  zor::HttpResponseFeed feed(events);
  for (size_t offset = 0; offset < size; offset += piece) {
    const auto outcome = feed.Put({data + offset, std::min(piece, size - offset)});
    Require(feed.HeldCapacity() <= zor::HttpResponseFeed::kMaxHeldBytes);
    if (outcome == zor::HttpResponseFeed::Outcome::kFailed) Require(!feed.Failure().empty());
    if (outcome != zor::HttpResponseFeed::Outcome::kMore) break;
  }
  return 0;
}
