// Icons from the embedded pictures: each picture is decoded when first drawn,
// and every mode and size draws the picture made for it.

#include <QFile>
#include <QImage>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

#include "support/klemvar_test_main.h"
#include "ui/frame/application_icon.h"
#include "ui/widgets/picture_icon.h"
#include "ui/widgets/read_picture.h"

using namespace klemvar;

namespace {

// Premultiplied, as a pixmap holds it: a clear pixel is clear whatever its colour.
QImage Drawn(const QIcon& icon, int side, QIcon::Mode mode = QIcon::Normal) {
  return icon.pixmap(QSize(side, side), 1.0, mode)
      .toImage()
      .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// The picture's pixels; an @2x file would otherwise read as twice as dense.
// Read as the program reads it, so that no image-format plugin is loaded here.
QImage Picture(const QString& path) {
  QImage picture = ReadPicture(path, "png").convertToFormat(QImage::Format_ARGB32_Premultiplied);
  picture.setDevicePixelRatio(1.0);
  return picture;
}

}  // namespace

class PictureIconTest : public QObject {
  Q_OBJECT

 private slots:
  // First: a plugin, once loaded, stays mapped for the process's life. Qt's
  // own stock icons count too: every menu bar makes one.
  void picturesAndMenuBarLoadNoImageFormatPlugin() {
    const QMenuBar menuBar;
    Drawn(ApplicationIcon(), 32);
    Drawn(PictureIcon(QStringLiteral(":/buttons/cross.png"), 16), 16);
    QVERIFY(!ReadPicture(QStringLiteral(":/pictures/weckdienst.bmp"), "bmp").isNull());
    QFile maps(QStringLiteral("/proc/self/maps"));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    QVERIFY2(!maps.readAll().contains("/imageformats/"), "an image-format plugin was loaded");
  }

  // An icon made before its picture exists draws the picture all the same.
  void decodesThePictureWhenFirstDrawn() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("late.png"));
    const QIcon icon = PictureIcon(path, 16);
    QImage late(16, 16, QImage::Format_ARGB32_Premultiplied);
    late.fill(Qt::red);
    QVERIFY(late.save(path));
    QCOMPARE(Drawn(icon, 16), late);
  }

  void disabledButtonDrawsItsOwnPicture() {
    const QIcon tick = PictureIcon(QStringLiteral(":/buttons/tick.png"), 18,
                                   QStringLiteral(":/buttons/tick-disabled.png"));
    QCOMPARE(Drawn(tick, 18), Picture(QStringLiteral(":/buttons/tick.png")));
    QCOMPARE(Drawn(tick, 18, QIcon::Disabled),
             Picture(QStringLiteral(":/buttons/tick-disabled.png")));
    QCOMPARE(Drawn(tick, 36), Picture(QStringLiteral(":/buttons/tick@2x.png")));
  }

  // Each size draws its own rendering; sizes in between are the next larger one
  // scaled down, and nothing is scaled up.
  void applicationIconDrawsTheRenderingForTheSize() {
    const QIcon icon = ApplicationIcon();
    QCOMPARE(Drawn(icon, 32), Picture(QStringLiteral(":/icons/klemvar-32.png")));
    QCOMPARE(Drawn(icon, 22), Picture(QStringLiteral(":/icons/klemvar-22.png")));
    QCOMPARE(Drawn(icon, 20).size(), QSize(20, 20));
    QCOMPARE(Drawn(icon, 100), Picture(QStringLiteral(":/icons/klemvar-64.png")));
  }
};

KLEMVAR_TEST_MAIN(PictureIconTest)
#include "picture_icon_test.moc"
