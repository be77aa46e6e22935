#include "ui/about/about.h"

#include <QFrame>
#include <QPixmap>
#include <QPushButton>
#include <algorithm>

#include "ui/about/click_label.h"
#include "ui/about/logo.h"
#include "ui/frame/handler.h"
#include "ui/frame/layout_fit.h"
#include "ui/frame/layout_font.h"
#include "ui/frame/services.h"
#include "ui/maker.h"
#include "ui/version.h"
#include "ui/widgets/picture_icon.h"

namespace klemvar {
namespace {

constexpr QSize kClientSize(298, 223);
constexpr QRect kPanelGeometry(8, 8, 281, 177);
constexpr QRect kLogoGeometry(16, 16, 121, 37);
constexpr QRect kOkGeometry(111, 192, 75, 25);
constexpr QColor kLinkColour(0, 0, 128);
// The least room between a caption and its address.
constexpr int kCaptionGap = 6;

// The window's font: the layout's face, at the 11 pixels it was drawn in.
QFont DialogFont() {
  QFont font = LayoutFont();
  font.setPixelSize(11);
  return font;
}

void SetTextColour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, colour);
  widget->setPalette(palette);
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent) : TCentredDialog(parent) {
  SetUpWindow();
  BuildPanel();
  BuildButton();
  FitPanel();
}

void TAboutBox::SetUpWindow() {
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(QStringLiteral("About"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
  setFixedSize(kClientSize);
  setFont(DialogFont());
  // Each request makes a fresh window, so a closed one is of no further use;
  // and closing it must never end the program, even when it is the only
  // window on screen while the main window sits in the tray.
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_QuitOnClose, false);
}

void TAboutBox::BuildPanel() {
  // Box + Sunken draws a lowered outer and a raised inner bevel, one pixel
  // each; the frame does not fill, so the window's face colour shows through.
  Panel1 = new QFrame(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
  Panel1->setLineWidth(1);
  Panel1->setMidLineWidth(0);
  Panel1->setGeometry(kPanelGeometry);

  ProgrammIcon = new ClickLabel(Panel1);
  ProgrammIcon->setObjectName(QStringLiteral("ProgrammIcon"));
  ProgrammIcon->setGeometry(kLogoGeometry);
  ProgrammIcon->setScaledContents(true);
  ProgrammIcon->setPixmap(QPixmap::fromImage(AboutLogo()));
  ProgrammIcon->setCursor(Qt::PointingHandCursor);
  connect(ProgrammIcon, &ClickLabel::clicked, this, Handler(this, &TAboutBox::URLClick));

  AddLabel("ProductName", QStringLiteral("Klemvar"), 160, 16);
  AddLabel("Version", QStringLiteral("Version ") + QLatin1String(ProgramVersionText), 160, 40);
  AddLabel("Copyright", QStringLiteral("Copyright © Quorbel Software"), 8, 80);

  AddLabel("Homepage", QStringLiteral("Homepage:"), 8, 104);
  URL = AddLink("URL", maker::HomepageAddress(), 72, 104);
  SetTextColour(URL, kLinkColour);
  connect(URL, &ClickLabel::clicked, this, Handler(this, &TAboutBox::URLClick));

  AddLabel("LabelSupport", QStringLiteral("Support:"), 8, 128);
  SupportLink = AddLink("SupportLink", maker::SupportAddress(), 72, 128);
  SetTextColour(SupportLink, kLinkColour);
  connect(SupportLink, &ClickLabel::clicked, this, Handler(this, &TAboutBox::SupportLinkClick));

  AddLabel("Email", QStringLiteral("Email: "), 8, 152);
  Mailadr = AddLink("Mailadr", maker::Mail(), 72, 152);
  // A role rather than a fixed colour, so it follows the desktop's palette.
  Mailadr->setForegroundRole(QPalette::Highlight);
  connect(Mailadr, &ClickLabel::clicked, this, Handler(this, &TAboutBox::MailadrClick));
}

void TAboutBox::BuildButton() {
  BitBtnOK = new QPushButton(PictureIcon(QStringLiteral(":/buttons/tick.png"), 18),
                             QStringLiteral("OK"), this);
  BitBtnOK->setObjectName(QStringLiteral("BitBtnOK"));
  BitBtnOK->setGeometry(kOkGeometry);
  BitBtnOK->setIconSize(QSize(18, 18));  // the check mark's own size, unscaled
  BitBtnOK->setDefault(true);
  FitCaptions({BitBtnOK});
  connect(BitBtnOK, &QPushButton::clicked, this, Handler(this, &TAboutBox::BitBtnOKClick));
}

// The labels follow their texts. Where the face makes a caption reach the
// column of the addresses, the column moves right to keep a gap after the
// widest caption; where an address then reaches past the panel's frame, the
// panel and the window widen by as much. Everything else keeps its place.
void TAboutBox::FitPanel() {
  int captions = 0;
  for (const char* name : {"Homepage", "LabelSupport", "Email"})
    captions =
        std::max(captions, Panel1->findChild<QLabel*>(QLatin1String(name))->geometry().right());
  const int column = std::max(URL->x(), captions + 1 + kCaptionGap);
  for (ClickLabel* link : {URL, SupportLink, Mailadr}) link->move(column, link->y());
  int right = 0;
  for (const QWidget* child : Panel1->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    right = std::max(right, child->geometry().right() + 1);
  const int overflow = right + Panel1->frameWidth() - Panel1->width();
  if (overflow <= 0) return;
  Panel1->resize(Panel1->width() + overflow, Panel1->height());
  setFixedSize(kClientSize.width() + overflow, kClientSize.height());
}

QLabel* TAboutBox::AddLabel(const char* name, const QString& text, int left, int top) {
  auto* label = new QLabel(text, Panel1);
  label->setObjectName(QString::fromLatin1(name));
  label->move(left, top);
  label->adjustSize();
  return label;
}

ClickLabel* TAboutBox::AddLink(const char* name, const QString& text, int left, int top) {
  auto* link = new ClickLabel(Panel1);
  link->setObjectName(QString::fromLatin1(name));
  link->setText(text);
  // Only underline is set, so family and size still come from the window.
  QFont underlined;
  underlined.setUnderline(true);
  link->setFont(underlined);
  link->setCursor(Qt::PointingHandCursor);
  link->move(left, top);
  link->adjustSize();
  return link;
}

void TAboutBox::URLClick() { OpenUrl(maker::HomepageAddress()); }

void TAboutBox::SupportLinkClick() { OpenUrl(maker::SupportAddress()); }

void TAboutBox::MailadrClick() { OpenUrl(maker::MailAddress()); }

void TAboutBox::BitBtnOKClick() { close(); }

}  // namespace klemvar
