#include "core/url.h"

#include <gtest/gtest.h>

namespace klemvar {
namespace {

void ExpectSplit(const char* url, const char* host, const char* path) {
  const UrlParts parts = SplitUrl(url);
  EXPECT_EQ(parts.host, host) << "url: " << url;
  EXPECT_EQ(parts.path, path) << "url: " << url;
}

TEST(SplitUrl, RemovesTheHttpSchemeInAnyLetterCaseAndKeepsTheRestsCase) {
  ExpectSplit("http://www.Quorbel.example/Software/Update.INI", "www.Quorbel.example",
              "/Software/Update.INI");
  ExpectSplit("HTTP://Host.Example/Path", "Host.Example", "/Path");
  ExpectSplit("hTtP://h/p", "h", "/p");
}

TEST(SplitUrl, WithoutSchemeTheTextBeforeTheFirstSlashIsTheHost) {
  ExpectSplit("host.example/a/b", "host.example", "/a/b");
  ExpectSplit("/only/a/path", "", "/only/a/path");
}

TEST(SplitUrl, WithoutSlashTheHostIsEmptyAndThePathIsTheRemainder) {
  ExpectSplit("http://host.example", "", "host.example");
  ExpectSplit("host.example", "", "host.example");
  ExpectSplit("http://", "", "");
  ExpectSplit("", "", "");
}

TEST(SplitUrl, APortStaysPartOfTheHost) {
  ExpectSplit("http://127.0.0.1:18081/x", "127.0.0.1:18081", "/x");
  ExpectSplit("http://host:80/", "host:80", "/");
}

TEST(SplitUrl, TheQueryStringAndEverythingAfterTheSlashStayInThePath) {
  ExpectSplit("http://h/p?a=1&b=http://x/y#f", "h", "/p?a=1&b=http://x/y#f");
  ExpectSplit("http://h/?q", "h", "/?q");
}

TEST(SplitUrl, OtherSchemesAreNotRemoved) {
  ExpectSplit("https://h/x", "https:", "//h/x");
  ExpectSplit("ftp://h/x", "ftp:", "//h/x");
  ExpectSplit("http:/h/x", "http:", "/h/x");
  ExpectSplit(" http://h/x", " http:", "//h/x");
}

TEST(SplitUrl, OnlyTheFirstSchemeIsRemoved) { ExpectSplit("http://http://h/x", "http:", "//h/x"); }

}  // namespace
}  // namespace klemvar
