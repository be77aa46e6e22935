#include "platform/http/http_transport.h"

#include <utility>

#include "platform/http/curl_transport.h"

namespace klemvar {

void HttpStopSignal::Raise() {
  raised_.store(true, std::memory_order_release);
  std::lock_guard<std::mutex> lock(mutex_);
  if (waker_) waker_();
}

void HttpStopSignal::SetWaker(std::function<void()> waker) {
  std::lock_guard<std::mutex> lock(mutex_);
  waker_ = std::move(waker);
}

namespace {

std::shared_ptr<HttpTransport>& Installed() {
  static std::shared_ptr<HttpTransport> transport;
  return transport;
}

}  // namespace

std::shared_ptr<HttpTransport> CurrentHttpTransport() {
  auto& installed = Installed();
  if (!installed) installed = MakeCurlHttpTransport();
  return installed;
}

std::shared_ptr<HttpTransport> SetHttpTransport(std::shared_ptr<HttpTransport> transport) {
  return std::exchange(Installed(), std::move(transport));
}

}  // namespace klemvar
