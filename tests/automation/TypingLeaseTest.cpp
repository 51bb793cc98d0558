// A worker types a long text on the hardware device (zorkvm-sim) while the operator edits that
// device: the edit replaces the driver at once instead of waiting for the text, and the
// replacement cuts the text short.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "automation/ActionExecution.h"
#include "AutomationTestSupport.h"
#include "device/TesselLiteDriver.h"
#include "session/DeviceSession.h"
#include "support/RecordingDriver.h"
#include "support/TesselSim.h"
#include "support/Wait.h"

namespace zor {
namespace {

// Close to a minute of typing.
constexpr size_t kLongTextUnits = 2000;

TEST(TypingLeaseLive, ReplacingTheDriverDoesNotWaitForAWorkersText) {
  test::TesselSim sim;
  ASSERT_TRUE(sim.Ready()) << "zorkvm-sim did not start on " << sim.Address();
  DeviceInfo device = sim.Device();
  DeviceSession session(&device);
  auto tessel = std::make_unique<TesselLiteDriver>(session);
  TesselLiteDriver* driver = tessel.get();
  session.SetDriver(std::move(tessel));
  ASSERT_TRUE(driver->ConnectInput());
  ASSERT_TRUE(test::WaitUntil([&] { return driver->InputChannelOpen(); }));

  std::atomic<bool> action_done{false};
  std::thread worker([&] {
    ExecuteAction(test::TextAction(ActionCode::Input, std::u16string(kLongTextUnits, u'a')), session, {[](int64_t) {}});
    action_done = true;
  });
  sim.WaitForReports(1);  // the device is typing
  const bool typing_when_replaced = !action_done.load();
  session.SetDriver(std::make_unique<test::RecordingDriver>());
  const size_t reports_when_replaced = sim.LinesWith("report").size();
  worker.join();  // the replacement dropped the rest of the text, which ends the action's wait

  EXPECT_TRUE(typing_when_replaced) << "the action was still waiting for its text";
  EXPECT_LT(reports_when_replaced, 2 * kLongTextUnits) << "the replacement did not wait for the whole text";
}

}  // namespace
}  // namespace zor
