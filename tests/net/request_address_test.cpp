#include "platform/http/request_address.h"

#include <gtest/gtest.h>

namespace klemvar {
namespace {

TEST(HostIsUsable, TakesPlainHostNamesAndAddresses) {
  for (const char* host : {"www.quorbel.example", "127.0.0.1", "localhost", "a_b.example"}) {
    EXPECT_TRUE(HostIsUsable(host)) << host;
  }
}

TEST(HostIsUsable, RefusesWhatCurlWouldReadAsAnotherPartOfTheUrl) {
  for (const char* host : {"", "127.0.0.1:18081", "host:80", "u@host", "u:p@host", "host#f",
                           "host?q", "host/x", "a b", "[::1]", "h%41", "host\\x"}) {
    EXPECT_FALSE(HostIsUsable(host)) << host;
  }
}

// Found by fuzz_url_host: curl reads the host and the address only up to a
// zero byte, so "host\0:8081" passed the check as "host" and the request lost
// its port and path.
TEST(HostIsUsable, RefusesAZeroByteThatWouldCutTheAddress) {
  using namespace std::string_literals;
  EXPECT_FALSE(HostIsUsable("host\0:8081"s));
  EXPECT_FALSE(HostIsUsable("\0"s));
  EXPECT_EQ(RequestAddress("127.0.0.1\0@evil"s, 80, "/x"), std::nullopt);
}

// Found by fuzz_url_host: curl took control bytes as a host part but then
// refused the whole address built from it.
TEST(HostIsUsable, RefusesWhatCurlTakesAsAHostButNotInAnAddress) {
  for (const char* host : {"a\x13"
                           "b",
                           "a\x01", "\x7f", "\x13u\xff\xffth"}) {
    EXPECT_FALSE(HostIsUsable(host)) << host;
  }
}

TEST(EscapeObjectPath, EscapesOnlyWhatCurlWouldRejectOrCut) {
  EXPECT_EQ(EscapeObjectPath("/software/download/update.ini"), "/software/download/update.ini");
  EXPECT_EQ(EscapeObjectPath("/a?b=1&c=%20&d=/e"), "/a?b=1&c=%20&d=/e");
  EXPECT_EQ(EscapeObjectPath("/a b#c"), "/a%20b%23c");
  EXPECT_EQ(EscapeObjectPath("/\xC3\xA4\x7F\t\r\n"), "/%C3%A4%7F%09%0D%0A");
  EXPECT_EQ(EscapeObjectPath("/a/../b/./c"), "/a/../b/./c");
}

TEST(RequestAddress, PutsThePortFromTheConnectStepAfterACheckedHost) {
  EXPECT_EQ(RequestAddress("www.quorbel.example", 80, "/software/download/update.ini"),
            "http://www.quorbel.example:80/software/download/update.ini");
  EXPECT_EQ(RequestAddress("127.0.0.1", 18081, "/x?y"), "http://127.0.0.1:18081/x?y");
  EXPECT_EQ(RequestAddress("h", 80, "x"), "http://h:80/x");
  EXPECT_EQ(RequestAddress("h", 80, ""), "http://h:80/");
  EXPECT_EQ(RequestAddress("127.0.0.1:18081", 80, "/x"), std::nullopt);
  EXPECT_EQ(RequestAddress("", 80, "/x"), std::nullopt);
}

}  // namespace
}  // namespace klemvar
