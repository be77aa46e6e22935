#include "platform/http/curl_transport.h"

#include "platform/http/curl_session.h"
#include "platform/http/http_init.h"

namespace klemvar {

namespace {

class CurlTransport final : public HttpTransport {
 public:
  explicit CurlTransport(const CurlTransportSettings& settings) : settings_(settings) {}

  std::unique_ptr<HttpSession> OpenSession(const std::string& agent,
                                           HttpStopSignal& stop) override {
    return CurlSession::Open(settings_, agent, stop);
  }

 private:
  const CurlTransportSettings settings_;
};

}  // namespace

std::shared_ptr<HttpTransport> MakeCurlHttpTransport(const CurlTransportSettings& settings) {
  InitHttpTransport();  // in case the program start did not, before any worker runs
  return std::make_shared<CurlTransport>(settings);
}

}  // namespace klemvar
