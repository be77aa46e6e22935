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
  transport_ = server_.Transport(std::chrono::seconds(5), stallTimeout_);
  dir_ = std::make_unique<QTemporaryDir>();
  QVERIFY(dir_->isValid());
  file_ = dir_->filePath(QStringLiteral("body.bin"));
  log_ = TransferLog();
}

void TransferTestCase::cleanupTestCase() { server_.Stop(); }

void TransferTestCase::StartTransfer(THTTPGet& get, const QString& path, Mode mode) const {
  get.Transport = transport_;
  get.URL = HttpTestServer::Url(path);
  get.FileName = file_;
  if (mode == Mode::File) {
    get.FetchFile();
  } else {
    get.FetchString();
  }
}

}  // namespace klemvar::testing
