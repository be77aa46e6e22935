// The menu bar and its handlers, with those of the update check it starts.

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "net/HTTPGet.h"
#include "ui/about/about.h"
#include "ui/frame/handler.h"
#include "ui/frame/services.h"
#include "ui/maker.h"
#include "ui/weckmich/update_check.h"
#include "ui/weckmich/weckmich.h"
#include "ui/widgets/picture_icon.h"

namespace klemvar {
namespace {

// The image list: five 16 x 16 pictures, addressed by their index.
QIcon ImageList1(int index) {
  static const char* const kPictures[] = {":/menu/beenden.png", ":/menu/email.png",
                                          ":/menu/page.png", ":/menu/globe.png", ":/menu/info.png"};
  return PictureIcon(QString::fromLatin1(kPictures[index]), 16);
}

QAction* AddEntry(QMenu* menu, const char* name, const char* caption, int picture) {
  QAction* action = menu->addAction(QString::fromUtf8(caption));
  action->setObjectName(QString::fromLatin1(name));
  if (picture >= 0) action->setIcon(ImageList1(picture));
  return action;
}

// The two rows of hyphens stand where separator lines would be: greyed text that
// cannot be chosen.
QAction* AddHyphenRow(QMenu* menu, const char* name) {
  QAction* row = AddEntry(menu, name, "--------------------", -1);
  row->setEnabled(false);
  return row;
}

// The action manager's look: an unused area and a highlight of light grey, a
// selected item in the button face.
void PaintLikeActionBar(QMenuBar* bar) {
  QPalette palette = bar->palette();
  palette.setColor(QPalette::Window, QColor(208, 208, 208));
  palette.setColor(QPalette::Highlight, palette.color(QPalette::Button));
  palette.setColor(QPalette::HighlightedText, palette.color(QPalette::ButtonText));
  bar->setPalette(palette);
  bar->setAutoFillBackground(true);
}

}  // namespace

void TFormKlemvar::CreateMenuBar() {
  ActionMainMenuBar1 = new QMenuBar(this);
  ActionMainMenuBar1->setObjectName(QStringLiteral("ActionMainMenuBar1"));
  ActionMainMenuBar1->setNativeMenuBar(false);
  ActionMainMenuBar1->setGeometry(0, 0, 197, 24);
  PaintLikeActionBar(ActionMainMenuBar1);

  QMenu* datei = ActionMainMenuBar1->addMenu(QStringLiteral("D&atei"));
  datei->setObjectName(QStringLiteral("MenuDatei"));
  datei->setFont(font());
  ActionBeenden = AddEntry(datei, "ActionBeenden", "&Beenden", 0);

  QMenu* hilfe = ActionMainMenuBar1->addMenu(QStringLiteral("&Hilfe"));
  hilfe->setObjectName(QStringLiteral("MenuHilfe"));
  hilfe->setFont(font());
  ActionHomepage = AddEntry(hilfe, "ActionHomepage", "&Homepage", 3);
  ActionSupport = AddEntry(hilfe, "ActionSupport", "&Support", 3);
  ActionEmail = AddEntry(hilfe, "ActionEmail", "&Email", 1);
  ActionSeperator2 = AddHyphenRow(hilfe, "ActionSeperator2");
  ActionUpdate = AddEntry(hilfe, "ActionUpdate", "Nach &Update suchen ...", 3);
  ActionSeperator = AddHyphenRow(hilfe, "ActionSeperator");
  ActionInfo = AddEntry(hilfe, "ActionInfo", "&Info", 4);

  connect(ActionBeenden, &QAction::triggered, this,
          Handler(this, &TFormKlemvar::ActionBeendenExecute));
  connect(ActionHomepage, &QAction::triggered, this,
          Handler(this, &TFormKlemvar::ActionHomepageExecute));
  connect(ActionSupport, &QAction::triggered, this,
          Handler(this, &TFormKlemvar::ActionSupportExecute));
  connect(ActionEmail, &QAction::triggered, this, Handler(this, &TFormKlemvar::ActionEmailExecute));
  connect(ActionUpdate, &QAction::triggered, this,
          Handler(this, &TFormKlemvar::ActionUpdateExecute));
  connect(ActionInfo, &QAction::triggered, this, Handler(this, &TFormKlemvar::ActionInfoExecute));
}

void TFormKlemvar::ActionBeendenExecute() { close(); }

void TFormKlemvar::ActionHomepageExecute() { OpenUrl(maker::HomepageAddress()); }

void TFormKlemvar::ActionSupportExecute() { OpenUrl(maker::SupportAddress()); }

void TFormKlemvar::ActionEmailExecute() { OpenUrl(maker::MailAddress()); }

void TFormKlemvar::CreateUpdateCheck() {
  UpdateCheck = new TUpdateCheck(this);
  // Raised from the worker's hand-over, inside Qt's event dispatch.
  UpdateCheck->HTTPGet->OnDoneFile = Guarded(EventMethod(this, &TFormKlemvar::HTTPGetDoneFile));
  UpdateCheck->HTTPGet->OnError = Guarded(EventMethod(this, &TFormKlemvar::HTTPGetError));
}

void TFormKlemvar::ActionUpdateExecute() { UpdateCheck->Start(); }

void TFormKlemvar::HTTPGetDoneFile(QObject*, const QString&, int) {
  // The download page is open: the program ends, whether the browser came up or not.
  if (UpdateCheck->FileFetched()) close();
}

void TFormKlemvar::HTTPGetError(QObject*) { UpdateCheck->Failed(); }

void TFormKlemvar::ActionInfoExecute() {
  // Owned by the application, not by this window: it closes on its own.
  AboutBox = new TAboutBox(nullptr);
  AboutBox->show();
}

}  // namespace klemvar
