#include "ui/frame/application_icon.h"

#include "ui/widgets/picture_icon.h"

namespace klemvar {

// The sizes a title bar, a taskbar, a task switcher or the tray draws. The window
// system is handed every size of a window's icon when the window is created, so
// the larger renderings stay with the launcher's installed icons.
QIcon ApplicationIcon() {
  return PictureIconSizes(QStringLiteral(":/icons/klemvar-%1.png"), {16, 22, 24, 32, 48, 64});
}

}  // namespace klemvar
