#pragma once

// What the transfer test binaries share: the server for the whole run, and for
// each test function a transport to it, a fresh log and a fresh folder with the
// name of the file a transfer writes.

#include <QObject>
#include <QTemporaryDir>
#include <chrono>
#include <memory>

#include "http_test_server.h"
#include "net/HTTPGet.h"
#include "transfer_log.h"

namespace klemvar::testing {

enum class Mode { File, Text };

class TransferTestCase : public QObject {
  Q_OBJECT

 public:
  // The transport gives up on a transfer that stalls for stallTimeout.
  explicit TransferTestCase(std::chrono::milliseconds stallTimeout = std::chrono::seconds(5))
      : stallTimeout_(stallTimeout) {}

 private slots:
  void initTestCase();
  void init();
  void cleanupTestCase();

 protected:
  // Points get at path on the server, through transport_, and at file_, and
  // starts the transfer.
  void StartTransfer(THTTPGet& get, const QString& path, Mode mode = Mode::File) const;

  HttpTestServer server_;
  std::shared_ptr<HttpTransport> transport_;  // to server_ unless the test makes another
  std::unique_ptr<QTemporaryDir> dir_;
  QString file_;
  TransferLog log_;

 private:
  std::chrono::milliseconds stallTimeout_;
};

}  // namespace klemvar::testing
