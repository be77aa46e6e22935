// The main window's controls: kinds, places, captions, hints and tab order.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

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

// The width a control needs to show its whole caption. A push button's size
// hint has a minimum width of its own style; only the caption counts here.
int CaptionWidth(const QWidget* widget) {
  const auto* button = qobject_cast<const QPushButton*>(widget);
  if (!button) return widget->sizeHint().width();
  int content = button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&'));
  if (!button->icon().isNull()) content += button->iconSize().width() + 4;
  const QStyle* style = button->style();
  return content + style->pixelMetric(QStyle::PM_ButtonMargin) +
         2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth);
}

}  // namespace

void TFormKlemvar::CreateControls() {
  CreateAlarmTimeGroup();
  CreateAlarmTextGroup();
  CreateAlarmGroup();
  CreateButtonsAndStatusBar();
  SetTabOrder();
  FitCaptions();
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

// The layout was drawn for a narrow bitmap face; where the desktop's face is
// wider, a caption that would be clipped widens its control, as far as the
// parent and the next control on the same row allow.
void TFormKlemvar::FitCaptions() {
  const QList<QWidget*> captioned = {LabelStunden,  LabelMinuten,  RadioButtonUm,
                                     RadioButtonIn, CheckBoxEvery, CheckBoxTon,
                                     LabelClose,    BitBtnAus,     ButtonWeckerStellen};
  for (QWidget* widget : captioned) {
    const int wanted = std::min(CaptionWidth(widget), RoomRightOf(widget));
    if (wanted > widget->width()) widget->resize(wanted, widget->height());
  }
}

}  // namespace klemvar
