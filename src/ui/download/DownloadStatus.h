#pragma once

// The update progress window: an animation and a cancel button, shown while
// the update check fetches its file.

#include <QPointer>
#include <vector>

#include "ui/download/DownloadAnim.h"
#include "ui/frame/centred_dialog.h"

class QPushButton;

namespace klemvar {

class TAnimate;

class TFormDownload : public TCentredDialog {
  Q_OBJECT
 public:
  // Created hidden and without owner window (see ProgressWindows). Closing it
  // only hides it.
  explicit TFormDownload(QWidget* parent = nullptr);

  TAnimate* const Animate;
  QPushButton* const BitBtnCancel;

  // The user has cancelled, or the window has been closed, during this check.
  bool Cancelled = false;

  // A rejection closes the window the same way as its close box, never around
  // FormClose. Escape is no rejection here (see TCentredDialog).
  void reject() override;

 signals:
  // Raised by the cancel button and on every closing: the running transfer is
  // to be cancelled.
  void TransferCancelRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void BitBtnCancelClick();
  void FormClose();
};

// The progress windows of the update checks and the clip they play. The newest
// is asked after it has closed, and an older one stays usable while a newer one
// exists, so every window lives until this goes.
class ProgressWindows {
 public:
  ProgressWindows() = default;
  Q_DISABLE_COPY_MOVE(ProgressWindows)
  ~ProgressWindows();

  // Creates a progress window, hidden, and makes it the newest. Earlier
  // windows stay as they are.
  TFormDownload* Create();

  // The newest progress window; null before the first one is created and once
  // it has been destroyed, whoever destroyed it.
  TFormDownload* FormDownload() const;

  // Plays the clip on the newest window (see DownloadClip::Play). Does nothing
  // while no progress window exists.
  void StartDownloadAnimation();

  DownloadClip Clip;

 private:
  std::vector<QPointer<TFormDownload>> windows_;
};

}  // namespace klemvar
