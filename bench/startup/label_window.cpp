// A second reference for the start-up benchmark: the bare window with one line
// of text in it. The first text a Qt program measures reads the desktop's font
// configuration and loads a font, which the bare window never does; this
// window shows what that costs any program with text. Built with the
// program's own flags.

#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QLabel window(QStringLiteral("Klemvar"));
  window.setWindowTitle(QStringLiteral("Qt window with a label"));
  window.resize(197, 286);
  window.show();
  return application.exec();
}
