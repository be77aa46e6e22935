#include "ui/about/about.h"

namespace klemvar {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {}

}  // namespace klemvar
