#include <gtest/gtest.h>

#include "device/WebSocketUrl.h"

namespace zor {
namespace {

TEST(WebSocketUrlTest, SplitsPlainUrls) {
  struct Case {
    const char* url;
    const char* host;
    const char* port;
    const char* host_header;
    const char* target;
  };
  const Case cases[] = {
      {"ws://127.0.0.1:8080", "127.0.0.1", "8080", "127.0.0.1:8080", "/"},
      {"ws://192.168.0.100/api/ws", "192.168.0.100", "80", "192.168.0.100", "/api/ws"},
      {"ws://kvm.local:80/a?b=c", "kvm.local", "80", "kvm.local", "/a?b=c"},
      {"ws://h:65535", "h", "65535", "h:65535", "/"},
  };
  for (const Case& c : cases) {
    const WebSocketUrl u = ParseWebSocketUrl(c.url);
    EXPECT_TRUE(u.valid) << c.url;
    EXPECT_EQ(u.host, c.host) << c.url;
    EXPECT_EQ(u.port, c.port) << c.url;
    EXPECT_EQ(u.host_header, c.host_header) << c.url;
    EXPECT_EQ(u.target, c.target) << c.url;
  }
}

TEST(WebSocketUrlTest, RefusesWhatItCannotConnectTo) {
  for (const char* url : {"", "wss://h:1", "http://h", "ws://", "ws://:80", "ws://h:", "ws://h:0", "ws://h:65536",
                          "ws://h:-1", "ws://h:8o", "ws://h:99999999999999999999",
                          // bytes that would break the upgrade request's lines
                          "ws://h\r\nX-Injected: 1:80", "ws://a b:80", "ws://h:80/a b", "ws://h:80/a\r\n",
                          "ws://[::1]:80", "ws://\xEC\x9D\xB4:80"}) {
    EXPECT_FALSE(ParseWebSocketUrl(url).valid) << url;
  }
}

}  // namespace
}  // namespace zor
