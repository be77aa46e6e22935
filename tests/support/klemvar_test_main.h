#pragma once

// A Qt Test entry point whose application object is the program's own, so an
// error escaping a handler is reported as it is in the program.

#include <QTest>

#include "ui/frame/application.h"

#define KLEMVAR_TEST_MAIN(TestObject)                \
  int main(int argc, char** argv) {                  \
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi); \
    klemvar::TApplication application(argc, argv);   \
    TestObject test;                                 \
    QTEST_SET_MAIN_SOURCE_PATH                       \
    return QTest::qExec(&test, argc, argv);          \
  }

namespace klemvar::testing {
inline TApplication& Application() { return *qobject_cast<TApplication*>(qApp); }
}  // namespace klemvar::testing
