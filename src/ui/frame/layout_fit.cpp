#include "ui/frame/layout_fit.h"

#include <QPushButton>
#include <QStyle>
#include <algorithm>

namespace klemvar {
namespace {

// The width a control may take before it reaches the parent's edge or a sibling
// to its right whose rows overlap its own.
int RoomRightOf(const QWidget* widget) {
  const QRect own = widget->geometry();
  int room = widget->parentWidget()->width() - own.left();
  for (const QObject* object : widget->parentWidget()->children()) {
    const auto* sibling = qobject_cast<const QWidget*>(object);
    if (!sibling || sibling == widget || sibling->isWindow()) continue;
    const QRect other = sibling->geometry();
    const bool sameRow = other.top() <= own.bottom() && other.bottom() >= own.top();
    if (sameRow && other.left() > own.left()) room = std::min(room, other.left() - own.left());
  }
  return room;
}

}  // namespace

// A push button's size hint has a minimum width of its own style; only the
// caption counts here. A dialog's buttons may be drawn as default buttons,
// whose frame is wider by the style's default indicator.
int CaptionWidth(const QWidget* widget) {
  const auto* button = qobject_cast<const QPushButton*>(widget);
  if (!button) return widget->sizeHint().width();
  int content = button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&'));
  if (!button->icon().isNull()) content += button->iconSize().width() + 4;
  const QStyle* style = button->style();
  int frame = style->pixelMetric(QStyle::PM_DefaultFrameWidth);
  if (button->autoDefault() || button->isDefault())
    frame += style->pixelMetric(QStyle::PM_ButtonDefaultIndicator);
  return content + style->pixelMetric(QStyle::PM_ButtonMargin) + 2 * frame;
}

void FitCaptions(const QList<QWidget*>& controls) {
  for (QWidget* widget : controls) {
    const int wanted = std::min(CaptionWidth(widget), RoomRightOf(widget));
    if (wanted > widget->width()) widget->resize(wanted, widget->height());
  }
}

}  // namespace klemvar
