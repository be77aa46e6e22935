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

  // A new progress window, hidden, now the newest; earlier ones stay as they are.
  TFormDownload* Create();

  // The newest progress window; null before the first one is created and once
  // it has been destroyed, whoever destroyed it.
  TFormDownload* FormDownload() const;

  // Starts the clip on the newest window's Animate from its first frame; it
  // repeats until that window is hidden. Throws std::runtime_error with
  // kCannotOpenClipMessage when the clip cannot be opened; the window then
  // stays as it is, without animation. Does nothing while no window exists.
  void StartDownloadAnimation();

  // The clip, read by the first animation and kept for the next. Empty until
  // then, and again after a read that failed, so the next animation tries anew.
  const std::optional<QImage>& Clip() const { return clip_; }
  // Reads the clip from path from now on and drops a loaded one, so tests can
  // make the clip missing.
  void SetClipPath(const QString& path);

 private:
  std::vector<QPointer<TFormDownload>> windows_;
  QString clipPath_ = QString::fromLatin1(kDownloadClipPath);
  std::optional<QImage> clip_;
};

}  // namespace klemvar
