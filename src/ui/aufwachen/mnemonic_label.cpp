#include "ui/aufwachen/mnemonic_label.h"

#include <QPainter>

namespace klemvar {

namespace {

constexpr int kTextFlags =
    Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic;
constexpr int kUnboundedHeight = 1 << 20;

}  // namespace

QString MnemonicDisplayText(const QString& caption) {
  QString shown;
  shown.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == u'&') {
      if (++i == caption.size()) break;
    }
    shown += caption[i];
  }
  return shown;
}

MnemonicLabel::MnemonicLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setWordWrap(true);
}

void MnemonicLabel::SetCaption(const QString& caption) {
  setText(caption);
  setAccessibleName(MnemonicDisplayText(caption));
  resize(width(), heightForWidth(width()));
  update();
}

int MnemonicLabel::heightForWidth(int width) const {
  // An empty caption still measures one line, so the label never collapses.
  const QString measured = MnemonicDisplayText(text()).isEmpty() ? QStringLiteral(" ") : text();
  return fontMetrics()
      .boundingRect(QRect(0, 0, width, kUnboundedHeight), kTextFlags, measured)
      .height();
}

QSize MnemonicLabel::sizeHint() const { return {width(), heightForWidth(width())}; }

void MnemonicLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(rect(), kTextFlags, text());
}

}  // namespace klemvar
