// Benchmark driver for THTTPGet against the local test server.
//
//   http_bench PORT fetch PATH SIZE [progress]
//       one FetchFile of PATH into /dev/null; prints the seconds from the call
//       to OnDoneFile. "progress" adds an empty OnProgress handler, so every
//       chunk of 1025 bytes costs a hand-over to the GUI thread.
//   http_bench PORT cancel ROUNDS
//       ROUNDS times: a transfer whose server hangs mid-body is cancelled while
//       the worker waits; prints the milliseconds from Cancel to OnError.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "net/HTTPGet.h"
#include "platform/http/curl_transport.h"
#include "platform/http/http_init.h"

namespace {

using klemvar::THTTPGet;
using Transport = std::shared_ptr<klemvar::HttpTransport>;

int Fetch(const Transport& transport, const char* path, std::int32_t size, bool progress) {
  THTTPGet get;
  get.Transport = transport;
  get.URL = QStringLiteral("http://127.0.0.1") + QString::fromUtf8(path);
  get.FileName = QStringLiteral("/dev/null");
  if (progress) get.OnProgress = [](QObject*, std::int32_t, std::int32_t) {};
  QElapsedTimer timer;
  double seconds = -1;
  get.OnDoneFile = [&](QObject*, const QString&, std::int32_t fileSize) {
    if (fileSize == size) seconds = timer.nsecsElapsed() / 1e9;
    QCoreApplication::quit();
  };
  get.OnError = [](QObject*) { QCoreApplication::quit(); };
  timer.start();
  get.FetchFile();
  QCoreApplication::exec();
  if (seconds < 0) {
    std::fprintf(stderr, "the transfer failed\n");
    return 1;
  }
  std::printf("%.6f\n", seconds);
  return 0;
}

// One cancelled transfer; the latency in milliseconds, negative on a failure.
double CancelOnce(const Transport& transport) {
  THTTPGet get;
  get.Transport = transport;
  get.URL = QStringLiteral("http://127.0.0.1/hang-body/1000000/3000");
  get.FileName = QStringLiteral("/dev/null");
  QElapsedTimer sinceCancel;
  double latency = -1;
  get.OnProgress = [&](QObject*, std::int32_t, std::int32_t readed) {
    if (readed != 3000) return;
    // All that the server sends has arrived: let the worker settle into its wait.
    QTimer::singleShot(50, [&] {
      sinceCancel.start();
      get.Cancel();
    });
  };
  get.OnError = [&](QObject*) {
    if (sinceCancel.isValid()) latency = sinceCancel.nsecsElapsed() / 1e6;
    QCoreApplication::quit();
  };
  get.OnDoneFile = [](QObject*, const QString&, std::int32_t) { QCoreApplication::quit(); };
  get.FetchFile();
  QCoreApplication::exec();
  return latency;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s PORT fetch PATH SIZE [progress] | PORT cancel ROUNDS\n",
                 argv[0]);
    return 2;
  }
  klemvar::InitHttpTransport();
  klemvar::CurlTransportSettings settings;
  settings.port_override = static_cast<std::uint16_t>(std::atoi(argv[1]));
  const Transport transport = klemvar::MakeCurlHttpTransport(settings);

  int result = 2;
  if (std::strcmp(argv[2], "fetch") == 0 && argc >= 5) {
    result = Fetch(transport, argv[3], std::atoi(argv[4]),
                   argc >= 6 && std::strcmp(argv[5], "progress") == 0);
  } else if (std::strcmp(argv[2], "cancel") == 0) {
    result = 0;
    for (int round = std::atoi(argv[3]); round > 0; --round) {
      const double latency = CancelOnce(transport);
      if (latency < 0) result = 1;
      std::printf("%.3f\n", latency);
    }
  }
  return result;
}
