#include "ui/frame/application_style.h"

#include <QIconEngine>
#include <QPointer>
#include <QWidget>
#include <optional>

namespace klemvar {
namespace {

// Asks the style for its stock icon at the first question that needs the
// pictures themselves. The icon is made without the style option, which
// a caller only lends for the call.
class DeferredStockIcon final : public QIconEngine {
 public:
  // Qt's guarded pointers take no const object; neither is changed through them.
  DeferredStockIcon(const QStyle* style, QStyle::StandardPixmap which, const QWidget* widget)
      : style_(const_cast<QStyle*>(style)), which_(which), widget_(const_cast<QWidget*>(widget)) {}

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Icon().pixmap(size, mode, state);
  }
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                       qreal scale) override {
    return Icon().pixmap(size, scale, mode, state);
  }
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Icon().actualSize(size, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    return Icon().availableSizes(mode, state);
  }
  bool isNull() override { return Icon().isNull(); }
  QString iconName() override { return Icon().name(); }
  QIconEngine* clone() const override { return new DeferredStockIcon(*this); }
  QString key() const override { return QStringLiteral("KlemvarDeferredStockIcon"); }

 private:
  const QIcon& Icon() {
    if (!icon_) icon_ = style_ ? style_->standardIcon(which_, nullptr, widget_) : QIcon();
    return *icon_;
  }

  QPointer<QStyle> style_;
  QStyle::StandardPixmap which_;
  QPointer<QWidget> widget_;
  std::optional<QIcon> icon_;
};

}  // namespace

TApplicationStyle::TApplicationStyle(const QString& desktopStyle) : QProxyStyle(desktopStyle) {}

QIcon TApplicationStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                                      const QWidget* widget) const {
  // With an option the icon may depend on it, so it is made at once.
  if (option) return QProxyStyle::standardIcon(standardIcon, option, widget);
  return QIcon(new DeferredStockIcon(baseStyle(), standardIcon, widget));
}

}  // namespace klemvar
