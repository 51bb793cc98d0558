#include "device/MjpegPartParser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zor {
namespace {

std::string Part(const std::string& body, const std::string& headers = "Content-Type: image/jpeg\r\n") {
  return "--frame\r\n" + headers + "\r\n" + body;
}

std::string Boundary() { return std::string(MjpegPartParser::kBoundary); }

// Feeds `chunks` in order and collects every picture the parser hands out.
std::vector<std::string> Feed(MjpegPartParser& parser, const std::vector<std::string>& chunks) {
  std::vector<std::string> pictures;
  for (const auto& chunk : chunks) {
    parser.Append(reinterpret_cast<const uint8_t*>(chunk.data()), chunk.size());
    std::span<const uint8_t> jpeg;
    while (parser.NextPart(jpeg)) {
      pictures.emplace_back(reinterpret_cast<const char*>(jpeg.data()), jpeg.size());
      parser.DropPart();
    }
  }
  return pictures;
}

std::vector<std::string> FeedWhole(const std::string& stream) {
  MjpegPartParser parser;
  return Feed(parser, {stream});
}

TEST(MjpegPartParser, JunkBeforeTheFirstBoundaryIsDropped) {
  const std::string junk = "HTTP junk -- not a boundary --fram";
  MjpegPartParser parser;
  const auto pictures = Feed(parser, {junk + Part("AAAA") + Part("BBBB") + Boundary()});
  EXPECT_EQ(pictures, (std::vector<std::string>{"AAAA", "BBBB"}));
  EXPECT_EQ(parser.buffered_bytes(), Boundary().size());
}

// A device that sends one picture and then nothing: its announced length completes the part,
// and what follows the picture up to the next boundary is dropped as it comes.
TEST(MjpegPartParser, AnnouncedLengthCompletesAPartWithoutTheNextBoundary) {
  MjpegPartParser parser;
  EXPECT_EQ(Feed(parser, {Part("ABCDEF", "Content-length: 4\r\n")}), std::vector<std::string>{"ABCD"});
  EXPECT_EQ(Feed(parser, {std::string(1000, 'z')}), std::vector<std::string>{});
  EXPECT_LT(parser.buffered_bytes(), Boundary().size());
  EXPECT_EQ(Feed(parser, {Part("next", "Content-Length: 4\r\n")}), std::vector<std::string>{"next"});
}

TEST(MjpegPartParser, TwoPartsInOneChunkWaitForTheThirdBoundary) {
  MjpegPartParser parser;
  EXPECT_EQ(Feed(parser, {Part("first") + Part("second")}), std::vector<std::string>{"first"});
  EXPECT_EQ(Feed(parser, {"--frame"}), std::vector<std::string>{"second"});
}

TEST(MjpegPartParser, EverySplitGivesTheSamePictures) {
  const std::string stream = "junk" + Part("one\r\n--fram") + Part("two", "Content-Length: 2\r\n") +
                             Part("x") + Part("three", "X: 1\r\nContent-Length:\t5\r\n") + Boundary();
  const std::vector<std::string> expected{"one\r\n--fram", "tw", "x", "three"};
  ASSERT_EQ(FeedWhole(stream), expected);
  for (size_t cut = 1; cut < stream.size(); ++cut) {
    MjpegPartParser parser;
    EXPECT_EQ(Feed(parser, {stream.substr(0, cut), stream.substr(cut)}), expected) << "cut at " << cut;
  }
  std::vector<std::string> bytes;
  for (char c : stream) bytes.emplace_back(1, c);
  MjpegPartParser parser;
  EXPECT_EQ(Feed(parser, bytes), expected);
}

TEST(MjpegPartParser, ContentLengthRules) {
  struct Case {
    const char* header_value;
    size_t expected;
  };
  const std::string body = "0123456789";  // 10 bytes
  const Case cases[] = {
      {nullptr, 10},               // no header
      {" 4", 4},
      {"4", 4},                    // no space after the colon
      {" \t 7", 7},                // spaces and tabs skipped
      {" 10", 10},                 // exactly the body
      {" 0", 10},                  // zero: whole body
      {" 11", 10},                 // larger than the body
      {" -3", 10},                 // negative
      {" abc", 10},                // not a number
      {" ", 10},                   // empty value
      {" 6 bytes", 6},             // digits up to the first non-digit
      {" +6", 6},                  // explicit sign
      {" 2147483647", 10},         // fits, larger than the body
      {" 2147483648", 10},         // beyond 32 bits
      {" 4294967302", 10},         // wraps to 6 in 32 bits: must not
      {" 99999999999999999999", 10},  // beyond 64 bits
  };
  for (const Case& c : cases) {
    const std::string headers = c.header_value ? std::string("Content-Length:") + c.header_value + "\r\n" : "";
    const auto pictures = FeedWhole(Part(body, headers) + Boundary());
    ASSERT_EQ(pictures.size(), 1u) << (c.header_value ? c.header_value : "(none)");
    EXPECT_EQ(pictures[0], body.substr(0, c.expected)) << (c.header_value ? c.header_value : "(none)");
  }
  // Header names are case-insensitive.
  EXPECT_EQ(MjpegPartParser::PictureLength("--frame\r\ncontent-LENGTH: 4\r\n\r\n", 10), 4u);
  // A value at the very end of the header block with nothing after it.
  EXPECT_EQ(MjpegPartParser::PictureLength("--frame\r\nContent-Length: 4", 10), 10u);
}

TEST(MjpegPartParser, PartWithoutHeaderEndIsDiscardedWithWhatPrecedesIt) {
  MjpegPartParser parser;
  const auto pictures = Feed(parser, {"junk--frame no header end" + Part("good") + Boundary()});
  EXPECT_EQ(pictures, std::vector<std::string>{"good"});
  EXPECT_EQ(parser.buffered_bytes(), Boundary().size());
}

// Bytes that never complete a part: junk without a boundary, a body without an end, a part
// header without its empty line. The buffer stays within its cap and the stream recovers when
// parts come back.
TEST(MjpegPartParser, EndlessInputStaysWithinItsCap) {
  struct Case {
    const char* what;
    std::string start;
    size_t cap_bytes;
  };
  const std::string chunk(4096, 'x');
  const Case cases[] = {
      {"junk", "", Boundary().size()},
      {"body", Part(""), MjpegPartParser::kMaxBufferBytes},
      {"part header", "--frame\r\nX-Filler: ", Boundary().size() + MjpegPartParser::kMaxPartHeadBytes + chunk.size()},
  };
  for (const Case& c : cases) {
    MjpegPartParser parser;
    Feed(parser, {c.start});
    size_t largest = 0;
    for (size_t sent = 0; sent < 3 * MjpegPartParser::kMaxBufferBytes; sent += chunk.size()) {
      Feed(parser, {chunk});
      largest = std::max(largest, parser.buffered_bytes());
    }
    EXPECT_LE(largest, c.cap_bytes) << c.what;
    EXPECT_LE(parser.capacity_bytes(), 2 * (c.cap_bytes + chunk.size())) << c.what;
    EXPECT_EQ(Feed(parser, {Part("after") + Boundary()}), std::vector<std::string>{"after"}) << c.what;
  }
}

TEST(MjpegPartParser, NoGrowthOnceWarm) {
  MjpegPartParser parser;
  const std::string frame = Part(std::string(50000, 'j'), "Content-Length: 50000\r\n");
  std::vector<std::string> chunks;
  for (size_t i = 0; i < frame.size(); i += 4096) chunks.push_back(frame.substr(i, 4096));
  for (int warm = 0; warm < 3; ++warm) Feed(parser, chunks);
  const size_t warm_capacity = parser.capacity_bytes();
  size_t pictures = 0;
  for (int i = 0; i < 50; ++i) pictures += Feed(parser, chunks).size();
  EXPECT_EQ(pictures, 50u);
  EXPECT_EQ(parser.capacity_bytes(), warm_capacity);
}

}  // namespace
}  // namespace zor
