#pragma once
// JPEG decoding straight to 32-bit BGRA, shared by every driver.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/PictureNeed.h"
#include "model/ScreenImage.h"

namespace zor {

// Largest picture a device may send: an 8K UHD screen. A hostile or broken stream announcing
// more is refused before anything is allocated for it.
inline constexpr uint32_t kMaxJpegSide = 16384;
inline constexpr uint64_t kMaxJpegPixels = 7680ull * 4320ull;

// One decoder per driver: the decoder handle is not thread-safe, and each driver decodes on
// its own receive thread only.
class JpegContext {
 public:
  JpegContext();
  ~JpegContext();
  JpegContext(const JpegContext&) = delete;
  JpegContext& operator=(const JpegContext&) = delete;

  bool Valid() const { return handle_ != nullptr; }
  void* Handle() const { return handle_; }
  // A fresh decoder handle. After some decoding errors the old handle refuses every later
  // picture, good ones included, so a failed decode starts over with a new one.
  void Reset();

 private:
  void* handle_ = nullptr;  // tjhandle
};

// Decodes one JPEG picture into `pixels` (B, G, R, A; stride width * 4), resizing the vector only
// when its size differs, so a buffer reused for frames of one size is never reallocated.
// False for no data, a missing decoder, a picture over the size limits, and corrupt or
// truncated data; `pixels` may then hold partial output and width and height are unspecified.
bool DecodeJpeg(JpegContext& context, const uint8_t* data, size_t size, std::vector<uint8_t>& pixels,
                uint32_t& width, uint32_t& height);

// A DCT scale of the decoder: the picture comes out numerator / denominator of its size on each
// side, rounded up.
struct DecodeScale {
  int numerator = 1;
  int denominator = 1;
  friend bool operator==(const DecodeScale&, const DecodeScale&) = default;
};
// The scale a width x height picture is decoded at for `need`: the smallest of the library's 1/2,
// 1/4 and 1/8 whose picture still covers the view's shown size, else full size. These three have
// the library's fast reduced inverse DCTs; a picture decoded smaller never has to be made whole.
DecodeScale ScaleFor(const PictureNeed& need, uint32_t width, uint32_t height);

// Decodes one JPEG picture into `frame` at the scale ScaleFor gives for `need`: the frame's
// size is the decoded one and, when that is smaller than the picture, scaled_from_* is the
// picture's own size (0 x 0 otherwise). The pixels are reused as in the overload above; the
// outcomes on bad data are the same, and the frame's sizes are then unspecified. For the unseen
// need only the header is read: the frame comes out empty (0 x 0, no pixels) with the picture's
// size in scaled_from_*, which is all the owner needs to know that a picture came.
bool DecodeJpeg(JpegContext& context, const uint8_t* data, size_t size, const PictureNeed& need, ScreenImage& frame);

// One driver's decoding: its own decoder, and frames from the process's shared pool that are
// at least as large as the driver's last picture. Used on the driver's receive thread only.
class FrameDecoder {
 public:
  bool Valid() const { return context_.Valid(); }
  // `jpeg` decoded for `need` (see DecodeJpeg above) into a writable frame for the caller; null
  // for data that is not a picture within the limits.
  std::shared_ptr<ScreenImage> Decode(const uint8_t* data, size_t size, const PictureNeed& need);

 private:
  JpegContext context_;
  size_t last_bytes_ = 0;  // pixel bytes of the last picture decoded
};

}  // namespace zor
