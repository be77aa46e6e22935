#include "core/inifile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/ascii_text.h"
#include "core/number.h"

namespace klemvar {
namespace {

std::string ValueOf(std::string_view raw) {
  std::string_view value = TrimBlanks(raw).substr(0, kIniValueLimit);
  // Callers of the profile functions get a C string: it ends at a zero byte.
  return std::string(value.substr(0, value.find('\0')));
}

// The name of a section line "[name]"; without "]" the name runs to the line's end.
std::string_view SectionName(std::string_view line) {
  line.remove_prefix(1);
  return TrimBlanks(line.substr(0, line.find(']')));
}

// Closes a descriptor on every way out.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

bool IsSmallRegularFile(const struct stat& info) {
  return S_ISREG(info.st_mode) && info.st_size >= 0 &&
         static_cast<unsigned long long>(info.st_size) <= kIniFileLimit;
}

// The whole file, or nullopt when it is no regular file of at most kIniFileLimit
// bytes. The path is looked at before it is opened, so that a pipe or a device
// is never opened at all; the open descriptor is checked again in case the path
// was swapped in between.
std::optional<std::string> ReadSmallFile(const std::string& path) {
  struct stat info = {};
  if (path.empty() || path.find('\0') != std::string::npos) return std::nullopt;
  if (::stat(path.c_str(), &info) != 0 || !IsSmallRegularFile(info)) return std::nullopt;
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !IsSmallRegularFile(info)) {
    return std::nullopt;
  }
  // Reads on past the limit by one chunk at most, to tell a file that grew meanwhile.
  std::string text;
  char chunk[64 * 1024];
  while (text.size() <= kIniFileLimit) {
    const ssize_t got = ::read(file.get(), chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    text.append(chunk, static_cast<std::size_t>(got));
  }
  if (text.size() > kIniFileLimit) return std::nullopt;
  return text;
}

}  // namespace

std::optional<std::string> FindIniValue(std::string_view text, std::string_view section,
                                        std::string_view key) {
  // A UTF-8 byte order mark, as some editors write it, is not part of the first line.
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  section = TrimBlanks(section);
  key = TrimBlanks(key);
  bool inSection = false;
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view line = TrimBlanks(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.starts_with('[')) {
      inSection = SameAsciiNoCase(SectionName(line), section);
      continue;
    }
    const std::size_t equals = line.find('=');
    if (inSection && equals != std::string_view::npos &&
        SameAsciiNoCase(TrimBlanks(line.substr(0, equals)), key)) {
      return ValueOf(line.substr(equals + 1));
    }
  }
  return std::nullopt;
}

std::optional<std::string> ReadIniValue(const std::string& path, std::string_view section,
                                        std::string_view key) {
  const std::optional<std::string> text = ReadSmallFile(path);
  if (!text) return std::nullopt;
  return FindIniValue(*text, section, key);
}

double ReadVersionNumber(const std::string& path, std::string_view decimalSeparator) {
  const std::optional<std::string> value = ReadIniValue(path, "Klemvar", "VersionZahl");
  if (!value) return 0.0;
  return ParseNumber(*value, decimalSeparator).value_or(0.0);
}

}  // namespace klemvar
