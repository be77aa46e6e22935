#include "platform/http/curl_session.h"

#include <utility>

#include "platform/http/curl_request.h"
#include "platform/http/request_address.h"

namespace klemvar {

std::unique_ptr<CurlSession> CurlSession::Open(const CurlTransportSettings& settings,
                                               const std::string& agent, HttpStopSignal& stop) {
  CURLM* multi = curl_multi_init();
  if (multi == nullptr) return nullptr;
  return std::unique_ptr<CurlSession>(new CurlSession(multi, settings, agent, stop));
}

CurlSession::CurlSession(CURLM* multi, const CurlTransportSettings& settings,
                         const std::string& agent, HttpStopSignal& stop)
    : multi_(multi), settings_(settings), agent_(agent), stop_(stop) {
  // curl_multi_wakeup is the one multi call that is safe from another thread:
  // it makes a curl_multi_poll that waits, or the next one, return at once.
  // Should it fail, the poll still ends at its own deadline and sees the stop.
  stop_.SetWaker([multi] { static_cast<void>(curl_multi_wakeup(multi)); });
}

CurlSession::~CurlSession() {
  stop_.SetWaker({});  // no wake-up may reach the handle once it is gone
  // Nothing is left to do with the handle whatever the answer.
  static_cast<void>(curl_multi_cleanup(multi_));
}

std::unique_ptr<HttpConnection> CurlSession::Connect(const std::string& host, std::uint16_t port,
                                                     const std::string& user_name,
                                                     const std::string& password) {
  const std::uint16_t target = settings_.port_override != 0 ? settings_.port_override : port;
  return std::make_unique<CurlConnection>(*this, host, target, user_name, password);
}

CurlConnection::CurlConnection(CurlSession& session, std::string host, std::uint16_t port,
                               std::string user_name, std::string password)
    : session_(session),
      host_(std::move(host)),
      port_(port),
      user_name_(std::move(user_name)),
      password_(std::move(password)) {}

std::unique_ptr<HttpRequest> CurlConnection::OpenRequest(const std::string& verb,
                                                         const std::string& object_path,
                                                         const std::string& referer,
                                                         const std::string& accept_types,
                                                         bool /*reload*/) {
  // There is no cache at all, so every answer comes from the origin server and
  // reload needs nothing further.
  CurlRequestSetup setup;
  setup.address = RequestAddress(host_, port_, object_path);
  setup.verb = verb;
  setup.referer = referer;
  setup.accept_types = accept_types;
  setup.user_name = user_name_;
  setup.password = password_;
  return CurlRequest::Open(session_, setup);
}

}  // namespace klemvar
