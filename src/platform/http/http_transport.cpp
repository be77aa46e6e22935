#include "platform/http/http_transport.h"

#include <utility>

#include "platform/http/http_loader.h"

namespace klemvar {

namespace {

std::shared_ptr<HttpTransport>& Installed() {
  static std::shared_ptr<HttpTransport> transport;
  return transport;
}

}  // namespace

std::shared_ptr<HttpTransport> CurrentHttpTransport() {
  auto& installed = Installed();
  if (!installed) installed = ModuleHttpTransport();
  return installed;
}

std::shared_ptr<HttpTransport> SetHttpTransport(std::shared_ptr<HttpTransport> transport) {
  return std::exchange(Installed(), std::move(transport));
}

}  // namespace klemvar
