#include "core/number.h"

#include <charconv>
#include <system_error>

#include "core/ascii_text.h"
#include "core/utf8_text.h"

namespace klemvar {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Walks the grammar once and writes the number in the form std::from_chars reads
// ("." as separator, no "+" sign). Returns false when the text does not fit.
class NumberScanner {
 public:
  NumberScanner(std::string_view text, std::string_view separator)
      : text_(text), separator_(separator) {}

  bool Scan(std::string& plain) {
    SkipBlanks();
    if (At('-')) plain += '-';
    if (At('+') || At('-')) ++pos_;
    if (!Mantissa(plain)) return false;
    if (At('e') || At('E')) {
      plain += text_[pos_++];
      if (At('+') || At('-')) plain += text_[pos_++];
      if (!Digits(plain)) return false;
    }
    SkipBlanks();
    return pos_ == text_.size();
  }

 private:
  bool At(char c) const { return pos_ < text_.size() && text_[pos_] == c; }

  void SkipBlanks() {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
  }

  bool Digits(std::string& plain) {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && IsDigit(text_[pos_])) plain += text_[pos_++];
    return pos_ > start;
  }

  // Digits with at most one separator anywhere among them, at least one digit.
  bool Mantissa(std::string& plain) {
    bool digits = Digits(plain);
    if (text_.substr(pos_).starts_with(separator_)) {
      pos_ += separator_.size();
      plain += '.';
      digits = Digits(plain) || digits;
    }
    return digits;
  }

  std::string_view text_;
  std::string_view separator_;
  std::size_t pos_ = 0;
};

}  // namespace

std::optional<double> ParseNumber(std::string_view text, std::string_view decimalSeparator) {
  if (decimalSeparator.empty()) decimalSeparator = ".";
  std::string plain;
  if (!NumberScanner(text, decimalSeparator).Scan(plain)) return std::nullopt;
  double value = 0.0;
  const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (error != std::errc() || end != plain.data() + plain.size()) return std::nullopt;
  return value;
}

std::string ReadDecimalSeparator(const LocaleInfoSource& source) {
  const std::optional<std::string> setting = source.Read(LocaleItem::DecimalSeparator);
  if (!setting || setting->empty()) return ".";
  // The separator is one character wide; a longer setting keeps its first.
  return setting->substr(0, Utf8FirstCharacterLength(*setting));
}

}  // namespace klemvar
