#include "http_test_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QByteArray>
#include <QList>

namespace klemvar::testing {

namespace {

// Reads one line from fd within timeoutMs; empty on a time-out or end of file.
QByteArray ReadLine(int fd, int timeoutMs) {
  QByteArray line;
  char c = 0;
  while (c != '\n') {
    pollfd ready{fd, POLLIN, 0};
    if (poll(&ready, 1, timeoutMs) != 1 || read(fd, &c, 1) != 1) return QByteArray();
    line += c;
  }
  return line;
}

}  // namespace

bool HttpTestServer::Start() {
  int input[2];
  int output[2];
  if (pipe2(input, O_CLOEXEC) != 0 || pipe2(output, O_CLOEXEC) != 0) {
    error_ = QStringLiteral("no pipes for the server");
    return false;
  }
  const char* const argv[] = {KLEMVAR_PYTHON, KLEMVAR_HTTP_SERVER_SCRIPT, nullptr};
  pid_ = fork();
  if (pid_ == 0) {  // only async-signal-safe calls until exec
    dup2(input[0], STDIN_FILENO);
    dup2(output[1], STDOUT_FILENO);
    execv(argv[0], const_cast<char* const*>(argv));
    _exit(127);
  }
  close(input[0]);
  close(output[1]);
  to_server_ = input[1];
  from_server_ = output[0];
  if (pid_ < 0) {
    error_ = QStringLiteral("the server could not be started");
    return false;
  }
  const QList<QByteArray> words = ReadLine(from_server_, 10'000).trimmed().split(' ');
  if (words.size() != 3 || words[0] != "READY") {
    error_ = QStringLiteral("the server did not report its ports");
    return false;
  }
  port_ = static_cast<std::uint16_t>(words[1].toUInt());
  unanswered_port_ = static_cast<std::uint16_t>(words[2].toUInt());
  return port_ != 0 && unanswered_port_ != 0;
}

void HttpTestServer::Stop() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
  for (int* fd : {&to_server_, &from_server_}) {
    if (*fd >= 0) close(*fd);
    *fd = -1;
  }
}

std::shared_ptr<HttpTransport> HttpTestServer::Transport(
    std::chrono::milliseconds connect_timeout, std::chrono::milliseconds stall_timeout) const {
  return TransportToPort(port_, connect_timeout, stall_timeout);
}

std::shared_ptr<HttpTransport> TransportToPort(std::uint16_t port,
                                               std::chrono::milliseconds connect_timeout,
                                               std::chrono::milliseconds stall_timeout) {
  CurlTransportSettings settings;
  settings.port_override = port;
  settings.connect_timeout = connect_timeout;
  settings.stall_timeout = stall_timeout;
  return MakeCurlHttpTransport(settings);
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
