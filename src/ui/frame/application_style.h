#pragma once

// The desktop's own style, whose stock icons are made when first drawn. Qt's
// stock icons are picture files, and an icon made from a file asks every
// image-format plugin whether it can read it: the menu bar's overflow button,
// made with every menu bar and shown only when its menus do not fit, loaded
// them all (and Qt SVG with them) at every start.

#include <QProxyStyle>

namespace klemvar {

class TApplicationStyle : public QProxyStyle {
  Q_OBJECT
 public:
  // The style Qt would have chosen, by its name.
  explicit TApplicationStyle(const QString& desktopStyle);

  QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                     const QWidget* widget) const override;
};

}  // namespace klemvar
