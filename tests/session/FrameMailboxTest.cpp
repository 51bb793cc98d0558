// FrameMailbox as a worker uses it: each frame taken once, the newest one winning, and the
// mailbox holding nothing of a frame once it was taken.
#include <gtest/gtest.h>

#include "session/FrameMailbox.h"
#include "support/Frames.h"

namespace zor {
namespace {

using test::MakeUniformFrame;

TEST(FrameMailbox, TakeHandsOverOnlyTheNewestFrameOnceAndLetsGoOfIt) {
  int arrivals = 0;
  FrameMailbox mailbox([&arrivals] { ++arrivals; });
  EXPECT_EQ(mailbox.Take(), nullptr) << "nothing before the first frame";

  FramePtr older = MakeUniformFrame(4, 4, 1);
  const FramePtr newer = MakeUniformFrame(4, 4, 2);
  mailbox.OnFrame(older);
  mailbox.OnFrame(newer);
  EXPECT_EQ(arrivals, 2);
  EXPECT_EQ(older.use_count(), 1) << "a frame passed over is let go at once";
  EXPECT_EQ(mailbox.Take(), newer);
  EXPECT_EQ(newer.use_count(), 1) << "the mailbox keeps nothing of a taken frame";
  EXPECT_EQ(mailbox.Take(), nullptr) << "each frame is taken once";
  EXPECT_EQ(mailbox.Count(), 2u);

  mailbox.OnFrame(older);
  EXPECT_EQ(mailbox.Take(), older);
}

}  // namespace
}  // namespace zor
