// Every text of every window shows whole: each label, button, check box, radio
// button, group box title and status panel has room for its text, measured with
// its own font in the space its style gives it. One run per face put in place of
// the designed "MS Sans Serif" (KLEMVAR_TEST_FACE; unset: the program's own
// stand-in) and per scale (QT_SCALE_FACTOR).

#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOption>
#include <QTest>
#include <QTimer>
#include <functional>
#include <utility>

#include "../weckmich/main_window_fixture.h"
#include "core/convert_error.h"
#include "core/timeformat.h"
#include "platform/locale/qt_locale_source.h"
#include "support/klemvar_test_main.h"
#include "ui/about/about.h"
#include "ui/aufwachen/aufwachen.h"
#include "ui/download/DownloadStatus.h"
#include "ui/frame/error_report.h"
#include "ui/frame/layout_font.h"
#include "ui/widgets/status_bar.h"

using namespace klemvar;
using namespace klemvar::testing;

Q_DECLARE_METATYPE(std::function<QStringList()>)

namespace {

constexpr int kUnbounded = 1 << 20;

// The space inside a label's frame, margin and indent, as QLabel draws into it.
QRect LabelRoom(const QLabel* label) {
  const int margin = label->margin();
  QRect room = label->contentsRect().adjusted(margin, margin, -margin, -margin);
  int indent = label->indent();
  if (indent < 0 && label->frameWidth() > 0)
    indent = label->fontMetrics().horizontalAdvance(u'x') / 2 - margin;
  if (indent > 0) {
    const Qt::Alignment align =
        QStyle::visualAlignment(label->layoutDirection(), label->alignment());
    if (align & Qt::AlignLeft) room.setLeft(room.left() + indent);
    if (align & Qt::AlignRight) room.setRight(room.right() - indent);
  }
  return room;
}

QStyleOptionButton ButtonOption(const QAbstractButton* button) {
  QStyleOptionButton option;
  option.initFrom(button);
  option.text = button->text();
  option.icon = button->icon();
  option.iconSize = button->iconSize();
  if (const auto* push = qobject_cast<const QPushButton*>(button)) {
    if (push->autoDefault()) option.features |= QStyleOptionButton::AutoDefaultButton;
    if (push->isDefault()) option.features |= QStyleOptionButton::DefaultButton;
  }
  return option;
}

// The text's size, the space for it and where in that space it stands, or an
// empty text for a widget without one.
struct Fit {
  QString text;
  QSize needed;
  QRect room;
  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

Fit Measure(const QWidget* widget) {
  const QFontMetrics metrics = widget->fontMetrics();
  const QStyle* style = widget->style();
  if (const auto* label = qobject_cast<const QLabel*>(widget)) {
    const QRect room = LabelRoom(label);
    const int flags = label->wordWrap() ? Qt::TextWordWrap : 0;
    const QRect text =
        metrics.boundingRect(QRect(0, 0, room.width(), kUnbounded), flags, label->text());
    // Only wrapped lines can drop out of sight below; one line is judged by its width.
    return {label->text(),
            {text.width(), label->wordWrap() ? text.height() : 0},
            room,
            label->alignment()};
  }
  if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
    const QStyleOptionButton option = ButtonOption(button);
    int width = metrics.size(Qt::TextShowMnemonic, button->text()).width();
    if (!button->icon().isNull()) width += button->iconSize().width() + 4;
    return {button->text(),
            {width, 0},
            style->subElementRect(QStyle::SE_PushButtonContents, &option, button),
            Qt::AlignCenter};
  }
  if (qobject_cast<const QCheckBox*>(widget) || qobject_cast<const QRadioButton*>(widget)) {
    const auto* button = static_cast<const QAbstractButton*>(widget);
    const QStyleOptionButton option = ButtonOption(button);
    const QStyle::SubElement contents = qobject_cast<const QCheckBox*>(widget)
                                            ? QStyle::SE_CheckBoxContents
                                            : QStyle::SE_RadioButtonContents;
    return {button->text(),
            {metrics.size(Qt::TextShowMnemonic, button->text()).width(), 0},
            style->subElementRect(contents, &option, button)};
  }
  if (const auto* box = qobject_cast<const QGroupBox*>(widget)) {
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.textAlignment = box->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    // The title's rect is made from the text; what counts is that the box holds it.
    const QRect title =
        style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
    return {box->title(),
            {metrics.size(Qt::TextShowMnemonic, box->title()).width(), 0},
            title.intersected(box->rect())};
  }
  return {};
}

// Where the text stands in its widget's parent, one line as high as the font's.
QRect TextArea(const QWidget* widget, const Fit& fit) {
  const QSize size(fit.needed.width(),
                   std::max(fit.needed.height(), widget->fontMetrics().height()));
  return QStyle::alignedRect(widget->layoutDirection(), fit.alignment, size, fit.room)
      .translated(widget->pos());
}

// Whether the widget is cut off by any parent between it and the window.
bool ClippedByParents(const QWidget* widget, const QWidget* window) {
  QRect rect = widget->geometry();
  for (const QWidget* parent = widget->parentWidget(); parent; parent = parent->parentWidget()) {
    if (!parent->rect().contains(rect)) return true;
    if (parent == window) break;
    rect.translate(parent->pos());
  }
  return false;
}

// Every text in the window that does not show whole, named with its widget: cut
// off by its own bounds or a parent's, or covered by another text beside it.
QStringList CutTexts(const QWidget* window) {
  QStringList cut;
  QList<std::pair<const QWidget*, QRect>> areas;
  for (const QWidget* widget : window->findChildren<QWidget*>()) {
    if (!widget->isVisibleTo(window)) continue;
    const Fit fit = Measure(widget);
    if (fit.text.isEmpty()) continue;
    const QRect area = TextArea(widget, fit);
    for (const auto& [other, otherArea] : areas) {
      if (other->parentWidget() == widget->parentWidget() && otherArea.intersects(area))
        cut << QStringLiteral("%1 overlaps %2").arg(widget->objectName(), other->objectName());
    }
    areas.append({widget, area});
    const bool fits = fit.needed.width() <= fit.room.width() &&
                      fit.needed.height() <= fit.room.height() && !ClippedByParents(widget, window);
    if (!fits) {
      cut << QStringLiteral("%1 \"%2\": needs %3x%4, has %5x%6 at %7,%8 in a %9 wide parent")
                 .arg(widget->objectName(), fit.text)
                 .arg(fit.needed.width())
                 .arg(fit.needed.height())
                 .arg(fit.room.width())
                 .arg(fit.room.height())
                 .arg(widget->x())
                 .arg(widget->y())
                 .arg(widget->parentWidget()->width());
    }
  }
  return cut;
}

// The time format that the regional settings of the locale give.
FormatSettings FormatOf(const char* locale) {
  return ReadFormatSettings(QtLocaleInfoSource(QLocale(QString::fromLatin1(locale))));
}

// The countdown as the status bar shows it: two digits of hours, no designator.
QString CountdownText(int hours, int minutes, int seconds) {
  FormatSettings format = Application().Format();
  format.TimePattern = "hh:mm:ss";
  return QString::fromStdString(FormatTime(format, hours, minutes, seconds));
}

// The main window at its longest status texts: the clock at the given hour's
// last second, the countdown at 23:59:59, the maker's name.
QStringList MainWindowCut(const char* locale, int hour) {
  MainWindow main;
  Application().SetFormat(FormatOf(locale));
  main.clock.Set(2024, 3, 14, hour, 59, 59, 500);
  main.form = std::make_unique<TFormKlemvar>(nullptr, main.tray, main.clock);
  main.form->Scheduler->Timer1->stop();
  main.form->show();
  main.form->Timer1Timer();
  main.form->StatusBar->SetPanelText(1, CountdownText(23, 59, 59));
  return CutTexts(main.form.get());
}

QStringList AlarmWindowCut() {
  std::unique_ptr<TFormWeckdienst> window(new TFormWeckdienst(QStringLiteral("It's time to go!")));
  window->show();
  return CutTexts(window.get());
}

QStringList AboutCut() {
  std::unique_ptr<TAboutBox> about(new TAboutBox(nullptr));
  about->show();
  return CutTexts(about.get());
}

QStringList ProgressWindowCut() {
  TFormDownload progress;
  progress.show();
  return CutTexts(&progress);
}

// The real box, measured while it is open and then dismissed.
QStringList MessageBoxCut(const std::function<void()>& show) {
  QStringList cut{QStringLiteral("no box opened")};
  QTimer::singleShot(0, [&cut] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    cut = CutTexts(box);
    box->done(0);
  });
  show();
  return cut;
}

