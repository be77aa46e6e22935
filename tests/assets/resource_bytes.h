// Reading the embedded resources as the program sees them.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>

namespace klemvar::test {

inline QByteArray ResourceBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline std::uint32_t Le16(const QByteArray& bytes, qsizetype at) {
  return static_cast<std::uint8_t>(bytes[at]) | static_cast<std::uint8_t>(bytes[at + 1]) << 8;
}

inline std::uint32_t Le32(const QByteArray& bytes, qsizetype at) {
  return Le16(bytes, at) | Le16(bytes, at + 2) << 16;
}

}  // namespace klemvar::test
