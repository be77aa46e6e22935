#pragma once

// Session and connection handles of the libcurl transport. A session owns one
// multi handle, so nothing is shared between transfers; a connection only
// remembers where to go, as InternetConnectA does for HTTP.

#include <curl/curl.h>

#include <memory>
#include <string>

#include "platform/http/curl_transport.h"
#include "platform/http/http_transport.h"

namespace klemvar {

class CurlSession final : public HttpSession {
 public:
  // nullptr when libcurl cannot make a multi handle.
  static std::unique_ptr<CurlSession> Open(const CurlTransportSettings& settings,
                                           const std::string& agent, HttpStopSignal& stop);
  ~CurlSession() override;
  CurlSession(const CurlSession&) = delete;
  CurlSession& operator=(const CurlSession&) = delete;

  std::unique_ptr<HttpConnection> Connect(const std::string& host, std::uint16_t port,
                                          const std::string& user_name,
                                          const std::string& password) override;

  CURLM* multi() const { return multi_; }
  const CurlTransportSettings& settings() const { return settings_; }
  const std::string& agent() const { return agent_; }
  const HttpStopSignal& stop() const { return stop_; }

 private:
  CurlSession(CURLM* multi, const CurlTransportSettings& settings, const std::string& agent,
              HttpStopSignal& stop);

  CURLM* multi_;
  CurlTransportSettings settings_;
  std::string agent_;
  HttpStopSignal& stop_;
};

class CurlConnection final : public HttpConnection {
 public:
  CurlConnection(CurlSession& session, std::string host, std::uint16_t port, std::string user_name,
                 std::string password);

  std::unique_ptr<HttpRequest> OpenRequest(const std::string& verb, const std::string& object_path,
                                           const std::string& referer,
                                           const std::string& accept_types, bool reload) override;

 private:
  CurlSession& session_;
  std::string host_;
  std::uint16_t port_;
  std::string user_name_;
  std::string password_;
};

}  // namespace klemvar
