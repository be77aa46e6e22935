#include "ui/widgets/status_bar.h"

#include <QLabel>
#include <algorithm>

namespace klemvar {

TStatusBar::TStatusBar(int panelCount, int panelWidth, QWidget* parent)
    : QStatusBar(parent), panelWidth_(panelWidth), widths_(panelCount, panelWidth) {
  setSizeGripEnabled(false);
  for (int i = 0; i < panelCount; ++i) {
    // Plain children, placed by hand: QStatusBar's own layout would add
    // margins and spacing and so change the panels' widths.
    auto* panel = new QLabel(this);
    panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setTextFormat(Qt::PlainText);
    panel->setIndent(1);
    panels_.append(panel);
    texts_.append(QString());
  }
  PlacePanels();
}

// A label re-measures its text and has its layout redone at every new text, which
// costs far more than the once-a-second clock itself while nobody can see it.
void TStatusBar::SetPanelText(int index, const QString& text) {
  texts_[index] = text;
  if (isVisible()) panels_.at(index)->setText(text);
}

QString TStatusBar::PanelText(int index) const { return texts_.at(index); }

void TStatusBar::showEvent(QShowEvent* event) {
  ShowTexts();
  QStatusBar::showEvent(event);
}

void TStatusBar::ShowTexts() {
  for (int i = 0; i < panels_.size(); ++i) {
    if (panels_[i]->text() != texts_[i]) panels_[i]->setText(texts_[i]);
  }
}

void TStatusBar::resizeEvent(QResizeEvent* event) {
  QStatusBar::resizeEvent(event);
  PlacePanels();
}

int TStatusBar::FitPanels(const QStringList& longest) {
  int left = 0;
  for (int i = 0; i < panels_.size(); ++i) {
    const QLabel* panel = panels_.at(i);
    // The text stands inside the frame, after the indent; its width is rounded
    // up, as the label rounds it when it lays the text out.
    const int needed = panel->fontMetrics().size(0, longest.value(i)).width() +
                       2 * (panel->frameWidth() + panel->margin()) + std::max(panel->indent(), 0);
    if (i == panels_.size() - 1) {
      PlacePanels();
      return left + needed;
    }
    widths_[i] = std::max(panelWidth_, needed);
    left += widths_[i];
  }
  PlacePanels();
  return left;
}

void TStatusBar::PlacePanels() {
  int left = 0;
  for (int i = 0; i < panels_.size(); ++i) {
    const bool last = i == panels_.size() - 1;
    panels_[i]->setGeometry(left, 0, last ? width() - left : widths_[i], height());
    left += widths_[i];
  }
}

}  // namespace klemvar
