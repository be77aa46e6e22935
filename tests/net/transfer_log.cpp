#include "transfer_log.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace klemvar::testing {

// Before the test's own handler runs, which may destroy the component.
void TransferLog::Ended(QObject* sender) {
  endSender = sender;
  if (auto* component = qobject_cast<THTTPGet*>(sender)) endedWorker = component->Worker();
}

void TransferLog::Attach(THTTPGet& component, bool withProgress) {
  component.OnDoneFile = [this](QObject* sender, const QString& name, std::int32_t size) {
    ++doneFile;
    Ended(sender);
    fileName = name;
    fileSize = size;
    if (onEnd) onEnd();
  };
  component.OnDoneString = [this](QObject* sender, const QByteArray& body) {
    ++doneString;
    Ended(sender);
    result = body;
    if (onEnd) onEnd();
  };
  component.OnError = [this](QObject* sender) {
    ++errors;
    Ended(sender);
    if (onEnd) onEnd();
  };
  if (withProgress) {
    component.OnProgress = [this](QObject* sender, std::int32_t total, std::int32_t readed) {
      progress.push_back({sender, qobject_cast<THTTPGetThread*>(sender) != nullptr, total, readed});
      if (onProgress) onProgress(progress.back());
    };
  }
}

bool RunUntil(const std::function<bool()>& done, int timeoutMs) {
  if (done()) return true;
  QEventLoop loop;
  QTimer check;
  QObject::connect(&check, &QTimer::timeout, &loop, [&] {
    if (done()) loop.quit();
  });
  check.start(1);
  QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
  loop.exec();
  return done();
}

bool RunUntilEnded(const TransferLog& log, int timeoutMs) {
  const bool ended = RunUntil([&] { return log.ends() > 0; }, timeoutMs);
  RunUntil([&] { return log.endedWorker.isNull(); }, timeoutMs);
  return ended;
}

QByteArray Pattern(int size) {
  QByteArray bytes(size, '\0');
  for (int i = 0; i < size; ++i) bytes[i] = static_cast<char>(i % 251);
  return bytes;
}

QByteArray FileBytes(const QString& name) {
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) return kNoFile;
  return file.readAll();
}

}  // namespace klemvar::testing
