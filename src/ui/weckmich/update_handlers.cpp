// The main window's part of the update check: its menu action and the
// transfer's events go to the check, which owns the transfer and its windows.

#include "net/HTTPGet.h"
#include "ui/frame/handler.h"
#include "ui/update/update_check.h"
#include "ui/weckmich/weckmich.h"

namespace klemvar {

void TFormKlemvar::CreateUpdateCheck() {
  UpdateCheck = new TUpdateCheck(this);
  // Raised from the worker's hand-over, inside Qt's event dispatch.
  UpdateCheck->HTTPGet->OnDoneFile = Guarded(EventMethod(this, &TFormKlemvar::HTTPGetDoneFile));
  UpdateCheck->HTTPGet->OnError = Guarded(EventMethod(this, &TFormKlemvar::HTTPGetError));
}

void TFormKlemvar::ActionUpdateExecute() { UpdateCheck->Start(); }

void TFormKlemvar::HTTPGetDoneFile(QObject*, const QString&, int) {
  // Ends the program, whether the browser came up or not.
  if (UpdateCheck->FileFetched()) close();
}

void TFormKlemvar::HTTPGetError(QObject*) { UpdateCheck->Failed(); }

}  // namespace klemvar
