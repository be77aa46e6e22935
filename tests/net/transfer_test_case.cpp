#include "transfer_test_case.h"

#include <QTest>

namespace klemvar::testing {

void TransferTestCase::initTestCase() {
  // libcurl would route through a proxy named in the environment.
  for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY", "no_proxy"}) {
    qunsetenv(name);
  }
  QVERIFY2(server_.Start(), qPrintable(server_.error()));
}

void TransferTestCase::init() {
  server_.InstallTransport(std::chrono::seconds(5), stallTimeout_);
  dir_ = std::make_unique<QTemporaryDir>();
  QVERIFY(dir_->isValid());
  file_ = dir_->filePath(QStringLiteral("body.bin"));
  log_ = TransferLog();
}

void TransferTestCase::cleanupTestCase() {
  SetHttpTransport(nullptr);
  server_.Stop();
}

void TransferTestCase::StartTransfer(THTTPGet& get, const QString& path, Mode mode) const {
  get.URL = HttpTestServer::Url(path);
  get.FileName = file_;
  if (mode == Mode::File) {
    get.FetchFile();
  } else {
    get.FetchString();
  }
}

}  // namespace klemvar::testing
