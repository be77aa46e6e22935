#include <QMessageBox>

#include "platform/messagebox/message_box.h"

namespace klemvar {
namespace {

QMessageBox::Icon IconOf(unsigned flags) {
  switch (flags & mb::kIconMask) {
    case mb::kIconError:
      return QMessageBox::Critical;
    case mb::kIconQuestion:
      return QMessageBox::Question;
    case mb::kIconWarning:
      return QMessageBox::Warning;
    case mb::kIconInformation:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

bool HasYesNo(unsigned flags) { return (flags & mb::kButtonsMask) == mb::kYesNo; }

// The callers' texts break lines the Windows way; a plain-text box shows "\n" as a break.
QString WithLineBreaks(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

class QtBoxes final : public MessageBoxService {
 public:
  int Show(const QString& text, const QString& caption, unsigned flags) override {
    const bool yesNo = HasYesNo(flags);
    QMessageBox box(IconOf(flags), caption, WithLineBreaks(text),
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok);
    // Plain text, so a "<" in a message can never turn it into markup.
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.setObjectName(QStringLiteral("MessageBox"));
    const int chosen = box.exec();
    if (!yesNo) return mb::kIdOk;
    return chosen == QMessageBox::Yes ? mb::kIdYes : mb::kIdNo;
  }
};

}  // namespace

MessageBoxService& QtMessageBoxService() {
  static QtBoxes boxes;
  return boxes;
}

}  // namespace klemvar
