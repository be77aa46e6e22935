#pragma once

// Which window system the program is a client of.

#include <QGuiApplication>

namespace klemvar {

inline bool OnWayland() {
  return QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
}

inline bool OnX11() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

}  // namespace klemvar
