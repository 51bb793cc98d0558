// SoftKvmDriver against an agent written separately on python3-websockets, so that the driver and
// the project's simulator cannot share one misreading of the protocol.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <thread>

#include "device/JpegDecoder.h"
#include "device/SoftKvmDriver.h"
#include "sim/SimScreen.h"
#include "support/ChildProcess.h"
#include "support/RecordingOwner.h"
#include "support/SimProcess.h"
#include "support/TempDir.h"
#include "support/Wait.h"

namespace zor {
namespace {

using test::WaitUntil;

constexpr char kAddress[] = "127.0.0.32";

std::vector<nlohmann::json> ReadLines(const std::string& path) {
  std::vector<nlohmann::json> lines;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    auto j = nlohmann::json::parse(line, nullptr, false);
    if (!j.is_discarded()) lines.push_back(std::move(j));
  }
  return lines;
}

class SoftKvmPeerLive : public ::testing::Test {
 protected:
  void SetUp() override {
    SimScreen screen(320, 200);
    ASSERT_TRUE(screen.Jpeg(80));
    picture_ = *screen.Jpeg(80);
    std::ofstream(dir_.File("picture.jpg"), std::ios::binary)
        .write(reinterpret_cast<const char*>(picture_.data()), static_cast<std::streamsize>(picture_.size()));
    peer_ = std::make_unique<test::ChildProcess>(
        std::vector<std::string>{"/usr/bin/python3", ZORKVM_TEST_DATA_DIR "/softkvm_peer.py", "--address", kAddress,
                                 "--jpeg", dir_.File("picture.jpg"), "--log", PeerLog()},
        dir_.File("peer.stdout"), dir_.File("peer.stderr"));
    // The peer binds port 0 and prints "listening PORT" once it accepts connections.
    ASSERT_TRUE(test::WaitUntil([&] {
      std::ifstream out(dir_.File("peer.stdout"));
      std::string word;
      return out >> word >> port_ && word == "listening";
    }, 20000));
  }

  std::string PeerLog() const { return dir_.File("peer.jsonl"); }
  size_t Count(const char* key) const {
    size_t n = 0;
    for (const auto& j : ReadLines(PeerLog())) n += j.contains(key) ? 1 : 0;
    return n;
  }

  test::TempDir dir_;
  std::vector<uint8_t> picture_;
  uint16_t port_ = 0;
  std::unique_ptr<test::ChildProcess> peer_;
};

TEST_F(SoftKvmPeerLive, OnlyWholePicturesReachTheOwnerAndTheTextsMatchTheProtocol) {
  test::RecordingOwner owner(test::SoftKvmDevice(u"127.0.0.32", port_, 320, 200));
  auto driver = std::make_unique<SoftKvmDriver>(owner);
  driver->Connect();
  ASSERT_TRUE(WaitUntil([&] { return Count("answered") >= 3; }));
  ASSERT_TRUE(WaitUntil([&] { return owner.FrameCount() >= 2; }));

  // Every delivered frame is the whole picture: the truncated copy would differ in its lower half.
  JpegContext context;
  std::vector<uint8_t> expected;
  uint32_t width = 0;
  uint32_t height = 0;
  ASSERT_TRUE(DecodeJpeg(context, picture_.data(), picture_.size(), expected, width, height));
  const FramePtr last = owner.Last();
  ASSERT_TRUE(last);
  EXPECT_EQ(last->width, 320u);
  EXPECT_EQ(last->height, 200u);
  EXPECT_EQ(last->pixels, expected);

  driver->StartStream();
  driver->MouseMove(10, 20);
  driver->KeyEvent({KeyAction::Press, {112, false}});
  driver->StopStream();
  driver->Disconnect();
  ASSERT_TRUE(WaitUntil([&] { return Count("close_code") >= 1; }));
  // At most one frame per answered snapshot: the text, the half picture and the junk were dropped.
  EXPECT_LE(owner.FrameCount(), Count("answered"));

  std::vector<std::string> texts;
  nlohmann::json close;
  for (const auto& j : ReadLines(PeerLog())) {
    if (j.contains("text") && j["text"] != R"({"action":"snapshot","quality":60,"type":"SCRCTL"})") {
      texts.push_back(j["text"]);
    }
    if (j.contains("close_code")) close = j;
  }
  const std::vector<std::string> expected_texts = {
      R"({"action":"stream","fps":15,"quality":70,"type":"SCRCTL"})",
      R"({"action":"move","type":"CONTROL","x":10,"y":20})",
      R"({"action":"keydown","key":"f1","type":"CONTROL"})",
      R"({"action":"stop_stream","type":"SCRCTL"})",
  };
  EXPECT_EQ(texts, expected_texts);
  EXPECT_EQ(close["close_code"], 1000);
  EXPECT_EQ(close["close_reason"], "Normal closure");
}

}  // namespace
}  // namespace zor
