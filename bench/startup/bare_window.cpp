// The toolkit's floor for the start-up benchmark: a bare Qt Widgets window of
// the main window's size, nothing else. Built with the program's own flags.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Bare Qt window"));
  window.resize(197, 286);
  window.show();
  return application.exec();
}
