// The hardware device driver against a simulated device that misbehaves on purpose: each fault
// shows up as the driver's last error or as pictures, the driver's memory stays bounded, a
// Disconnect in the middle of a fault returns, and the stream resumes when a healthy device
// takes the address.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/HttpResponseFeed.h"
#include "device/MjpegPartParser.h"
#include "device/TesselLiteDriver.h"
#include "support/RecordingOwner.h"
#include "support/SimProcess.h"
#include "support/TesselSim.h"
#include "support/Wait.h"

namespace zor {
namespace {

using test::RecordingOwner;

const std::vector<std::string> kScreen = {"--size", "320x240", "--fps", "20"};
// A stall is seen only once the read timeout has passed.
constexpr int kFaultSeenTimeoutMs = 4 * TesselLiteDriver::kReadTimeoutS * 1000;

struct Fault {
  const char* mode;
  // The last error the fault leaves, or empty when pictures still come through.
  const char* reason;
};

std::ostream& operator<<(std::ostream& out, const Fault& fault) { return out << fault.mode; }

class TesselFaultLive : public ::testing::TestWithParam<Fault> {};

// One driver sees the fault, the way the pane would.
bool FaultSeen(const Fault& fault, const TesselLiteDriver& driver, const RecordingOwner& owner) {
  return std::string(fault.reason).empty() ? owner.FrameCount() >= 1 : driver.LastError() == fault.reason;
}

TEST_P(TesselFaultLive, IsSurvivedWithBoundedMemory) {
  const Fault& fault = GetParam();
  std::vector<std::string> args = kScreen;
  args.insert(args.end(), {"--fault", fault.mode});
  test::TesselSim faulty(args);
  ASSERT_TRUE(faulty.Ready());

  RecordingOwner owner(faulty.Device(320, 240));
  TesselLiteDriver driver(owner);
  driver.Connect();
  // A second driver, disconnected in the middle of the fault.
  RecordingOwner probe_owner(faulty.Device(320, 240));
  TesselLiteDriver probe(probe_owner);
  probe.Connect();
  ASSERT_TRUE(test::WaitUntil([&] { return FaultSeen(fault, driver, owner) && FaultSeen(fault, probe, probe_owner); },
                              kFaultSeenTimeoutMs))
      << "last error: \"" << driver.LastError() << "\", frames: " << owner.FrameCount();
  // Returns without waiting for the request in flight (HttpStreamReaderTest shows that without
  // timing it), and the driver that goes on is not disturbed by it.
  probe.Disconnect();

  const TesselLiteDriver::StreamMemory memory = driver.StreamMemoryPeak();
  EXPECT_LE(memory.response_bytes, HttpResponseFeed::kMaxHeldBytes);
  // The part buffer within its cap (twice over for the vector's growth) and one held part.
  EXPECT_LE(memory.parts_bytes, 3 * MjpegPartParser::kMaxBufferBytes);

  faulty.Kill();
  test::SimProcessOptions healthy_options;
  healthy_options.address = faulty.Address();
  healthy_options.port = faulty.Port();
  healthy_options.extra_args = {"--type", "tessel"};
  healthy_options.extra_args.insert(healthy_options.extra_args.end(), kScreen.begin(), kScreen.end());
  test::SimProcess healthy(healthy_options);
  ASSERT_TRUE(healthy.Ready());
  const size_t frames_before = owner.FrameCount();
  EXPECT_TRUE(test::WaitUntil([&] { return owner.FrameCount() >= frames_before + 2; }))
      << "the stream did not resume; last error: \"" << driver.LastError() << "\"";
  EXPECT_EQ(driver.LastError(), "");
  driver.Disconnect();
}

INSTANTIATE_TEST_SUITE_P(Modes, TesselFaultLive,
                         ::testing::Values(Fault{"drop:1", "closed by the device"}, Fault{"stall", "timed out"},
                                           Fault{"garbage", "not a JPEG picture"}, Fault{"lying-length", ""},
                                           Fault{"split-boundary", ""}, Fault{"endless-head", "response head too large"},
                                           Fault{"burst", ""}),
                         [](const ::testing::TestParamInfo<Fault>& info) {
                           std::string name;
                           for (const char* c = info.param.mode; *c && *c != ':'; ++c) {
                             if (*c != '-') name += *c;
                           }
                           return name;
                         });

}  // namespace
}  // namespace zor
