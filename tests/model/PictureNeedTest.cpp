// The size a view needs: the picture's shown size in a view, and two needs together.
#include <gtest/gtest.h>

#include <ostream>

#include "model/PictureNeed.h"
#include "support/NeedText.h"

namespace zor {
namespace {

struct ShownCase {
  PictureNeed need;
  uint32_t screen_width;
  uint32_t screen_height;
  uint32_t width;
  uint32_t height;
};

void PrintTo(const ShownCase& c, std::ostream* out) {
  *out << test::NeedText(c.need) << ", " << c.screen_width << "x" << c.screen_height;
}

class ShownSizeTest : public ::testing::TestWithParam<ShownCase> {};

TEST_P(ShownSizeTest, FitsTheScreenIntoTheViewRoundingUp) {
  const ShownCase& c = GetParam();
  const PictureSize shown = ShownSize(c.need, c.screen_width, c.screen_height);
  EXPECT_EQ(shown.width, c.width);
  EXPECT_EQ(shown.height, c.height);
}

INSTANTIATE_TEST_SUITE_P(Cases, ShownSizeTest,
                         ::testing::Values(ShownCase{PictureNeed::FitInto(400, 225), 1920, 1080, 400, 225},
                                           ShownCase{PictureNeed::FitInto(400, 225), 1024, 768, 300, 225},
                                           ShownCase{PictureNeed::FitInto(400, 225), 1000, 1000, 225, 225},
                                           ShownCase{PictureNeed::FitInto(400, 400), 1920, 1080, 400, 225},
                                           ShownCase{PictureNeed::FitInto(100, 100), 3, 1, 100, 34},
                                           ShownCase{PictureNeed::FullSize(), 1920, 1080, 1920, 1080}));

struct UnionCase {
  PictureNeed a;
  PictureNeed b;
  PictureNeed both;
};

void PrintTo(const UnionCase& c, std::ostream* out) { *out << test::NeedText(c.a) << " and " << test::NeedText(c.b); }

class PictureNeedUnionTest : public ::testing::TestWithParam<UnionCase> {};

TEST_P(PictureNeedUnionTest, ServesBothViewsEitherWayRound) {
  const UnionCase& c = GetParam();
  EXPECT_EQ(c.a.Union(c.b), c.both);
  EXPECT_EQ(c.b.Union(c.a), c.both);
}

// Two views need the larger sides, any full need wins, and a view out of sight adds nothing.
INSTANTIATE_TEST_SUITE_P(
    Cases, PictureNeedUnionTest,
    ::testing::Values(UnionCase{PictureNeed::FitInto(400, 100), PictureNeed::FitInto(200, 300), PictureNeed::FitInto(400, 300)},
                      UnionCase{PictureNeed::FitInto(400, 100), PictureNeed::FullSize(), PictureNeed::FullSize()},
                      UnionCase{PictureNeed::Unseen(), PictureNeed::FitInto(200, 300), PictureNeed::FitInto(200, 300)},
                      UnionCase{PictureNeed::Unseen(), PictureNeed::FullSize(), PictureNeed::FullSize()},
                      UnionCase{PictureNeed::Unseen(), PictureNeed::Unseen(), PictureNeed::Unseen()}));

TEST(PictureNeedTest, OnlyAFullPictureServesTheFullNeed) {
  ScreenImage full;
  full.width = 1920;
  full.height = 1080;
  ScreenImage small = full;
  small.width = 480;
  small.height = 270;
  small.scaled_from_width = 1920;
  small.scaled_from_height = 1080;
  EXPECT_TRUE(PictureNeed::FullSize().ServedBy(full));
  EXPECT_FALSE(PictureNeed::FullSize().ServedBy(small));
  EXPECT_TRUE(PictureNeed::FitInto(400, 225).ServedBy(small));
  EXPECT_TRUE(PictureNeed::FitInto(400, 225).ServedBy(full));
}

}  // namespace
}  // namespace zor
