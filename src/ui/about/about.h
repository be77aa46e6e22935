#pragma once

// The About window.

#include <QDialog>

namespace klemvar {

class TAboutBox : public QDialog {
  Q_OBJECT
 public:
  explicit TAboutBox(QWidget* parent = nullptr);
};

}  // namespace klemvar
