#include "http_test_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace klemvar::testing {

bool HttpTestServer::Start() {
  process_.setProgram(QStringLiteral(KLEMVAR_PYTHON));
  process_.setArguments(
      {QStringLiteral(KLEMVAR_HTTP_SERVER_SCRIPT), QStringLiteral("--port"), QStringLiteral("0")});
  process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process_.start();
  if (!process_.waitForStarted(10'000)) {
    error_ = QStringLiteral("the server did not start: ") + process_.errorString();
    return false;
  }
  while (!process_.canReadLine()) {
    if (!process_.waitForReadyRead(10'000)) {
      error_ = QStringLiteral("the server did not report its port");
      return false;
    }
  }
  const QList<QByteArray> words = process_.readLine().trimmed().split(' ');
  if (words.size() != 3 || words[0] != "READY") {
    error_ = QStringLiteral("unexpected first line from the server");
    return false;
  }
  port_ = static_cast<std::uint16_t>(words[1].toUInt());
  unanswered_port_ = static_cast<std::uint16_t>(words[2].toUInt());
  return port_ != 0 && unanswered_port_ != 0;
}

void HttpTestServer::Stop() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.terminate();  // SIGTERM to the server's process id
  if (!process_.waitForFinished(5'000)) {
    process_.kill();
    process_.waitForFinished(5'000);
  }
}

void HttpTestServer::InstallTransport(std::chrono::milliseconds connect_timeout,
                                      std::chrono::milliseconds stall_timeout) const {
  InstallTransportToPort(port_, connect_timeout, stall_timeout);
}

void InstallTransportToPort(std::uint16_t port, std::chrono::milliseconds connect_timeout,
                            std::chrono::milliseconds stall_timeout) {
  CurlTransportSettings settings;
  settings.port_override = port;
  settings.connect_timeout = connect_timeout;
  settings.stall_timeout = stall_timeout;
  SetHttpTransport(MakeCurlHttpTransport(settings));
}

std::uint16_t ClosedPort() {
  // A port the system just handed out and that is closed again at once.
  const int probe = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  bind(probe, reinterpret_cast<sockaddr*>(&address), size);
  getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
  close(probe);
  return ntohs(address.sin_port);
}

}  // namespace klemvar::testing