QStringList UpdateBoxCut(const char* text, const char* caption, unsigned flags) {
  return MessageBoxCut(
      [=] { ShowMessageBox(QString::fromUtf8(text), QString::fromUtf8(caption), flags); });
}

}  // namespace

class TextFitTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    const QString designed = QStringLiteral("MS Sans Serif");
    const QString face = qEnvironmentVariable("KLEMVAR_TEST_FACE");
    if (!face.isEmpty()) QFont::insertSubstitution(designed, face);
    LayoutFont();  // puts the program's stand-in in place where no face is given
    // The face must be installed, or the run would measure whatever Qt falls back to.
    QCOMPARE(QFontInfo(QFont(designed)).family(),
             face.isEmpty() ? QStringLiteral("Liberation Sans") : face);
  }

  void everyTextShowsWhole_data() {
    QTest::addColumn<std::function<QStringList()>>("cutTexts");
    auto row = [](const char* name, std::function<QStringList()> cutTexts) {
      QTest::newRow(name) << cutTexts;
    };
    row("main window, de_DE", [] { return MainWindowCut("de_DE", 23); });
    row("main window, en_US", [] { return MainWindowCut("en_US", 12); });
    row("alarm window", AlarmWindowCut);
    row("About", AboutCut);
    row("progress window", ProgressWindowCut);
    row("box Update suchen", [] {
      return UpdateBoxCut(
          "Soll geprüft werden, ob eine neue Klemvar Version zur Verfügung steht?\r\r"
          "Beachten Sie, dass eine Verbindung zum Internet hergestellt\r"
          "sein muss, damit die Prüfung durchgeführt werden kann!",
          "Update suchen", mb::kYesNo | mb::kIconQuestion);
    });
    row("box Keine neue Version gefunden", [] {
      return UpdateBoxCut("Es ist keine aktuellere Klemvar Version verfügbar!",
                          "Keine neue Version gefunden", mb::kOk | mb::kIconInformation);
    });
    row("box Neue Version gefunden", [] {
      return UpdateBoxCut(
          "Es ist eine neuere Klemvar Version verfügbar!\n\rWollen Sie diese nun herunterladen?",
          "Neue Version gefunden", mb::kYesNo | mb::kIconQuestion);
    });
    row("box Fehler!", [] {
      return UpdateBoxCut(
          "Update konnte leider nicht geprüft werden!\r\r"
          "Prüfen Sie bitte, ob eine Verbindung zum Internet besteht!",
          "Fehler!", mb::kOk | mb::kIconError);
    });
    row("error box", [] {
      return MessageBoxCut(
          [] { ReportException(std::make_exception_ptr(EConvertError(kInvalidTimeMessage))); });
    });
  }
  void everyTextShowsWhole() {
    QFETCH(std::function<QStringList()>, cutTexts);
    const QStringList cut = cutTexts();
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
  }
};

KLEMVAR_TEST_MAIN(TextFitTest)
#include "text_fit_test.moc"
