#include "ui/download/DownloadStatus.h"

#include <QCloseEvent>
#include <QPushButton>

#include "ui/download/animate_control.h"
#include "ui/frame/handler.h"
#include "ui/frame/layout_fit.h"
#include "ui/frame/layout_font.h"
#include "ui/widgets/picture_icon.h"

namespace klemvar {

namespace {

constexpr Qt::WindowFlags kFixedDialog =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint;

}  // namespace

TFormDownload::TFormDownload(QWidget* parent)
    : TCentredDialog(parent, kFixedDialog),
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

ProgressWindows::~ProgressWindows() {
  for (const QPointer<TFormDownload>& form : windows_) delete form.data();
}

TFormDownload* ProgressWindows::Create() {
  windows_.push_back(new TFormDownload());
  return windows_.back();
}

TFormDownload* ProgressWindows::FormDownload() const {
  return windows_.empty() ? nullptr : windows_.back().data();
}

void ProgressWindows::StartDownloadAnimation() {
  TFormDownload* const form = FormDownload();
  if (!form) return;
  if (!clip_) clip_ = ReadDownloadClip(clipPath_);
  form->Animate->SetClip(clip_.value_or(QImage()), kDownloadFrameWidth);
  form->Animate->Play();
}

void ProgressWindows::SetClipPath(const QString& path) {
  clipPath_ = path;
  clip_.reset();
}

}  // namespace klemvar
