#pragma once

// A service answers one connection's questions in the order they were asked:
// once a question asked now is answered, so is every earlier one.

#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QSignalSpy>

inline bool EarlierQuestionsAnswered(const QDBusMessage& question) {
  QDBusPendingCallWatcher call(QDBusConnection::sessionBus().asyncCall(question));
  return QSignalSpy(&call, &QDBusPendingCallWatcher::finished).wait(10'000);
}
