#include "core/content_length.h"

#include "core/integer_text.h"

namespace klemvar {

std::optional<std::int32_t> ContentLengthValue(std::string_view text) { return ParseInt32(text); }

}  // namespace klemvar
