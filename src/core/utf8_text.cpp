#include "core/utf8_text.h"

namespace klemvar {
namespace {

bool ContinuesCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::size_t Utf8CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i == 0 || !ContinuesCharacter(text[i])) ++count;
  }
  return count;
}

std::size_t Utf8FirstCharacterLength(std::string_view text) {
  if (text.empty()) return 0;
  std::size_t length = 1;
  while (length < text.size() && ContinuesCharacter(text[length])) ++length;
  return length;
}

}  // namespace klemvar
