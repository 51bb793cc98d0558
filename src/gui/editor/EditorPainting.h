#pragma once
// How the scene editor's view draws the live frame with the Items over it (normal mode) or
// with the test's best match and last action (test mode). GUI thread.
#include <QPainter>
#include <optional>

#include "analysis/AnalysisResult.h"
#include "gui/editor/SceneEditor.h"
#include "model/ScreenImage.h"
#include "presentation/SceneEditModel.h"

namespace zor {

// Colours of the editor's marks.
inline const QColor kMarkerOutline{255, 255, 0};
inline const QColor kClickMark{255, 127, 0};
inline const QColor kBestMatchMark{255, 0, 0};
inline const QColor kNearMissMark{0, 200, 255};
inline const QColor kLastActionMark{0, 255, 0};
inline const QColor kUnknownEngineFill{200, 200, 200};
// Constant alpha of the Item fills: about half transparent.
inline constexpr int kMarkerFillAlpha = 127;

// The fill colour of an engine type: its row of AppConfig::AnalysisModes, grey outside.
QColor EngineFillColour(int32_t engine_type);

// The frame stretched over `target` (1:1 when the sizes agree); nothing without a frame.
void DrawFrame(QPainter& painter, const ScreenImage& frame, const QRect& target);

// Normal mode: selected markers with fill, outline, badge and handles; the current Item's
// click point and work area; the area being drawn.
void PaintEditMarks(QPainter& painter, const SceneEditModel& model);

// Test mode: a found best match in red and, when set, the last action's area and point in green.
// When nothing was found, the best position seen and its score in blue: how close the Item came.
void PaintTestMarks(QPainter& painter, const std::optional<MatchRecord>& best,
                    const std::optional<ScoredPosition>& best_seen, const ActionMark& last);

}  // namespace zor
