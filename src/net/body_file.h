#pragma once

// The file that receives a body in file mode, written from the worker thread.

#include <QFile>
#include <QString>
#include <cstdint>

namespace klemvar {

class BodyFile {
 public:
  // Creates the file for raw bytes, replacing a file of that name.
  bool Create(const QString& name);
  bool Write(const char* data, std::uint32_t size);
  // False when some of what was written did not reach the file. Destroying an
  // open BodyFile closes it as well, keeping what was written.
  bool Close();

 private:
  QFile file_;
};

}  // namespace klemvar
