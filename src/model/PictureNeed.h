#pragma once
// How large a picture of the remote screen a frame consumer needs, so that a device whose
// pictures only a small view shows is decoded small (which costs a fraction of a full decode).
#include <cstdint>

#include "model/ScreenImage.h"

namespace zor {

// Either the full picture, pixel for pixel (analysis, full control, the scene editor), or a
// picture that is shown fitted, aspect kept, into a view of fit_width x fit_height pixels: any
// picture at least as large as it is drawn there will do; or, for a view that nobody can see
// now (a thumbnail scrolled out of the window), no picture at all.
struct PictureNeed {
  uint32_t fit_width = 0;  // 0 x 0: the full picture
  uint32_t fit_height = 0;
  bool unseen = false;  // no picture: the view is out of sight

  static constexpr PictureNeed FullSize() { return {}; }
  static constexpr PictureNeed FitInto(uint32_t width, uint32_t height) { return {width, height}; }
  static constexpr PictureNeed Unseen() { return {0, 0, true}; }

  bool IsUnseen() const { return unseen; }
  bool IsFullSize() const { return !unseen && (fit_width == 0 || fit_height == 0); }
  // Whether `frame` will do: only a picture at full size serves the full-size need; a view that
  // fits the picture, or sees none, takes any size (the next one follows its need again).
  bool ServedBy(const ScreenImage& frame) const { return !IsFullSize() || !frame.Scaled(); }
  // A need that serves both: the full picture when either needs it, else the larger view, and
  // no picture only when neither sees one.
  PictureNeed Union(const PictureNeed& other) const;

  friend bool operator==(const PictureNeed&, const PictureNeed&) = default;
};

// The size, in whole pixels rounded up, of a screen_width x screen_height picture fitted with
// its aspect into `need`'s view; the screen's own size for the full-size need, 0 x 0 for the
// unseen one.
struct PictureSize {
  uint32_t width = 0;
  uint32_t height = 0;
};
PictureSize ShownSize(const PictureNeed& need, uint32_t screen_width, uint32_t screen_height);

}  // namespace zor
