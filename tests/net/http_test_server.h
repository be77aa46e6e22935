#pragma once

// Starts tests/support/http_server.py on a free loopback port and stops it by
// its process id. Addresses never carry the port: the transport is told it.
//
// The server is started with fork and exec rather than QProcess: QProcess
// spawns with vfork semantics, and a child sharing the test's memory leaves
// ThreadSanitizer believing the test itself had forked, so that it refuses
// every later thread.

#include <sys/types.h>

#include <QString>
#include <chrono>
#include <memory>

#include "platform/http/curl_transport.h"

namespace klemvar::testing {

class HttpTestServer {
 public:
  HttpTestServer() = default;
  ~HttpTestServer() { Stop(); }
  HttpTestServer(const HttpTestServer&) = delete;
  HttpTestServer& operator=(const HttpTestServer&) = delete;

  // False (with the reason in error()) when the server did not come up.
  bool Start();
  void Stop();
  const QString& error() const { return error_; }

  std::uint16_t port() const { return port_; }
  // A port where a connection is never made (a full accept queue).
  std::uint16_t unansweredPort() const { return unanswered_port_; }

  // "http://127.0.0.1" followed by path.
  static QString Url(const QString& path) { return QStringLiteral("http://127.0.0.1") + path; }

  // A libcurl transport that reaches this server.
  std::shared_ptr<HttpTransport> Transport(
      std::chrono::milliseconds connect_timeout = std::chrono::seconds(5),
      std::chrono::milliseconds stall_timeout = std::chrono::seconds(5)) const;

 private:
  pid_t pid_ = -1;
  int to_server_ = -1;    // the server's standard input; it ends when this closes
  int from_server_ = -1;  // its standard output
  QString error_;
  std::uint16_t port_ = 0;
  std::uint16_t unanswered_port_ = 0;
};

// A libcurl transport whose connect step goes to port instead.
std::shared_ptr<HttpTransport> TransportToPort(
    std::uint16_t port, std::chrono::milliseconds connect_timeout = std::chrono::seconds(5),
    std::chrono::milliseconds stall_timeout = std::chrono::seconds(5));

// A loopback port on which nothing listens.
std::uint16_t ClosedPort();

}  // namespace klemvar::testing
