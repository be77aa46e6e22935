#include "core/inifile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>

namespace klemvar {
namespace {

namespace fs = std::filesystem;

TEST(FindIniValue, MatchesSectionAndKeyWithoutRegardToCase) {
  const std::string text =
      "[Other]\nVersionZahl=9\n[KLEMVAR]\nversionzahl=1.21\nVersionString=1.21 beta\n";
  EXPECT_EQ(FindIniValue(text, "Klemvar", "VersionZahl"), "1.21");
  EXPECT_EQ(FindIniValue(text, "klemvar", "VERSIONSTRING"), "1.21 beta");
  EXPECT_EQ(FindIniValue(text, "Other", "versionZAHL"), "9");
  EXPECT_EQ(FindIniValue(text, "Klemvar", "Missing"), std::nullopt);
  EXPECT_EQ(FindIniValue(text, "Missing", "VersionZahl"), std::nullopt);
  // Umlauts and other non-ASCII letters are compared byte for byte.
  EXPECT_EQ(FindIniValue("[Ä]\nk=1\n", "ä", "k"), std::nullopt);
}

TEST(FindIniValue, TakesTheTextAfterTheFirstEqualsWithoutBlanksAround) {
  EXPECT_EQ(FindIniValue("[s]\n  key  =  a = b  \n", "s", "key"), "a = b");
  EXPECT_EQ(FindIniValue("[s]\nkey=\t 1.5 \t\r\n", "s", "key"), "1.5");
  EXPECT_EQ(FindIniValue("[s]\nkey=\n", "s", "key"), "");
  EXPECT_EQ(FindIniValue("[s]\nkey==x\n", "s", "key"), "=x");
  // A line without "=" names no key.
  EXPECT_EQ(FindIniValue("[s]\nkey\n", "s", "key"), std::nullopt);
}

TEST(FindIniValue, ReadsSectionLinesAndLineEndsLeniently) {
  // Blanks around the brackets and the name, CR-only and CRLF line ends, a
  // byte order mark, a final line without its end.
  EXPECT_EQ(
      FindIniValue("\xEF\xBB\xBF  [ Klemvar ]  ; note\r\nVersionZahl=2", "Klemvar", "VersionZahl"),
      "2");
  EXPECT_EQ(FindIniValue("[Klemvar]\rVersionZahl=3\r", "Klemvar", "VersionZahl"), "3");
  // Keys before any section and after another section's line belong to no match.
  EXPECT_EQ(
      FindIniValue("VersionZahl=4\n[Klemvar]\n[Next]\nVersionZahl=5\n", "Klemvar", "VersionZahl"),
      std::nullopt);
  // An unclosed section line still ends the section before it.
  EXPECT_EQ(FindIniValue("[Klemvar]\n[Other\nVersionZahl=6\n", "Klemvar", "VersionZahl"),
            std::nullopt);
  // The first matching line wins, also across repeated sections.
  EXPECT_EQ(FindIniValue("[Klemvar]\nk=1\nk=2\n[klemvar]\nk=3\n", "Klemvar", "k"), "1");
}

TEST(FindIniValue, CutsTheValueAt2047CharactersAndAtAZeroByte) {
  const std::string longValue(3000, '7');
  const std::optional<std::string> value = FindIniValue("[s]\nk=" + longValue + "\n", "s", "k");
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(*value, std::string(2047, '7'));
  EXPECT_EQ(FindIniValue("[s]\nk=" + std::string(2047, '8') + "  \n", "s", "k")->size(), 2047u);
  EXPECT_EQ(FindIniValue(std::string("[s]\nk=1.5\0junk\n", 15), "s", "k"), "1.5");
}

// A fresh folder per test, removed afterwards.
class IniFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "klemvar-ini-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Write(const std::string& name, const std::string& content) {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
  }

  fs::path dir_;
};

TEST_F(IniFileTest, ReadsTheVersionNumberOfAnUpdateFile) {
  const std::string path =
      Write("update.ini", "[Klemvar]\r\nVersionZahl=1.21\r\nVersionString=1.21\r\n");
  EXPECT_EQ(ReadVersionNumber(path, "."), 1.21);
  EXPECT_EQ(ReadVersionNumber(path, ","), 0.0);
  EXPECT_EQ(ReadVersionNumber(Write("comma.ini", "[klemvar]\nversionzahl = 1,5\n"), ","), 1.5);
  EXPECT_EQ(ReadVersionNumber(Write("whole.ini", "[Klemvar]\nVersionZahl=2\n"), ","), 2.0);
}

