#include "platform/http/http_init.h"

#include <curl/curl.h>

#include <mutex>

namespace klemvar {

void InitHttpTransport() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace klemvar
