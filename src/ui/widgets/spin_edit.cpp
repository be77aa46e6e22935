#include "ui/widgets/spin_edit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <optional>

#include "core/integer_text.h"

namespace klemvar {
namespace {

// The field's text as a decimal integer (see ParseInt32); text in any other
// script is not ASCII and so never reads as one.
std::optional<int> ParseInteger(const QString& text) { return ParseInt32(text.toStdString()); }

}  // namespace

TSpinEdit::TSpinEdit(int minValue, int maxValue, QWidget* parent)
    : QAbstractSpinBox(parent), minValue_(minValue), maxValue_(maxValue) {
  setButtonSymbols(QAbstractSpinBox::UpDownArrows);
  setAccelerated(false);
  lineEdit()->setText(QStringLiteral("0"));
  connect(lineEdit(), &QLineEdit::textChanged, this, &TSpinEdit::changed);
}

int TSpinEdit::value() const { return ParseInteger(text()).value_or(minValue_); }

void TSpinEdit::setValue(int value) {
  lineEdit()->setText(QString::number(std::clamp(value, minValue_, maxValue_)));
}

QString TSpinEdit::text() const { return lineEdit()->text(); }

void TSpinEdit::stepBy(int steps) {
  if (isReadOnly()) {
    QApplication::beep();
    return;
  }
  setValue(value() + steps);
}

// Every text is allowed to stand; the value rules, not a validator, decide
// what it means. Intermediate keeps the base class from interpreting it.
QValidator::State TSpinEdit::validate(QString&, int&) const { return QValidator::Intermediate; }

QAbstractSpinBox::StepEnabled TSpinEdit::stepEnabled() const {
  return StepUpEnabled | StepDownEnabled;
}

// Only typed characters are filtered. Editing keys carry no text (the arrows,
// Home, End) or a control character (Backspace, the clipboard shortcuts, and
// Delete, whose text is DEL, 127): they keep working as in any text field.
bool TSpinEdit::AcceptsTyped(const QString& typed) const {
  const QString decimal = locale().decimalPoint();
  for (QChar c : typed) {
    const bool control =
        c.category() == QChar::Other_Control && c != QLatin1Char('\r') && c != QLatin1Char('\n');
    const bool number = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('+') ||
                        c == QLatin1Char('-') || decimal.contains(c);
    if (!control && !number) return false;
  }
  return true;
}

void TSpinEdit::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
    event->ignore();
    return;
  }
  const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
  if (enter || !AcceptsTyped(event->text())) {
    QApplication::beep();
    event->accept();
    return;
  }
  QAbstractSpinBox::keyPressEvent(event);
}

// Leaving is the focus moving on to another control of this window: Tab,
// Shift+Tab, a click or a mnemonic. A menu, a message box or another window
// takes the focus only for a while and gives it back to the field as it was,
// so the user can go on correcting what they typed.
bool TSpinEdit::Leaves(const QFocusEvent* event) const {
  switch (event->reason()) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
      return false;
    default:
      break;
  }
  // While the focus-out event is delivered, the application already names the
  // control that takes the focus.
  const QWidget* next = QApplication::focusWidget();
  return next && next != this && next->window() == window();
}

void TSpinEdit::focusOutEvent(QFocusEvent* event) {
  QAbstractSpinBox::focusOutEvent(event);
  if (!Leaves(event)) return;
  emit exited();
  const int current = value();
  if (current < minValue_ || current > maxValue_) setValue(current);
}

// The wheel does not step: a field scrolled past by accident keeps its value.
void TSpinEdit::wheelEvent(QWheelEvent* event) { event->ignore(); }

}  // namespace klemvar
