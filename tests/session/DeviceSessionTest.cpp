// A session's connection state and last error around a failure reported by a worker, on a
// device type without a driver (the test thread hands the frames over).
#include <gtest/gtest.h>

#include "session/DeviceSession.h"
#include "support/Frames.h"

namespace zor {
namespace {

using test::MakeUniformFrame;

class DeviceSessionTest : public ::testing::Test {
 protected:
  DeviceSessionTest() {
    device_.Type = 7;  // no driver for this type
    session_.InstallDriver();
  }

  DeviceInfo device_;
  DeviceSession session_{&device_};
};

TEST_F(DeviceSessionTest, AFailureShowsErrorWithItsReasonAndFramesLeaveItUp) {
  session_.OnFrame(MakeUniformFrame(4, 4, 1));
  ASSERT_EQ(session_.State(), ConnectionState::Streaming);
  session_.ReportFailure("App 0 stopped: bad template");
  session_.OnFrame(MakeUniformFrame(4, 4, 2));
  EXPECT_EQ(session_.State(), ConnectionState::Error);
  EXPECT_EQ(session_.LastError(), "App 0 stopped: bad template");
  EXPECT_EQ(session_.CurrentFrame()->pixels[0], 2) << "frames still reach the session";
}

TEST_F(DeviceSessionTest, ClearingAFailureGoesBackToTheStateBeforeIt) {
  for (const ConnectionState before : {ConnectionState::Connecting, ConnectionState::Streaming, ConnectionState::Stop}) {
    SCOPED_TRACE(static_cast<int>(before));
    session_.SetState(before);
    session_.ReportFailure("first");
    session_.ReportFailure("second");
    EXPECT_EQ(session_.LastError(), "second");
    session_.ClearFailure();
    EXPECT_EQ(session_.State(), before);
    EXPECT_EQ(session_.LastError(), "");
  }
}

TEST_F(DeviceSessionTest, SettingTheStateForgetsAFailureAndClearingWithoutOneChangesNothing) {
  session_.ReportFailure("App 2 stopped: out of memory");
  session_.SetState(ConnectionState::Stop);  // the operator disconnected
  EXPECT_EQ(session_.LastError(), "");
  session_.ClearFailure();
  EXPECT_EQ(session_.State(), ConnectionState::Stop);
}

}  // namespace
}  // namespace zor
