// The least a Qt Widgets program does to show a window: an empty QWidget of
// the main window's size with a title.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Bare"));
  window.resize(197, 286);
  window.show();
  return application.exec();
}
