#pragma once
// Drawing the status strip over the bottom of a pane's thumbnail: one band per line, a block
// in the state's colour at its left, the App / Scene / Item names, and the figures flush right.
// GUI thread.
#include <QRect>
#include <vector>

#include "presentation/StatusStripText.h"

class QPainter;

namespace zor {

// Height of one line's band in pixels: the text and a pixel above and below it.
inline constexpr int kStripLinePixels = 16;
// The strip's text size: the smallest that stays readable in NanumGothic (Hangul included),
// so that a 400-pixel thumbnail holds the names and the figures on one line.
inline constexpr int kStripTextPixels = 11;

// The strip's rectangle in a view of `view` for `lines` lines: along the bottom edge.
QRect StatusStripRect(const QRect& view, size_t lines);

// Draws `lines` over the bottom of `view`.
void PaintStatusStrip(QPainter& painter, const QRect& view, const std::vector<StripLine>& lines);

// The strip's texts in the program's language.
StripTexts TranslatedStripTexts();

}  // namespace zor
