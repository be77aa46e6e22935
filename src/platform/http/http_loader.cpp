#include "platform/http/http_loader.h"

#include "platform/modules/module_entry.h"

namespace klemvar {
namespace {

class NoTransport final : public HttpTransport {
 public:
  std::unique_ptr<HttpSession> OpenSession(const std::string&, HttpStopSignal&) override {
    return nullptr;
  }
};

}  // namespace

std::shared_ptr<HttpTransport> ModuleHttpTransport() {
  using Entry = void (*)(std::shared_ptr<HttpTransport>&);
  const auto entry =
      reinterpret_cast<Entry>(ModuleEntry(QStringLiteral("http"), "klemvar_http_module"));
  std::shared_ptr<HttpTransport> transport;
  if (entry) entry(transport);
  if (!transport) transport = std::make_shared<NoTransport>();
  return transport;
}

}  // namespace klemvar
