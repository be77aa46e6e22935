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

TEST(FindIniValue, MatchesNamesWithoutRegardToCaseAndTrimsTheValue) {
  const std::string text =
      "VersionZahl=8\n[Other]\nVersionZahl=9\n  [ KLEMVAR ]  ; note\r\n"
      "  versionzahl  =  1.21 = x \t\r\nVersionZahl=2\nEmpty=\nNoEquals\n";
  EXPECT_EQ(FindIniValue(text, "Klemvar", "VersionZahl"), "1.21 = x");
  EXPECT_EQ(FindIniValue(text, "other", "VERSIONZAHL"), "9");
  EXPECT_EQ(FindIniValue(text, "Klemvar", "empty"), "");
  EXPECT_EQ(FindIniValue(text, "Klemvar", "NoEquals"), std::nullopt);
  EXPECT_EQ(FindIniValue(text, "Missing", "VersionZahl"), std::nullopt);
  EXPECT_EQ(FindIniValue("[Ä]\nk=1\n", "ä", "k"), std::nullopt);  // ASCII letters only
  // A byte order mark, CR-only line ends, a last line without its end.
  EXPECT_EQ(FindIniValue("\xEF\xBB\xBF[Klemvar]\rVersionZahl=3", "Klemvar", "VersionZahl"), "3");
  // An unclosed section line still ends the section before it.
  EXPECT_EQ(FindIniValue("[Klemvar]\n[Other\nk=6\n", "Klemvar", "k"), std::nullopt);
}

TEST(FindIniValue, CutsTheValueAt2047CharactersAndAtAZeroByte) {
  EXPECT_EQ(FindIniValue("[s]\nk=" + std::string(3000, '7') + "\n", "s", "k"),
            std::string(2047, '7'));
  EXPECT_EQ(FindIniValue(std::string("[s]\nk=1.5\0junk\n", 15), "s", "k"), "1.5");
}

class IniFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "klemvar-ini-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  double Version(const std::string& content, const char* separator = ".") {
    const fs::path path = dir_ / "update.ini";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
    return ReadVersionNumber(path.string(), separator);
  }

  fs::path dir_;
};

TEST_F(IniFileTest, ReadsTheVersionOrZero) {
  EXPECT_EQ(Version("[Klemvar]\r\nVersionZahl=1.21\r\nVersionString=1.21\r\n"), 1.21);
  EXPECT_EQ(Version("[klemvar]\nversionzahl = 1,5\n", ","), 1.5);
  EXPECT_EQ(Version("[Klemvar]\nVersionZahl=1.5\n", ","), 0.0);
  for (const char* content : {"", "[Other]\nVersionZahl=3\n", "[Klemvar]\nVersionString=3\n",
                              "[Klemvar]\nVersionZahl=  \n", "[Klemvar]\nVersionZahl=1.3 final\n",
                              "<html><body>404</body></html>"}) {
    EXPECT_EQ(Version(content), 0.0) << content;
  }
  EXPECT_EQ(ReadVersionNumber((dir_ / "missing.ini").string(), "."), 0.0);
}

TEST_F(IniFileTest, HostileFilesGiveZeroAtOnce) {
  const auto start = std::chrono::steady_clock::now();
  const std::string head = "[Klemvar]\nVersionZahl=1.5\n";
  // Up to the limit the file is read; one byte more and it is not.
  EXPECT_EQ(Version(head + std::string(kIniFileLimit - head.size(), '\n')), 1.5);
  EXPECT_EQ(Version(head + std::string(kIniFileLimit - head.size() + 1, '\n')), 0.0);
  // 8 GiB without using the disk: a sparse file with its key at the very end.
  const std::string tail = "\n[Klemvar]\nVersionZahl=7\n";
  const int fd = ::open((dir_ / "huge.ini").c_str(), O_WRONLY | O_CREAT, 0600);
  ASSERT_EQ(::pwrite(fd, tail.data(), tail.size(), off_t{8} << 30), off_t(tail.size()));
  ::close(fd);
  EXPECT_EQ(ReadVersionNumber((dir_ / "huge.ini").string(), "."), 0.0);
  // A line without an end; 2,047 nines are beyond a double's range.
  EXPECT_EQ(Version(head.substr(0, head.size() - 1) + std::string(kIniFileLimit / 2, ' ')), 1.5);
  EXPECT_EQ(Version("[Klemvar]\nVersionZahl=" + std::string(kIniFileLimit / 2, '9')), 0.0);
  // Binary junk, alone and around a well-formed section.
  std::mt19937 random(7);
  std::string junk(256 * 1024, '\0');
  for (char& c : junk) c = static_cast<char>(random());
  EXPECT_EQ(Version(junk), 0.0);
  EXPECT_EQ(Version(junk + "\n" + head + junk), 1.5);
  // Paths that are no file: a folder, a pipe nobody writes to, an endless device
  // directly and behind a link, a path through a file.
  fs::create_directory(dir_ / "folder");
  ASSERT_EQ(::mkfifo((dir_ / "fifo").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", dir_ / "zero");
  for (const fs::path& path : {dir_ / "folder", dir_ / "fifo", fs::path("/dev/zero"), dir_ / "zero",
                               dir_ / "update.ini" / "x", fs::path()}) {
    EXPECT_EQ(ReadVersionNumber(path.string(), "."), 0.0) << path;
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

}  // namespace
}  // namespace klemvar
