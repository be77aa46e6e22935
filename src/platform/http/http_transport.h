#pragma once

// The HTTP exchange of one download, step by step as the WinINet calls go:
// open a session, connect, open a request, send it, query the content length
// as text, read the body, close the handles (request, connection, session).
// Each handle is an object; destroying it closes it.
//
// One transfer uses its handles on one thread. Only HttpStopSignal::Raise may be
// called from another thread, to stop the transfer wherever it waits.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

namespace klemvar {

inline constexpr std::uint16_t kHttpPort = 80;  // INTERNET_DEFAULT_HTTP_PORT

// A request to stop one transfer. The worker polls it at its stop checks; the
// transport also looks at it whenever it waits, and is woken by Raise.
class HttpStopSignal {
 public:
  // Any thread. Returns at once.
  void Raise();
  bool Raised() const { return raised_.load(std::memory_order_acquire); }

  // For transports: waker runs (from the raising thread) on every later Raise,
  // until replaced; an empty function removes it. Once this returns, a previous
  // waker is no longer running and will not run again.
  void SetWaker(std::function<void()> waker);

 private:
  std::atomic<bool> raised_{false};
  std::mutex mutex_;
  std::function<void()> waker_;
};

// HttpOpenRequestA's handle.
class HttpRequest {
 public:
  virtual ~HttpRequest() = default;

  // HttpSendRequestA. headers: "\r\n"-separated header lines, may be empty; body:
  // the request body, empty for none. True once a response has arrived.
  virtual bool Send(std::string_view headers, std::string_view body) = 0;

  // HttpQueryInfoA(HTTP_QUERY_CONTENT_LENGTH): the header's value as text, with a
  // terminating zero, into buffer of length bytes; length becomes the count of
  // characters. False when the response has no such header or it does not fit
  // (then length is the size needed).
  virtual bool QueryContentLength(char* buffer, std::uint32_t& length) = 0;

  // InternetReadFile: blocks until some of the body has arrived, then delivers at
  // most size bytes. count 0 with true: the end of the body. False: the read
  // failed (connection broken, stalled, or the transfer was stopped).
  virtual bool Read(char* buffer, std::uint32_t size, std::uint32_t& count) = 0;

  // Why the last call that failed did, in the transport's words (for a log, not
  // for the user); empty when it has nothing to say.
  virtual std::string ErrorText() const { return {}; }
};

// InternetConnectA's handle.
class HttpConnection {
 public:
  virtual ~HttpConnection() = default;

  // HttpOpenRequestA with version "HTTP/1.0" and a single accepted type.
  // reload: the answer must come from the origin server (INTERNET_FLAG_RELOAD).
  virtual std::unique_ptr<HttpRequest> OpenRequest(const std::string& verb,
                                                   const std::string& object_path,
                                                   const std::string& referer,
                                                   const std::string& accept_types,
                                                   bool reload) = 0;
};

// InternetOpenA's handle.
class HttpSession {
 public:
  virtual ~HttpSession() = default;

  // InternetConnectA with service HTTP. Nothing goes over the wire yet: a host
  // that cannot be reached makes the send fail.
  virtual std::unique_ptr<HttpConnection> Connect(const std::string& host, std::uint16_t port,
                                                  const std::string& user_name,
                                                  const std::string& password) = 0;
};

class HttpTransport {
 public:
  virtual ~HttpTransport() = default;

  // InternetOpenA with the system's proxy settings. agent empty: no agent name.
  // stop must outlive the session. Safe to call from several threads at once.
  virtual std::unique_ptr<HttpSession> OpenSession(const std::string& agent,
                                                   HttpStopSignal& stop) = 0;
};

}  // namespace klemvar
