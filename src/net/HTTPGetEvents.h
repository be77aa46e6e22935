#pragma once

// The events of the HTTP download component. Each is an object method: a handler
// is any callable, typically a window's method bound with EventMethod. An empty
// function means "no handler", and the event is then skipped.

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>
#include <utility>

namespace klemvar {

// Sender: the worker (THTTPGetThread). TotalSize: the announced content length,
// 0 when none was announced. Readed: bytes received so far.
using TOnProgressEvent =
    std::function<void(QObject* Sender, std::int32_t TotalSize, std::int32_t Readed)>;
// Sender: the component. FileSize: the announced content length (0 when none).
using TOnDoneFileEvent =
    std::function<void(QObject* Sender, const QString& FileName, std::int32_t FileSize)>;
// Sender: the component. Result: the body, byte for byte.
using TOnDoneStringEvent = std::function<void(QObject* Sender, const QByteArray& Result)>;
// Sender: the component.
using TNotifyEvent = std::function<void(QObject* Sender)>;

// A handler that calls object->method while object exists and does nothing once
// it has been destroyed:
//   HTTPGet->OnDoneFile = EventMethod(this, &TFormKlemvar::HTTPGetDoneFile);
template <class Object, class... Args>
auto EventMethod(Object* object, void (Object::*method)(Args...)) {
  return [target = QPointer<Object>(object), method](auto&&... args) {
    if (target) (target.data()->*method)(std::forward<decltype(args)>(args)...);
  };
}

}  // namespace klemvar
