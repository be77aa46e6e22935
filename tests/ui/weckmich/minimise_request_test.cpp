// A minimise request that reaches only the window's state signal, as Qt's
// Wayland plugin delivers the one from its own window decoration: the widget's
// state never changes.

#include <QTest>
#include <QWindow>

#include "main_window_fixture.h"
#include "support/klemvar_test_main.h"

using namespace klemvar;
using namespace klemvar::testing;

class MinimiseRequestTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<MainWindow> main_;
  TFormKlemvar* form() const { return main_->form.get(); }

  // Swallows the window's state changes before the widget hears of them.
  struct Unreported : QObject {
    bool eventFilter(QObject*, QEvent* event) override {
      return event->type() == QEvent::WindowStateChange;
    }
  } unreported_;

  // What the decoration's minimise button does on Wayland: the window's state
  // changes and says so, the widget's does not.
  void RequestMinimiseOnly() {
    QWindow* window = form()->windowHandle();
    window->installEventFilter(&unreported_);
    window->setWindowStates(Qt::WindowMinimized);
    QTest::qWait(50);
    window->removeEventFilter(&unreported_);
    QVERIFY(!(form()->windowState() & Qt::WindowMinimized));
  }

 private slots:
  void init() { main_ = std::make_unique<MainWindow>(); }
  void cleanup() { main_.reset(); }

  void hidesIntoTheTrayAndComesBackUnminimised() {
    main_->tray.docked = true;
    main_->Open();
    RequestMinimiseOnly();
    QVERIFY(!form()->isVisible());
    form()->BringBack();
    QVERIFY(form()->isVisible());
    QVERIFY(!(form()->windowHandle()->windowStates() & Qt::WindowMinimized));
  }

  void withoutATrayStaysAnOrdinaryMinimise() {
    main_->tray.docked = false;
    main_->Open();
    RequestMinimiseOnly();
    QVERIFY(form()->isVisible());
  }
};

KLEMVAR_TEST_MAIN(MinimiseRequestTest)
#include "minimise_request_test.moc"
