// The font configuration read ahead is the one Qt's font database goes on to
// use: were Qt to read its own, the thread would only add work.

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QGuiApplication>
#include <thread>

#include "platform/fonts/font_configuration.h"

namespace klemvar {
namespace {

TEST(FontConfiguration, QtFontsUseTheConfigurationReadAhead) {
  std::thread ahead(ReadFontConfiguration);
  int argc = 1;
  char name[] = "font_configuration_tests";
  char* argv[] = {name, nullptr};
  const QGuiApplication application(argc, argv);
  ahead.join();
  FcConfig* const readAhead = FcConfigGetCurrent();
  ASSERT_NE(readAhead, nullptr);
  EXPECT_TRUE(QFontDatabase::families().contains(QStringLiteral("Liberation Sans")));
  EXPECT_EQ(FcConfigGetCurrent(), readAhead);
}

}  // namespace
}  // namespace klemvar