TEST_F(IniFileTest, EverythingThatDoesNotReadCountsAsZero) {
  EXPECT_EQ(ReadVersionNumber((dir_ / "missing.ini").string(), "."), 0.0);
  EXPECT_EQ(ReadVersionNumber("", "."), 0.0);
  EXPECT_EQ(ReadVersionNumber(Write("empty.ini", ""), "."), 0.0);
  EXPECT_EQ(ReadVersionNumber(Write("nosection.ini", "[Other]\nVersionZahl=3\n"), "."), 0.0);
  EXPECT_EQ(ReadVersionNumber(Write("nokey.ini", "[Klemvar]\nVersionString=3\n"), "."), 0.0);
  EXPECT_EQ(ReadVersionNumber(Write("blank.ini", "[Klemvar]\nVersionZahl=   \n"), "."), 0.0);
  EXPECT_EQ(ReadVersionNumber(Write("text.ini", "[Klemvar]\nVersionZahl=1.3 final\n"), "."), 0.0);
  // An error page delivered in place of the file.
  EXPECT_EQ(ReadVersionNumber(Write("page.ini", "<html><body>404</body></html>"), "."), 0.0);
}

TEST_F(IniFileTest, HostilePathsGiveZeroAtOnce) {
  const auto start = std::chrono::steady_clock::now();
  // A folder in place of the file.
  fs::create_directory(dir_ / "update.ini");
  EXPECT_EQ(ReadVersionNumber((dir_ / "update.ini").string(), "."), 0.0);
  // A pipe nobody writes to would block a plain open or read for ever.
  const fs::path fifo = dir_ / "fifo.ini";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(ReadVersionNumber(fifo.string(), "."), 0.0);
  // An endless device, directly and behind a link.
  EXPECT_EQ(ReadVersionNumber("/dev/zero", "."), 0.0);
  fs::create_symlink("/dev/zero", dir_ / "zero.ini");
  EXPECT_EQ(ReadVersionNumber((dir_ / "zero.ini").string(), "."), 0.0);
  // A path through a file, which no process can open.
  const std::string file = Write("plain", "[Klemvar]\nVersionZahl=5\n");
  EXPECT_EQ(ReadVersionNumber(file + "/update.ini", "."), 0.0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST_F(IniFileTest, AHugeFileIsNotReadAndCostsNoTime) {
  // 8 GiB without using the disk: a sparse file whose key sits at its very end.
  const std::string path = Write("huge.ini", "[Klemvar]\nVersionZahl=5\n");
  const std::string tail = "\n[Klemvar]\nVersionZahl=7\n";
  const off_t size = off_t{8} << 30;
  const int fd = ::open(path.c_str(), O_WRONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::pwrite(fd, tail.data(), tail.size(), size), static_cast<ssize_t>(tail.size()));
  ::close(fd);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(ReadVersionNumber(path, "."), 0.0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST_F(IniFileTest, ReadsUpToTheLimitAndNoFurther) {
  const std::string head = "[Klemvar]\nVersionZahl=1.5\n";
  const std::string atLimit = head + std::string(kIniFileLimit - head.size(), '\n');
  EXPECT_EQ(ReadVersionNumber(Write("limit.ini", atLimit), "."), 1.5);
  EXPECT_EQ(ReadVersionNumber(Write("over.ini", atLimit + "\n"), "."), 0.0);
}

TEST_F(IniFileTest, ALineWithoutAnEndIsReadToTheFileEnd) {
  // One line of nearly the whole limit: the value's blanks go, its length is capped.
  EXPECT_EQ(ReadVersionNumber(Write("spaces.ini", "[Klemvar]\nVersionZahl=1.5" +
                                                      std::string(kIniFileLimit / 2, ' ')),
                              "."),
            1.5);
  EXPECT_EQ(ReadVersionNumber(Write("digits.ini", "[Klemvar]\nVersionZahl=" +
                                                      std::string(kIniFileLimit / 2, '9')),
                              "."),
            0.0);  // 2,047 nines are far beyond a double's range
  EXPECT_EQ(ReadVersionNumber(Write("junk.ini", std::string(kIniFileLimit - 1, 'x')), "."), 0.0);
}

TEST_F(IniFileTest, BinaryJunkNeverReadsAsAVersion) {
  std::mt19937 random(7);
  std::string junk(256 * 1024, '\0');
  for (char& c : junk) c = static_cast<char>(random());
  EXPECT_EQ(ReadVersionNumber(Write("junk.ini", junk), "."), 0.0);
  // The same junk around a well-formed section still yields its value.
  const std::string framed = junk + "\n[Klemvar]\nVersionZahl=1.21\n" + junk;
  EXPECT_EQ(ReadVersionNumber(Write("framed.ini", framed), "."), 1.21);
}

}  // namespace
}  // namespace klemvar
