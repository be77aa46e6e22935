#include "ui/download/DownloadStatus.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QScreen>
#include <utility>
#include <vector>

#include "ui/download/animate_control.h"
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
  // The layout was drawn for a font 11 pixels high.
  QFont font = this->font();
  font.setPixelSize(11);
  setFont(font);
  // The main window may be hidden in the tray; closing this one must not end the program.
  setAttribute(Qt::WA_QuitOnClose, false);

  Animate->setObjectName("Animate");
  Animate->setGeometry(24, 24, 297, 65);

  BitBtnCancel->setObjectName("BitBtnCancel");
  BitBtnCancel->setGeometry(123, 110, 89, 25);
  BitBtnCancel->setIconSize(QSize(16, 16));
  BitBtnCancel->setToolTip("Download Abbrechen");
  connect(BitBtnCancel, &QPushButton::clicked, this, &TFormDownload::BitBtnCancelClick);

  FormCreate();
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

// Centred on the screen, not on whichever window happens to be active. The frame
// is centred where its size is known already; move() places the frame.
void TFormDownload::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen()->availableGeometry().center());
    move(frame.topLeft());
  }
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
