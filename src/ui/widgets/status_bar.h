#pragma once

// A status bar of fixed-width text panels; the last panel reaches the right edge.
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

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void PlacePanels();
  void ShowTexts();

  QList<QLabel*> panels_;
  QStringList texts_;
  int panelWidth_;
};

}  // namespace klemvar
