// The main window's controls: kinds, places, captions, hints and tab order.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <string>

#include "ui/frame/application.h"
#include "ui/frame/layout_fit.h"
#include "ui/frame/maximise_box.h"
#include "ui/weckmich/weckmich.h"
#include "ui/widgets/picture_icon.h"
#include "ui/widgets/spin_edit.h"
#include "ui/widgets/status_bar.h"

namespace klemvar {
namespace {

template <typename Widget>
Widget* Place(Widget* widget, const char* name, int left, int top, int width, int height) {
  widget->setObjectName(QString::fromLatin1(name));
  widget->setGeometry(left, top, width, height);
  return widget;
}

QGroupBox* Group(QWidget* parent, const char* name, const char* caption, int left, int top,
                 int width, int height) {
  return Place(new QGroupBox(QString::fromUtf8(caption), parent), name, left, top, width, height);
}

TSpinEdit* Spin(QWidget* parent, const char* name, int maxValue, const char* accessibleName) {
  auto* spin = new TSpinEdit(-1, maxValue, parent);
  spin->setObjectName(QString::fromLatin1(name));
  spin->setAccessibleName(QString::fromUtf8(accessibleName));
  return spin;
}

QIcon TickPicture() {
  return PictureIcon(QStringLiteral(":/buttons/tick.png"), 18,
                     QStringLiteral(":/buttons/tick-disabled.png"));
}

// Every digit of the text made the widest one the font has: no reading of the
// clock is wider, whichever digits it shows.
QString WithWidestDigits(QString text, const QFontMetrics& metrics) {
  QChar widest = u'0';
  for (QChar digit = u'1'; digit <= u'9'; digit = QChar(digit.unicode() + 1)) {
    if (metrics.horizontalAdvance(digit) > metrics.horizontalAdvance(widest)) widest = digit;
  }
  for (QChar& character : text) {
    if (character.isDigit()) character = widest;
  }
  return text;
}

QString Widest(const QStringList& texts, const QFontMetrics& metrics) {
  QString widest;
  for (const QString& text : texts) {
    if (metrics.size(0, text).width() > metrics.size(0, widest).width()) widest = text;
  }
  return widest;
}

// The clock in the current time format, at whichever hour reads widest: the
// designators differ in width, and an hour without leading zero has one digit.
QString LongestClockText(const QFontMetrics& metrics) {
  QStringList texts;
  for (unsigned hour = 0; hour < 24; ++hour) {
    const std::string text = FormatTime(RegionalSettings(), hour, 0, 0);
    texts << WithWidestDigits(QString::fromStdString(text), metrics);
  }
  return Widest(texts, metrics);
}

// The countdown: up to 23:59:59, two digits of hours, no designator.
QString LongestCountdownText(const QFontMetrics& metrics) {
  FormatSettings format = RegionalSettings();
  format.TimePattern = "hh:mm:ss";
  return WithWidestDigits(QString::fromStdString(FormatTime(format, 23, 59, 59)), metrics);
}

}  // namespace

void TFormKlemvar::CreateControls() {
  CreateAlarmTimeGroup();
  CreateAlarmTextGroup();
  CreateAlarmGroup();
  CreateButtonsAndStatusBar();
  SetTabOrder();
  FitCaptions();
  FitWidth();
}

void TFormKlemvar::CreateAlarmTimeGroup() {
  GroupBoxWeckzeit = Group(this, "GroupBoxWeckzeit", "Weckzeit", 8, 24, 185, 89);
  LabelStunden = Place(new QLabel(QStringLiteral("Stunden"), GroupBoxWeckzeit), "LabelStunden", 72,
                       16, 40, 13);
  LabelMinuten = Place(new QLabel(QStringLiteral("Minuten"), GroupBoxWeckzeit), "LabelMinuten", 128,
                       16, 38, 13);
  RadioButtonUm = Place(new QRadioButton(QStringLiteral("um"), GroupBoxWeckzeit), "RadioButtonUm",
                        16, 24, 41, 17);
  RadioButtonUm->setToolTip(QStringLiteral("Wecken um X Uhr"));
  RadioButtonUm->setChecked(true);
  RadioButtonIn = Place(new QRadioButton(QStringLiteral("in"), GroupBoxWeckzeit), "RadioButtonIn",
                        16, 40, 41, 17);
  RadioButtonIn->setToolTip(QStringLiteral("Wecken in X Minuten"));
  SpinStunden = Spin(GroupBoxWeckzeit, "SpinStunden", 24, "Stunden");
  SpinStunden->setGeometry(72, 32, 41, 22);
  SpinStunden->setToolTip(QStringLiteral("Weckzeit in Stunden"));
  LabelStunden->setBuddy(SpinStunden);
  SpinMinuten = Spin(GroupBoxWeckzeit, "SpinMinuten", 60, "Minuten");
  SpinMinuten->setGeometry(128, 32, 41, 22);
  SpinMinuten->setToolTip(QStringLiteral("Weckzeit in Minuten"));
  LabelMinuten->setBuddy(SpinMinuten);
  CheckBoxEvery = Place(new QCheckBox(QStringLiteral("Weckzeit wiederholen"), GroupBoxWeckzeit),
                        "CheckBoxEvery", 16, 64, 145, 17);
  CheckBoxEvery->setToolTip(QStringLiteral("Weckzeit wiederholen"));
}

void TFormKlemvar::CreateAlarmTextGroup() {
  GroupBoxAlarmTxt = Group(this, "GroupBoxAlarmTxt", "Alarm-Text", 8, 120, 185, 57);
  EditAlarmTxt = Place(new QLineEdit(QStringLiteral("It's time to go!"), GroupBoxAlarmTxt),
                       "EditAlarmTxt", 8, 24, 169, 21);
  EditAlarmTxt->setMaxLength(34);
  EditAlarmTxt->setToolTip(QString::fromUtf8("Frei wählbarer Hinweistext für Alarmanzeige"));
  EditAlarmTxt->setAccessibleName(QStringLiteral("Alarm-Text"));
}

void TFormKlemvar::CreateAlarmGroup() {
  GroupBoxAlarm = Group(this, "GroupBoxAlarm", "Alarm", 8, 184, 185, 49);
  CheckBoxTon = Place(new QCheckBox(QString::fromUtf8("Läuten"), GroupBoxAlarm), "CheckBoxTon", 8,
                      18, 65, 17);
  CheckBoxTon->setToolTip(QString::fromUtf8("Soll der Wecker auch läuten?"));
  const QString closeHint = QString::fromUtf8("Alarmfenster schließen nach X Sekunden.");
  LabelClose = Place(new QLabel(QString::fromUtf8("Schließen"), GroupBoxAlarm), "LabelClose", 72,
                     20, 47, 13);
  LabelClose->setToolTip(closeHint);
  SpinEditAlarmClose = Spin(GroupBoxAlarm, "SpinEditAlarmClose", 60, "Schließen");
  SpinEditAlarmClose->setGeometry(128, 15, 41, 22);
  SpinEditAlarmClose->setToolTip(closeHint);
  LabelClose->setBuddy(SpinEditAlarmClose);
}

void TFormKlemvar::CreateButtonsAndStatusBar() {
  BitBtnAus = Place(new QPushButton(PictureIcon(QStringLiteral(":/buttons/cross.png"), 16),
                                    QStringLiteral("&Aus"), this),
                    "BitBtnAus", 8, 240, 49, 25);
  BitBtnAus->setIconSize(QSize(16, 16));
  BitBtnAus->setToolTip(QStringLiteral("Wecker ausschalten"));
  BitBtnAus->setEnabled(false);
  ButtonWeckerStellen =
      Place(new QPushButton(TickPicture(), QStringLiteral("&Wecker stellen"), this),
            "ButtonWeckerStellen", 64, 240, 129, 25);
  ButtonWeckerStellen->setIconSize(QSize(18, 18));
  ButtonWeckerStellen->setToolTip(QStringLiteral("Wecker einschalten"));

  StatusBar = Place(new TStatusBar(3, 50, this), "StatusBar", 0, 269, 197, 17);
  StatusBar->setToolTip(QStringLiteral("Uhrzeit und  Zeit bis zur Weckzeit"));
  StatusBar->SetPanelText(2, QStringLiteral("Quorbel Software"));
}

void TFormKlemvar::SetTabOrder() {
  const QList<QWidget*> order = {RadioButtonUm, RadioButtonIn,      SpinStunden, SpinMinuten,
                                 CheckBoxEvery, EditAlarmTxt,       CheckBoxTon, SpinEditAlarmClose,
                                 BitBtnAus,     ButtonWeckerStellen};
  for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
  // The status bar and the menu bar take no part in the tab order.
  StatusBar->setFocusPolicy(Qt::NoFocus);
}

void TFormKlemvar::FitCaptions() {
  klemvar::FitCaptions({LabelStunden, LabelMinuten, RadioButtonUm, RadioButtonIn, CheckBoxEvery,
                        CheckBoxTon, LabelClose, BitBtnAus, ButtonWeckerStellen});
}

// The window keeps its drawn width unless the status panels need more to show
// the longest texts of the current time format; the bars then span the wider
// window, while the controls above keep their places.
void TFormKlemvar::FitWidth() {
  const QFontMetrics metrics = StatusBar->Panel(0)->fontMetrics();
  const int panels = StatusBar->FitPanels(
      {LongestClockText(metrics), LongestCountdownText(metrics), StatusBar->PanelText(2)});
  const int width = std::max(kClientWidth, panels);
  setFixedSize(width, kClientHeight);
  KeepMaximiseBox(this);  // it only shows the window, but it is there
  ActionMainMenuBar1->resize(width, ActionMainMenuBar1->height());
  StatusBar->resize(width, StatusBar->height());
}

}  // namespace klemvar
