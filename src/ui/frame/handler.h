#pragma once

// The boundary between Qt and the program's event handlers. Handlers raise
// errors (EConvertError and friends); Qt's signal delivery, timers and event
// dispatch are not built to be unwound through. So every handler is entered
// through RunHandler, which stops the error right there, shows it in the
// frame's error box and lets the program go on with the next event.
//
//   connect(button, &QPushButton::clicked, this, Handler(this, &TForm::ButtonClick));

#include <concepts>
#include <exception>
#include <type_traits>
#include <utility>

#include "ui/frame/error_report.h"

namespace klemvar {

// Runs body; an error escaping it abandons it and is reported, never rethrown.
template <class Body>
void RunHandler(Body&& body) {
  try {
    std::forward<Body>(body)();
  } catch (...) {
    ReportException(std::current_exception());
  }
}

// A callable with the same parameters that runs callable through RunHandler.
// It takes only what callable takes, so Qt drops surplus signal arguments.
// The constraint sits in the return type rather than in a requires clause,
// which the clang-format releases we check with lay out each their own way.
template <class Callable>
auto Guarded(Callable callable) {
  return [callable = std::move(callable)]<class... Args>(
             Args&&... args) -> std::enable_if_t<std::invocable<const Callable&, Args...>> {
    RunHandler([&] { callable(std::forward<Args>(args)...); });
  };
}

// A slot for connect() that runs object->method through RunHandler. The slot
// takes exactly the method's parameters, so Qt drops surplus signal arguments
// (QAction::triggered's "checked") as it does for the method itself.
template <class Object, class... Args>
auto Handler(Object* object, void (Object::*method)(Args...)) {
  return [object, method](Args... args) {
    RunHandler([&] { (object->*method)(std::forward<Args>(args)...); });
  };
}

}  // namespace klemvar
