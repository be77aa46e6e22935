// The font configuration read ahead is the one Qt's font database goes on to
// use: were Qt to read its own, the thread would only add work.

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QGuiApplication>

#include "platform/fonts/fontconfig_warmup.h"

namespace klemvar {
namespace {

TEST(FontConfigWarmUp, QtFontsUseTheConfigurationReadAhead) {
  FontConfigWarmUp warmUp;
  int argc = 1;
  char name[] = "fontconfig_warmup_tests";
  char* argv[] = {name, nullptr};
  const QGuiApplication application(argc, argv);
  warmUp.Wait();
  FcConfig* const readAhead = FcConfigGetCurrent();
  ASSERT_NE(readAhead, nullptr);
  EXPECT_TRUE(QFontDatabase::families().contains(QStringLiteral("Liberation Sans")));
  EXPECT_EQ(FcConfigGetCurrent(), readAhead);
}

}  // namespace
}  // namespace klemvar
