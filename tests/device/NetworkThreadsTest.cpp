// The threads that device I/O costs: every device's sockets, stream and timers run on the shared
// network loop, so the process has the loop's threads whether it drives one device of each type
// or eight.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "device/DriverFactory.h"
#include "device/NetworkLoop.h"
#include "support/LoopbackAddress.h"
#include "support/RecordingOwner.h"
#include "support/SimProcess.h"
#include "support/TesselSim.h"
#include "support/Wait.h"

namespace zor {
namespace {

constexpr int kDevicesPerType = 8;
// Small screens: the test counts threads, and decoding is not what it measures.
constexpr char kScreenSize[] = "320x180";
constexpr uint32_t kWidth = 320;
constexpr uint32_t kHeight = 180;
// Pictures each device must have delivered to count as streaming.
constexpr size_t kFramesWhenStreaming = 2;
// Sixteen devices connecting at once on a loaded machine.
constexpr int kStreamingTimeoutMs = 60000;

// The loop's threads now, by the names it gives them ("net 0", "net 1"). Counted by name because
// a sanitizer's runtime starts a thread of its own along with the first ones the test makes.
int LoopThreadCount() {
  int count = 0;
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
    std::ifstream comm(task.path() / "comm");
    std::string name;
    if (std::getline(comm, name) && name.rfind("net ", 0) == 0) ++count;
  }
  return count;
}

// The process's threads now, from the "Threads:" line of /proc/self/status; -1 when unreadable.
int ThreadCount() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("Threads:", 0) == 0) return std::stoi(line.substr(8));
  }
  return -1;
}

// One simulated device of a type and the driver connected to it.
struct Device {
  std::unique_ptr<test::RecordingOwner> owner;
  std::unique_ptr<DeviceDriver> driver;
};

class NetworkThreadsLive : public ::testing::Test {
 protected:
  // zorkvm-sim with kDevicesPerType devices of `type`; hardware devices take consecutive
  // addresses from `address`, each with its input port 80.
  static test::SimProcessOptions SimOptions(const std::string& type, const std::string& address) {
    test::SimProcessOptions options;
    options.address = address;
    options.extra_args = {"--type", type, "--devices", std::to_string(kDevicesPerType), "--size", kScreenSize};
    return options;
  }

  // Connects the devices [from, to) of both simulators.
  void ConnectDevices(int from, int to) {
    for (int i = from; i < to; ++i) {
      Add(kSoftKvmDeviceType, test::SoftKvmDevice(u"127.0.0.1", soft_.Ports()[i], kWidth, kHeight));
      Add(kTesselDeviceType, test::TesselDevice(TesselAddress(i), tessel_.Ports()[i], kWidth, kHeight));
    }
  }

  bool AllStreaming() const {
    for (const Device& device : devices_) {
      if (device.owner->FrameCount() < kFramesWhenStreaming) return false;
    }
    return true;
  }

  void TearDown() override {
    for (Device& device : devices_) device.driver->Disconnect();
  }

  test::SimProcess soft_{SimOptions("softkvm", "127.0.0.1")};
  // The first hardware device at x.y.z.1 of a random free address: the next seven follow
  // without a carry, and so far from 127.0.0.x nothing else listens on them.
  const std::string tessel_prefix_ = PrefixOf(test::FreeLoopbackAddress(80));
  test::SimProcess tessel_{SimOptions("tessel", tessel_prefix_ + "1")};
  std::vector<Device> devices_;

 private:
  void Add(uint32_t type, DeviceInfo record) {
    Device device{std::make_unique<test::RecordingOwner>(std::move(record)), nullptr};
    device.driver = CreateDriver(type, *device.owner);
    ASSERT_TRUE(device.driver);
    device.driver->Connect();
    devices_.push_back(std::move(device));
  }

  // "127.a.b." of "127.a.b.c".
  static std::string PrefixOf(const std::string& address) { return address.substr(0, address.rfind('.') + 1); }

  std::string TesselAddress(int index) const { return tessel_prefix_ + std::to_string(1 + index); }
};

TEST_F(NetworkThreadsLive, EightDevicesOfEachTypeCostNoMoreThreadsThanOne) {
  ASSERT_TRUE(soft_.Ready()) << soft_.Messages();
  ASSERT_TRUE(tessel_.Ready()) << tessel_.Messages();
  ASSERT_EQ(soft_.Ports().size(), static_cast<size_t>(kDevicesPerType));
  ASSERT_EQ(tessel_.Ports().size(), static_cast<size_t>(kDevicesPerType));

  ConnectDevices(0, 1);
  ASSERT_TRUE(test::WaitUntil([&] { return AllStreaming(); }, kStreamingTimeoutMs));
  const int with_one = ThreadCount();

  ConnectDevices(1, kDevicesPerType);
  ASSERT_TRUE(test::WaitUntil([&] { return AllStreaming(); }, kStreamingTimeoutMs));
  const int with_eight = ThreadCount();

  EXPECT_EQ(LoopThreadCount(), NetworkLoop::kThreadCount) << "the loop's threads, started on first use";
  EXPECT_EQ(with_eight, with_one);
}

}  // namespace
}  // namespace zor
