#pragma once

// The About window: product name, version, the maker's notice, the logo and
// links to the maker's homepage, support forum and mail address.
//
// Every Info request creates a new one without a parent and shows it without
// waiting; closing it frees it. Several may be open at once, stacked exactly
// at the centre of the screen.

#include "ui/frame/centred_dialog.h"

class QFrame;
class QLabel;
class QPushButton;

namespace klemvar {

class ClickLabel;

class TAboutBox : public TCentredDialog {
  Q_OBJECT
 public:
  explicit TAboutBox(QWidget* parent = nullptr);

 public slots:
  void URLClick();
  void SupportLinkClick();
  void MailadrClick();
  void BitBtnOKClick();

 private:
  void SetUpWindow();
  void BuildPanel();
  void BuildButton();
  void FitPanel();
  QLabel* AddLabel(const char* name, const QString& text, int left, int top);
  ClickLabel* AddLink(const char* name, const QString& text, int left, int top);

  QFrame* Panel1 = nullptr;
  ClickLabel* ProgrammIcon = nullptr;
  ClickLabel* URL = nullptr;
  ClickLabel* SupportLink = nullptr;
  ClickLabel* Mailadr = nullptr;
  QPushButton* BitBtnOK = nullptr;
};

}  // namespace klemvar
