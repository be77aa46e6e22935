#include "net/body_file.h"

namespace klemvar {

bool BodyFile::Create(const QString& name) {
  if (name.isEmpty()) return false;
  file_.setFileName(name);
  return file_.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

bool BodyFile::Write(const char* data, std::uint32_t size) {
  return file_.write(data, static_cast<qint64>(size)) == static_cast<qint64>(size);
}

bool BodyFile::Close() {
  // Writes are buffered; an error of the last ones shows only when they are flushed.
  const bool flushed = file_.flush();
  file_.close();
  return flushed && file_.error() == QFileDevice::NoError;
}

}  // namespace klemvar
