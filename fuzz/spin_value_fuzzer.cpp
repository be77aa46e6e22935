// The spin edit's reading of its text, through the same QString conversion the
// widget makes: nothing crashes, and a value that reads is written back as the
// same value (the decimal text the widget writes reads as what was written).

#include <QString>
#include <cstdint>
#include <cstdlib>

#include "core/integer_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString typed =
      QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const std::optional<std::int32_t> value = klemvar::ParseInt32(typed.toStdString());
  if (!value) return 0;
  if (klemvar::ParseInt32(QString::number(*value).toStdString()) != value) std::abort();
  // Whatever reads is made of a sign and ASCII digits only.
  for (const QChar c : typed) {
    if (c != QLatin1Char('+') && c != QLatin1Char('-') &&
        (c < QLatin1Char('0') || c > QLatin1Char('9'))) {
      std::abort();
    }
  }
  return 0;
}
