#pragma once

// A status bar of fixed-width text panels; the last panel reaches the right edge.

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

 private:
  void PlacePanels();

  QList<QLabel*> panels_;
  int panelWidth_;
};

}  // namespace klemvar
