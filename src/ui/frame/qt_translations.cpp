#include "ui/frame/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace klemvar {

void LoadQtTranslations(QCoreApplication& application) {
  auto* translator = new QTranslator(&application);
  // The system locale's interface languages, in the user's order of preference.
  if (translator->load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(translator);
  } else {
    delete translator;
  }
}

}  // namespace klemvar
