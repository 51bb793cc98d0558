// What the view shows (normal and test painting) and where the Scene Tool stays.
#include <QImage>

#include "EditorFixture.h"
#include "gui/editor/EditorPainting.h"

namespace zor::test {
namespace {

class ViewTest : public EditorFixture {
 protected:
  QImage Shot() { return View().grab().toImage().convertToFormat(QImage::Format_RGB32); }
  static QColor At(const QImage& image, int x, int y) { return image.pixelColor(x, y); }
  // The frame's own colour at (x, y).
  static QColor FrameAt(int x, int y) { return QColor((x + y) & 255, y & 255, x & 255); }
};

TEST_F(ViewTest, TheFrameIsDrawnOneToOneWithTheSelectedItemOverIt) {
  DeliverFrame(frame_);
  QImage shot = Shot();
  ASSERT_EQ(shot.size(), QSize(kWidth, kHeight));
  for (const QPoint p : {QPoint(0, 0), QPoint(37, 81), QPoint(kWidth - 1, kHeight - 1)}) {
    EXPECT_EQ(At(shot, p.x(), p.y()), FrameAt(p.x(), p.y())) << p.x() << "," << p.y();
  }

  DrawItem(40, 50, 100, 100);
  DeliverFrame(frame_);
  shot = Shot();
  EXPECT_EQ(At(shot, 70, 50), kMarkerOutline) << "yellow outline on the top edge";
  // The fill blends the engine's colour over the frame at about half strength.
  const QColor fill = EngineFillColour(0);
  const QColor inside = At(shot, 70, 75);
  const QColor under = FrameAt(70, 75);
  EXPECT_NEAR(inside.red(), (fill.red() + under.red()) / 2, 3);
  EXPECT_NEAR(inside.green(), (fill.green() + under.green()) / 2, 3);
  EXPECT_EQ(At(shot, 38, 33), QColor(Qt::black)) << "the number badge above the corner";

  // Unselected Items are not drawn.
  Model().RebuildMarkers();
  View().update();
  shot = Shot();
  EXPECT_EQ(At(shot, 70, 50), FrameAt(70, 50));
}

TEST_F(ViewTest, TestModeShowsTheBestMatchAndTheLastAction) {
  DrawItem(40, 50, 100, 100);
  DeliverFrame(frame_);
  ASSERT_TRUE(editor_->RequestItemTest());
  MatchRecord best;
  best.Valid = 1;
  best.Left = 10;
  best.Top = 20;
  best.Width = 30;
  best.Height = 40;
  const ScoredPosition seen{best.Left, best.Top, best.Width, best.Height, 0.99f};
  editor_->SetTestBestMatch(best, seen);
  editor_->SetLastAction({120, 90, 0, 0, 0, 0});
  Settle();
  QImage shot = Shot();
  EXPECT_EQ(At(shot, 25, 20), kBestMatchMark) << "red on the best match's top edge";
  EXPECT_EQ(At(shot, 70, 50), FrameAt(70, 50)) << "no markers during a test";
  EXPECT_EQ(At(shot, 120 + 8, 90), kLastActionMark) << "green circle at the last action";

  editor_->ClearTestBestMatch();
  Settle();
  shot = Shot();
  EXPECT_EQ(At(shot, 25, 20), FrameAt(25, 20));
  EXPECT_EQ(At(shot, 128, 90), FrameAt(128, 90));

  // A test that found nothing, and scored nothing, shows no rectangle.
  best.Valid = 0;
  editor_->SetTestBestMatch(best, std::nullopt);
  editor_->SetLastAction({120, 90, 0, 0, 0, 0});
  Settle();
  shot = Shot();
  EXPECT_EQ(At(shot, 25, 20), FrameAt(25, 20));
}

// A found match keeps its red rectangle; a miss shows its best position in the second colour
// with its score on a label above it, and no action marks.
TEST_F(ViewTest, TestModeShowsANearMissInItsOwnColourWithItsScore) {
  DrawItem(40, 50, 100, 100);
  DeliverFrame(frame_);
  ASSERT_TRUE(editor_->RequestItemTest());
  const ScoredPosition seen{60, 40, 30, 20, 0.873f};
  MatchRecord found;
  found.Valid = 1;
  found.Left = seen.Left, found.Top = seen.Top, found.Width = seen.Width, found.Height = seen.Height;
  editor_->SetTestBestMatch(found, seen);
  Settle();
  QImage shot = Shot();
  EXPECT_EQ(At(shot, 75, 40), kBestMatchMark) << "an accepted match is drawn as before";
  EXPECT_EQ(At(shot, 75, 30), FrameAt(75, 30)) << "and without a score label";

  editor_->SetTestBestMatch(MatchRecord{}, seen);
  editor_->SetLastAction({120, 90, 0, 0, 0, 0});
  Settle();
  shot = Shot();
  EXPECT_EQ(At(shot, 75, 40), kNearMissMark) << "the top edge of the best position";
  EXPECT_EQ(At(shot, 60, 50), kNearMissMark) << "its left edge";
  EXPECT_EQ(At(shot, 128, 90), FrameAt(128, 90)) << "no action without a match";
  // The label: black behind the score's text, above the rectangle.
  int label_pixels = 0, text_pixels = 0;
  for (int y = 0; y < seen.Top; ++y) {
    for (int x = seen.Left; x < seen.Left + seen.Width; ++x) {
      const QColor c = At(shot, x, y);
      label_pixels += c == QColor(Qt::black);
      text_pixels += c != QColor(Qt::black) && c != FrameAt(x, y);
    }
  }
  EXPECT_GT(label_pixels, 0);
  EXPECT_GT(text_pixels, 0);
  EXPECT_EQ(editor_->TestBestSeen(), seen);

  editor_->ClearTestBestMatch();
  Settle();
  EXPECT_EQ(At(Shot(), 75, 40), FrameAt(75, 40));
  EXPECT_FALSE(editor_->TestBestSeen().has_value());
}

TEST_F(ViewTest, TheSceneToolDocksFollowsAndRemembersWhereTheUserPutIt) {
  SceneToolWindow& tool = Tool();
  ASSERT_TRUE(tool.isVisible());
  EXPECT_EQ(tool.DockOffset(), QPoint(kWidth, 0));
  EXPECT_EQ(tool.pos(), View().pos() + QPoint(kWidth, 0));

  View().move(View().pos() + QPoint(30, 20));
  Settle();
  EXPECT_EQ(tool.pos(), View().pos() + QPoint(kWidth, 0)) << "follows the view";

  tool.move(View().pos() + QPoint(45, 70));
  Settle();
  EXPECT_EQ(tool.DockOffset(), QPoint(45, 70));
  View().move(View().pos() + QPoint(5, 5));
  Settle();
  EXPECT_EQ(tool.pos(), View().pos() + QPoint(45, 70)) << "keeps the user's place";

  tool.DockBack();
  EXPECT_EQ(tool.pos(), View().pos() + QPoint(kWidth, 0));
  EXPECT_EQ(tool.DockOffset(), QPoint(kWidth, 0));
}

}  // namespace
}  // namespace zor::test
