#pragma once

// Scripted answers for message boxes: records every box shown and answers from
// a queue (IDOK for an OK box, IDNO for a Yes/No box once the queue is empty).

#include <deque>
#include <functional>
#include <vector>

#include "support/installed_double.h"
#include "ui/frame/services.h"

namespace klemvar::testing {

struct ShownBox {
  QString text;
  QString caption;
  unsigned flags = 0;
};

class ScriptedMessageBox final : public MessageBoxService {
 public:
  void Answer(int result) { answers_.push_back(result); }

  // Runs while the box would be open, as a modal loop would let timers run.
  std::function<void(const ShownBox&)> whileOpen;

  const std::vector<ShownBox>& shown() const { return shown_; }

  int Show(const QString& text, const QString& caption, unsigned flags) override {
    shown_.push_back({text, caption, flags});
    if (whileOpen) whileOpen(shown_.back());
    if (!answers_.empty()) {
      const int result = answers_.front();
      answers_.pop_front();
      return result;
    }
    return (flags & mb::kButtonsMask) == mb::kYesNo ? mb::kIdNo : mb::kIdOk;
  }

 private:
  std::vector<ShownBox> shown_;
  std::deque<int> answers_;
  InstalledDouble<&SetMessageBoxService> installed_{this};
};

}  // namespace klemvar::testing
