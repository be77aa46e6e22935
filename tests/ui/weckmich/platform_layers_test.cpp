// The real message box and address layers the main window goes through.

#include <QAbstractButton>
#include <QDesktopServices>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "support/klemvar_test_main.h"
#include "ui/frame/services.h"
#include "ui/maker.h"

using namespace klemvar;

namespace {

// What the open box showed, and the button the test pressed in it.
struct Seen {
  QString text;
  QString caption;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QStringList buttons;
  Qt::WindowModality modality = Qt::NonModal;
  Qt::TextFormat format = Qt::AutoText;
};

}  // namespace

class UrlRecorder : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
 public slots:
  void open(const QUrl& url) { urls << url; }
};

class PlatformLayersTest : public QObject {
  Q_OBJECT

 private:
  std::shared_ptr<Seen> Watch(QMessageBox::StandardButton press) {
    auto seen = std::make_shared<Seen>();
    QTimer::singleShot(0, this, [seen, press] {
      QTRY_VERIFY(qobject_cast<QMessageBox*>(QApplication::activeModalWidget()));
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      seen->text = box->text();
      seen->caption = box->windowTitle();
      seen->icon = box->icon();
      for (QAbstractButton* button : box->buttons()) seen->buttons << button->text();
      seen->modality = box->windowModality();
      seen->format = box->textFormat();
      box->button(press)->click();
    });
    return seen;
  }

 private slots:
  void anOkBoxIsModalPlainTextWithLineBreaks() {
    auto seen = Watch(QMessageBox::Ok);
    const int result = ShowMessageBox(QStringLiteral("Eins\r\nZwei\rDrei\n<b>Vier</b>"),
                                      QStringLiteral("Klemvar"), mb::kOk | mb::kIconError);
    QCOMPARE(result, mb::kIdOk);
    QCOMPARE(seen->text, QStringLiteral("Eins\nZwei\nDrei\n<b>Vier</b>"));
    QCOMPARE(seen->caption, QStringLiteral("Klemvar"));
    QCOMPARE(seen->icon, QMessageBox::Critical);
    QCOMPARE(seen->buttons.size(), 1);
    QCOMPARE(seen->modality, Qt::ApplicationModal);
    QCOMPARE(seen->format, Qt::PlainText);
  }

  void aYesNoBoxAnswersYesOrNo() {
    auto yes = Watch(QMessageBox::Yes);
    QCOMPARE(ShowMessageBox("?", "Klemvar", mb::kYesNo | mb::kIconQuestion), mb::kIdYes);
    QCOMPARE(yes->icon, QMessageBox::Question);
    QCOMPARE(yes->buttons.size(), 2);
    auto no = Watch(QMessageBox::No);
    QCOMPARE(ShowMessageBox("?", "Klemvar", mb::kYesNo | mb::kIconWarning), mb::kIdNo);
    QCOMPARE(no->icon, QMessageBox::Warning);
    auto info = Watch(QMessageBox::Ok);
    ShowMessageBox("i", "Klemvar", mb::kOk | mb::kIconInformation);
    QCOMPARE(info->icon, QMessageBox::Information);
  }

  void addressesReachTheDesktopUnchanged() {
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("http", &recorder, "open");
    QDesktopServices::setUrlHandler("mailto", &recorder, "open");
    OpenUrl(maker::HomepageAddress());
    OpenUrl(maker::MailAddress());
    QDesktopServices::unsetUrlHandler("http");
    QDesktopServices::unsetUrlHandler("mailto");
    QCOMPARE(recorder.urls.size(), 2);
    QCOMPARE(recorder.urls[0].toString(), "http://" + maker::Host() + "/software/");
    QCOMPARE(recorder.urls[1].toString(), "mailto:" + maker::Mail() + "?subject=Klemvar");
    QCOMPARE(recorder.urls[1].query(), QStringLiteral("subject=Klemvar"));
  }
};

KLEMVAR_TEST_MAIN(PlatformLayersTest)
#include "platform_layers_test.moc"
