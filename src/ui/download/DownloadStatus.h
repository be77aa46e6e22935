#pragma once

// The update progress window: an animation and a cancel button, shown while
// the update check fetches its file.

#include <QDialog>
#include <QPointer>

class QPushButton;

namespace klemvar {

class TAnimate;

class TFormDownload : public QDialog {
  Q_OBJECT
 public:
  // Created hidden and without owner window: the application owns it (see
  // CreateFormDownload). Closing it only hides it.
  explicit TFormDownload(QWidget* parent = nullptr);

  TAnimate* const Animate;
  QPushButton* const BitBtnCancel;

  // The user has cancelled, or the window has been closed, during this check.
  bool Cancelled = false;

  // A rejection closes the window the same way as its close box, never around
  // FormClose. Escape is no rejection here (see keyPressEvent).
  void reject() override;

 signals:
  // Raised by the cancel button and on every closing: the running transfer is
  // to be cancelled.
  void TransferCancelRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void FormCreate();
  void BitBtnCancelClick();
  void FormClose();
};

// The newest progress window; null before the first one is created and after
// the windows are destroyed at exit.
extern QPointer<TFormDownload> FormDownload;

// Creates a progress window, hidden, and makes FormDownload refer to it. Earlier
// windows stay as they are. The window has no owner window: the application
// destroys it at exit with its other top-level windows, or DestroyFormDownloads
// does; FormDownload turns null then, whoever deletes it.
TFormDownload* CreateFormDownload();

// Destroys every progress window created so far; a second call does nothing.
void DestroyFormDownloads();

}  // namespace klemvar
