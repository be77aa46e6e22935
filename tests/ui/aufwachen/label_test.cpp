// The alarm text: font, ampersands, wrapping and the label's height.

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QTest>

#include "alarm_window_fixture.h"
#include "support/fake_clock.h"
#include "ui/aufwachen/mnemonic_label.h"

using namespace klemvar;
using namespace klemvar::testing;

namespace {

constexpr int kPlainFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;

// What the label would show for text drawn with no accelerator handling at all.
QImage PlainRendering(const QLabel& label, const QString& text) {
  QImage image(label.size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(label.palette().color(QPalette::Window));
  QPainter painter(&image);
  painter.setFont(label.font());
  painter.setPen(label.palette().color(QPalette::WindowText));
  painter.drawText(image.rect(), kPlainFlags, text);
  return image;
}

QImage Rendering(QLabel& label) {
  return label.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// The rows and columns where two renderings differ.
QRect Difference(const QImage& a, const QImage& b) {
  QRect where;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (a.pixel(x, y) != b.pixel(x, y)) where |= QRect(x, y, 1, 1);
    }
  }
  return where;
}

// The rows that hold anything but the background.
QRect Ink(const QImage& image, QColor background) {
  QImage blank(image.size(), image.format());
  blank.fill(background);
  return Difference(image, blank);
}

}  // namespace

class LabelTest : public QObject {
  Q_OBJECT

 private:
  FakeClock clock_;
  RecordingSound sound_;
  QPointer<TFormWeckdienst> window_;

  QLabel& OpenWithText(const std::string& text) {
    window_ = OpenAlarmWindow(text);
    return *window_->findChild<QLabel*>("LabelAlarmTxt");
  }

 private slots:
  void init() {
    ResetAlarmState(clock_);
    clock_.Set(2024, 3, 14, 7, 30, 0);
  }
  void cleanup() { delete window_.data(); }

  void fontIsArialBold27PixelsThroughLiberationSans() {
    const QLabel& label = OpenWithText("x");
    const QFontInfo info(label.font());
    QCOMPARE(info.family(), QString("Liberation Sans"));
    QVERIFY(info.bold());
    QCOMPARE(info.pixelSize(), 27);
    QCOMPARE(label.font().family(), QString("Arial"));
  }

  void showsTheAlarmTextAsIs() {
    QLabel& label = OpenWithText("Aufstehen, Lümmel! <b>");
    QCOMPARE(label.text(), QString("Aufstehen, Lümmel! <b>"));
    QCOMPARE(Rendering(label), PlainRendering(label, "Aufstehen, Lümmel! <b>"));
  }

  void displayTextDropsAcceleratorMarks() {
    QCOMPARE(MnemonicDisplayText("&OK"), QString("OK"));
    QCOMPARE(MnemonicDisplayText("Tom && Jerry"), QString("Tom & Jerry"));
    QCOMPARE(MnemonicDisplayText("&&&x"), QString("&x"));
    QCOMPARE(MnemonicDisplayText("a&"), QString("a"));
    QCOMPARE(MnemonicDisplayText(""), QString(""));
  }

  void doubledAmpersandShowsOne() {
    QLabel& label = OpenWithText("Tom && Jerry");
    QCOMPARE(Rendering(label), PlainRendering(label, "Tom & Jerry"));
    QCOMPARE(label.accessibleName(), QString("Tom & Jerry"));
  }

  void singleAmpersandUnderlinesTheNextCharacter() {
    QLabel& label = OpenWithText("&Hund");
    const QFontMetrics metrics(label.font());
    const QColor background = label.palette().color(QPalette::Window);
    const QImage shown = Rendering(label);
    const QImage plain = PlainRendering(label, "Hund");
    const QRect aboveBaseline(0, 0, label.width(), metrics.ascent());
    const QRect belowBaseline(0, metrics.ascent() + 1, label.width(), metrics.descent());
    // The "&" takes no room: the letters cover the same columns as the plain word.
    const QRect letters = Ink(shown.copy(aboveBaseline), background);
    const QRect plainLetters = Ink(plain.copy(aboveBaseline), background);
    QVERIFY(qAbs(letters.left() - plainLetters.left()) <= 1);
    QVERIFY(qAbs(letters.right() - plainLetters.right()) <= 1);
    // Below the baseline (the word has no descenders) lies the underline, under "H" only.
    QVERIFY(Ink(plain.copy(belowBaseline), background).isEmpty());
    const QRect underline = Ink(shown.copy(belowBaseline), background);
    QVERIFY(!underline.isEmpty());
    QVERIFY(underline.left() >= letters.left() - 1);
    QVERIFY(underline.right() <= letters.left() + metrics.horizontalAdvance("H"));
    QVERIFY(underline.width() >= metrics.horizontalAdvance("H") / 2);
  }

  void emptyTextLeavesTheLabelBlankAtOneLine() {
    QLabel& label = OpenWithText("");
    QCOMPARE(label.text(), QString());
    QVERIFY(Ink(Rendering(label), label.palette().color(QPalette::Window)).isEmpty());
    const QFontMetrics metrics(label.font());
    QVERIFY(label.height() >= metrics.height() && label.height() < 2 * metrics.height());
  }

  void longestTextWrapsInsideTheLabel() {
    QLabel& label = OpenWithText("Zeit zum Aufstehen, es ist so weit");  // 34 characters
    const QFontMetrics metrics(label.font());
    QCOMPARE(label.width(), 145);
    QVERIFY(label.height() >= 2 * metrics.height());
    const QRect ink = Ink(Rendering(label), label.palette().color(QPalette::Window));
    QVERIFY(ink.bottom() > metrics.height());  // a second line is drawn
    QVERIFY(ink.left() > 0 && ink.right() < 144);
    QCOMPARE(window_->size(), QSize(313, 214));
    QCOMPARE(label.pos(), QPoint(152, 24));
  }
};

QTEST_MAIN(LabelTest)
#include "label_test.moc"
