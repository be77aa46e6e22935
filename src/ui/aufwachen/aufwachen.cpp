#include "ui/aufwachen/aufwachen.h"

namespace klemvar {

void StartRing() {}
void StopRing() {}

TFormWeckdienst::TFormWeckdienst(QWidget* parent) : QDialog(parent) {}

}  // namespace klemvar
