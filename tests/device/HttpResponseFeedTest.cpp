// The stream reader's response parsing, fed bytes directly: framing, status and bounds.
#include "device/HttpResponseFeed.h"

#include <gtest/gtest.h>

#include <string>

namespace zor {
namespace {

class Recorder : public HttpResponseFeed::IEvents {
 public:
  void OnResponseHead(int s) override { status = s; }
  void OnBody(std::span<const uint8_t> bytes) override { body.append(bytes.begin(), bytes.end()); }
  int status = 0;
  std::string body;
};

struct Result {
  HttpResponseFeed::Outcome outcome = HttpResponseFeed::Outcome::kMore;
  int status = 0;
  std::string body;
  std::string failure;
};

// Feeds `response` in pieces of `piece` bytes, stopping at the first outcome other than kMore.
Result Feed(const std::string& response, size_t piece) {
  Recorder recorder;
  HttpResponseFeed feed(recorder);
  Result result;
  for (size_t offset = 0; offset < response.size() && result.outcome == HttpResponseFeed::Outcome::kMore; offset += piece) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(response.data()) + offset;
    result.outcome = feed.Put({bytes, std::min(piece, response.size() - offset)});
    EXPECT_LE(feed.HeldCapacity(), HttpResponseFeed::kMaxHeldBytes);
  }
  result.status = recorder.status;
  result.body = recorder.body;
  result.failure = feed.Failure();
  return result;
}

TEST(HttpResponseFeed, FramingStatusAndFailures) {
  using Outcome = HttpResponseFeed::Outcome;
  const std::string ok = "HTTP/1.1 200 OK\r\n";
  struct Case {
    const char* what;
    std::string response;
    Outcome outcome;
    int status;
    std::string body;
    std::string failure;
  };
  const Case cases[] = {
      {"chunked", ok + "Transfer-Encoding: chunked\r\n\r\n4\r\n--fr\r\n3;x=y\r\name\r\n", Outcome::kMore, 200, "--frame", ""},
      {"chunked, ended", ok + "Transfer-Encoding: chunked\r\n\r\n2\r\nab\r\n0\r\n\r\n", Outcome::kDone, 200, "ab", ""},
      // The last chunk first, a byte at a time, once tripped the chunk parser's assertion.
      {"chunked, nothing but the last chunk", ok + "Transfer-Encoding: chunked\r\n\r\n0\r\n\r\n", Outcome::kDone, 200, "", ""},
      {"content length", ok + "Content-Length: 3\r\n\r\nabcdef", Outcome::kDone, 200, "abc", ""},
      {"until the connection ends", "HTTP/1.0 200 OK\r\n\r\nabc", Outcome::kMore, 200, "abc", ""},
      {"not found", "HTTP/1.1 404 Not Found\r\nContent-Length: 2\r\n\r\nno", Outcome::kDone, 404, "no", ""},
      {"endless head", ok + "X-Filler: " + std::string(200'000, 'a'), Outcome::kFailed, 0, "", "response head too large"},
      {"many fields", ok + [] {
         std::string fields;
         while (fields.size() < 2 * HttpResponseFeed::kMaxResponseHeadBytes) fields += "X-Field: value\r\n";
         return fields;
       }() + "\r\n", Outcome::kFailed, 0, "", "response head too large"},
      {"endless chunk size", ok + "Transfer-Encoding: chunked\r\n\r\n" + std::string(200'000, '1'), Outcome::kFailed, 200, "",
       "bad HTTP response: chunk size line too long"},
      {"not HTTP", "<html>error</html>\r\n\r\n", Outcome::kFailed, 0, "", "bad HTTP response: bad version"},
  };
  for (const Case& c : cases) {
    for (size_t piece : {size_t{1}, size_t{7}, c.response.size()}) {
      const Result r = Feed(c.response, piece);
      EXPECT_EQ(r.outcome, c.outcome) << c.what << ", pieces of " << piece;
      EXPECT_EQ(r.status, c.status) << c.what << ", pieces of " << piece;
      EXPECT_EQ(r.body, c.body) << c.what << ", pieces of " << piece;
      EXPECT_EQ(r.failure, c.failure) << c.what << ", pieces of " << piece;
    }
  }
}

}  // namespace
}  // namespace zor
