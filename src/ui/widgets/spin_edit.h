#pragma once

// A numeric spin edit whose value lives in its text.
//
// - Reading parses the text as a decimal integer (optional sign, digits); any
//   other text reads as MinValue.
// - Writing clamps to MinValue..MaxValue first, then sets the decimal text.
// - changed() fires on every change of the text, typed or written by code, and
//   runs nested when a handler writes the field.
// - The up and down buttons and the Up and Down keys write value() +/- 1.
// - Typing accepts digits, "+", "-", the decimal separator and control keys
//   other than Enter; anything else beeps and is dropped. A typed number is not
//   clamped while the field has the focus.
// - On leaving the field for another control of the same window, exited()
//   fires first; then a value outside the range is written back clamped. Losing
//   the focus to a menu, a message box or another window is not leaving.

#include <QAbstractSpinBox>

namespace klemvar {

class TSpinEdit : public QAbstractSpinBox {
  Q_OBJECT
  Q_PROPERTY(int MinValue READ minValue)
  Q_PROPERTY(int MaxValue READ maxValue)
  Q_PROPERTY(int Value READ value WRITE setValue)
  // Lower-case names are what assistive technology reads and steps through.
  Q_PROPERTY(int value READ value WRITE setValue)
  Q_PROPERTY(int minimum READ minValue)
  Q_PROPERTY(int maximum READ maxValue)

 public:
  explicit TSpinEdit(int minValue, int maxValue, QWidget* parent = nullptr);

  int minValue() const { return minValue_; }
  int maxValue() const { return maxValue_; }
  int value() const;
  void setValue(int value);
  QString text() const;

  void stepBy(int steps) override;
  QValidator::State validate(QString& input, int& pos) const override;

 signals:
  void changed();
  void exited();

 protected:
  StepEnabled stepEnabled() const override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  bool AcceptsTyped(const QString& typed) const;
  bool Leaves(const QFocusEvent* event) const;

  int minValue_;
  int maxValue_;
};

}  // namespace klemvar
