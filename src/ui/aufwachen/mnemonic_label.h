#pragma once

// A label that draws its caption as Windows labels do: a single "&" is hidden and
// underlines the character after it, "&&" shows one "&". Word wrap is on, the
// text is centred, and the height follows the text at the label's width.

#include <QLabel>

namespace klemvar {

// The caption as the user reads it: accelerator marks removed, "&&" as "&".
QString MnemonicDisplayText(const QString& caption);

class MnemonicLabel : public QLabel {
  Q_OBJECT
 public:
  explicit MnemonicLabel(QWidget* parent = nullptr);

  // Sets the caption and grows or shrinks the height to fit it; left, top and
  // width stay.
  void SetCaption(const QString& caption);

  int heightForWidth(int width) const override;
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace klemvar
