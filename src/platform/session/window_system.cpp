#include "platform/session/window_system.h"

#include <QGuiApplication>

namespace klemvar {

bool OnWayland() { return QGuiApplication::platformName().startsWith(QStringLiteral("wayland")); }

bool OnX11() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

}  // namespace klemvar
