#include "ui/widgets/picture_icon.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyleOption>
#include <vector>

#include "ui/widgets/read_picture.h"

namespace klemvar {
namespace {

struct Picture {
  QString path;
  int side = 0;
  QIcon::Mode mode = QIcon::Normal;
  QPixmap pixmap;  // null until first drawn
};

class PictureIconEngine final : public QIconEngine {
 public:
  explicit PictureIconEngine(std::vector<Picture> pictures) : pictures_(std::move(pictures)) {}

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
    const int wanted = std::min(size.width(), size.height());
    Picture* own = BestMatch(wanted, mode);
    Picture* picture = own ? own : BestMatch(wanted, QIcon::Normal);
    if (!picture) return {};
    if (picture->pixmap.isNull())
      picture->pixmap = QPixmap::fromImage(ReadPicture(picture->path, "png"));
    QPixmap result = picture->pixmap;
    if (result.width() > wanted && wanted > 0)
      result = result.scaled(wanted, wanted, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (own || mode == QIcon::Normal || result.isNull()) return result;
    QStyleOption option;
    option.palette = QApplication::palette();
    return QApplication::style()->generatedIconPixmap(mode, result, &option);
  }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal scale = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const QPixmap picture = pixmap(rect.size() * scale, mode, state);
    QRect target(QPoint(), picture.size() / scale);
    target.moveCenter(rect.center());
    painter->drawPixmap(target, picture);
  }

  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State) override {
    const int wanted = std::min(size.width(), size.height());
    const Picture* picture = BestMatch(wanted, QIcon::Normal);
    if (mode != QIcon::Normal && BestMatch(wanted, mode)) picture = BestMatch(wanted, mode);
    const int side = picture ? std::min(picture->side, wanted) : 0;
    return {side, side};
  }

  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State) override {
    QList<QSize> sizes;
    for (const Picture& picture : pictures_) {
      if (picture.mode == mode) sizes.append(QSize(picture.side, picture.side));
    }
    return sizes;
  }

  QIconEngine* clone() const override { return new PictureIconEngine(*this); }
  QString key() const override { return QStringLiteral("KlemvarPicture"); }
  bool isNull() override { return pictures_.empty(); }

 private:
  // The smallest picture of the mode at least as large as wanted, or else its largest.
  Picture* BestMatch(int wanted, QIcon::Mode mode) {
    Picture* larger = nullptr;
    Picture* largest = nullptr;
    for (Picture& picture : pictures_) {
      if (picture.mode != mode) continue;
      if (picture.side >= wanted && (!larger || picture.side < larger->side)) larger = &picture;
      if (!largest || picture.side > largest->side) largest = &picture;
    }
    return larger ? larger : largest;
  }

  std::vector<Picture> pictures_;
};

QString DoubleSize(const QString& path) {
  QString doubled = path;
  return doubled.insert(path.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
}

}  // namespace

QIcon PictureIcon(const QString& path, int side, const QString& disabledPath) {
  std::vector<Picture> pictures = {{path, side, QIcon::Normal, {}},
                                   {DoubleSize(path), 2 * side, QIcon::Normal, {}}};
  if (!disabledPath.isEmpty()) {
    pictures.push_back({disabledPath, side, QIcon::Disabled, {}});
    pictures.push_back({DoubleSize(disabledPath), 2 * side, QIcon::Disabled, {}});
  }
  return QIcon(new PictureIconEngine(std::move(pictures)));
}

QIcon PictureIconSizes(const QString& pattern, const QList<int>& sides) {
  std::vector<Picture> pictures;
  for (int side : sides) pictures.push_back({pattern.arg(side), side, QIcon::Normal, {}});
  return QIcon(new PictureIconEngine(std::move(pictures)));
}

}  // namespace klemvar
