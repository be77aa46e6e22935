#pragma once

// A status bar of text panels, each as wide as it was drawn or as its longest
// text needs; the last panel reaches the right edge.
// While the bar is hidden its panels keep their texts without drawing them: a
// text set then reaches its panel when the bar is shown, before it is painted.

#include <QList>
#include <QStatusBar>

class QLabel;

namespace klemvar {

class TStatusBar : public QStatusBar {
  Q_OBJECT
 public:
  TStatusBar(int panelCount, int panelWidth, QWidget* parent = nullptr);

  void SetPanelText(int index, const QString& text);
  QString PanelText(int index) const;
  QLabel* Panel(int index) const { return panels_.at(index); }

  // Gives each panel but the last its drawn width, or more where its longest
  // text needs more, moving the panels after it to the right. Returns the least
  // width of the bar at which the last panel holds its longest text too.
  int FitPanels(const QStringList& longest);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void PlacePanels();
  void ShowTexts();

  QList<QLabel*> panels_;
  QStringList texts_;
  int panelWidth_;  // as drawn
  QList<int> widths_;
};

}  // namespace klemvar
