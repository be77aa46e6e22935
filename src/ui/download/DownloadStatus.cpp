#include "ui/download/DownloadStatus.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <utility>
#include <vector>

#include "ui/download/animate_control.h"
#include "ui/frame/handler.h"
#include "ui/frame/layout_fit.h"
#include "ui/frame/layout_font.h"
#include "ui/frame/screen_centre.h"
#include "ui/widgets/picture_icon.h"

namespace klemvar {

QPointer<TFormDownload> FormDownload;

namespace {

// Every progress window ever created: the program refers to the newest after it
// has closed, and an older one stays usable while a newer one exists, so none is
// freed before the end.
std::vector<QPointer<TFormDownload>> windows;

constexpr Qt::WindowFlags kFixedDialog =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint;

}  // namespace

TFormDownload::TFormDownload(QWidget* parent)
    : QDialog(parent, kFixedDialog),
      Animate(new TAnimate(this)),
      BitBtnCancel(new QPushButton(PictureIcon(":/buttons/cross.png", 16), "&Abbrechen", this)) {
  setObjectName("FormDownload");
  setWindowTitle("Update prüfen ...");
  setFixedSize(334, 143);
  setFont(LayoutFont());
  // The main window may be hidden in the tray; closing this one must not end the program.
  setAttribute(Qt::WA_QuitOnClose, false);

  Animate->setObjectName("Animate");
  Animate->setGeometry(24, 24, 297, 65);

  BitBtnCancel->setObjectName("BitBtnCancel");
  BitBtnCancel->setGeometry(123, 110, 89, 25);
  BitBtnCancel->setIconSize(QSize(16, 16));
  BitBtnCancel->setToolTip("Download Abbrechen");
  connect(BitBtnCancel, &QPushButton::clicked, this,
          Handler(this, &TFormDownload::BitBtnCancelClick));
  FitCaptions({BitBtnCancel});

  RunHandler([this] { FormCreate(); });
}

void TFormDownload::FormCreate() { Cancelled = false; }

void TFormDownload::BitBtnCancelClick() {
  Cancelled = true;
  emit TransferCancelRequested();
  close();
}

void TFormDownload::FormClose() {
  Cancelled = true;
  emit TransferCancelRequested();
}

// The close box, Alt+F4 and close() all arrive here; accepting hides the window.
void TFormDownload::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

void TFormDownload::reject() { close(); }

// No button of the window answers Escape and the window has no binding of its
// own for it, so the key neither closes the window nor cancels the transfer.
void TFormDownload::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Cancel)) {
    event->ignore();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TFormDownload::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) CentreWindowOnScreen(this);
  QDialog::showEvent(event);
}

TFormDownload* CreateFormDownload() {
  auto* form = new TFormDownload();
  windows.push_back(form);
  FormDownload = form;
  return form;
}

void DestroyFormDownloads() {
  for (const QPointer<TFormDownload>& form : std::exchange(windows, {})) delete form.data();
}

}  // namespace klemvar
