#include "platform/http/curl_request.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstring>
#include <string>
#include <utility>

#include "core/ascii_text.h"
#include "platform/http/curl_session.h"

namespace klemvar {

namespace {

// Unread bytes at which the transfer is paused until a read has taken them all.
constexpr std::size_t kPauseAt = 64 * 1024;

// A header line without its line break and the blanks around it.
std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
  return TrimBlanks(text);
}

}  // namespace

std::unique_ptr<CurlRequest> CurlRequest::Open(CurlSession& session,
                                               const CurlRequestSetup& setup) {
  CURL* easy = curl_easy_init();
  if (easy == nullptr) return nullptr;
  return std::unique_ptr<CurlRequest>(new CurlRequest(session, easy, setup));
}

CurlRequest::CurlRequest(CurlSession& session, CURL* easy, const CurlRequestSetup& setup)
    : session_(session), easy_(easy), setup_(setup) {
  SetStaticOptions();
}

CurlRequest::~CurlRequest() {
  // Should the multi handle refuse to let go, curl_easy_cleanup detaches the
  // easy handle itself: the answer asks for nothing further.
  if (added_) static_cast<void>(curl_multi_remove_handle(session_.multi(), easy_));
  curl_easy_cleanup(easy_);
  curl_slist_free_all(header_list_);
}

template <class Value>
void CurlRequest::Set(CURLoption option, Value value) {
  if (refused_ != CURLE_OK) return;
  const CURLcode result = curl_easy_setopt(easy_, option, value);
  if (result == CURLE_OK) return;
  refused_ = result;
  const curl_easyoption* known = curl_easy_option_by_id(option);
  // curl names its options without the "CURLOPT_" of the source.
  error_ = (known != nullptr ? "CURLOPT_" + std::string(known->name) : std::string("an option")) +
           " refused: " + curl_easy_strerror(result);
}

// A transfer never runs without an option it asked for: without the protocol
// restriction it could leave plain HTTP, without the time-out wait forever.
void CurlRequest::SetStaticOptions() {
  const CurlTransportSettings& settings = session_.settings();
  if (setup_.address) Set(CURLOPT_URL, setup_.address->c_str());
  Set(CURLOPT_PROTOCOLS_STR, "http");
  Set(CURLOPT_PATH_AS_IS, 1L);
  Set(CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
  Set(CURLOPT_NOSIGNAL, 1L);
  Set(CURLOPT_FOLLOWLOCATION, 1L);
  Set(CURLOPT_MAXREDIRS, 10L);
  Set(CURLOPT_REDIR_PROTOCOLS_STR, "http");
  Set(CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(settings.connect_timeout.count()));
  if (!session_.agent().empty()) Set(CURLOPT_USERAGENT, session_.agent().c_str());
  if (!setup_.referer.empty()) Set(CURLOPT_REFERER, setup_.referer.c_str());
  if (!setup_.user_name.empty() || !setup_.password.empty()) {
    Set(CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC));
    Set(CURLOPT_USERNAME, setup_.user_name.c_str());
    Set(CURLOPT_PASSWORD, setup_.password.c_str());
  }
  if (setup_.verb == "GET") {
    Set(CURLOPT_HTTPGET, 1L);
  } else if (setup_.verb != "POST") {
    Set(CURLOPT_CUSTOMREQUEST, setup_.verb.c_str());
  }
  Set(CURLOPT_HEADERFUNCTION, &CurlRequest::OnHeader);
  Set(CURLOPT_HEADERDATA, this);
  Set(CURLOPT_WRITEFUNCTION, &CurlRequest::OnBody);
  Set(CURLOPT_WRITEDATA, this);
}

bool CurlRequest::Fail(std::string reason) {
  error_ = std::move(reason);
  return false;
}

bool CurlRequest::SetRequestHeaders(std::string_view headers) {
  // "Accept:" without a value removes curl's own "*/*"; "Expect:" keeps a body
  // from waiting for a "100 Continue".
  std::vector<std::string> lines{
      setup_.accept_types.empty() ? "Accept:" : "Accept: " + setup_.accept_types, "Expect:"};
  while (!headers.empty()) {
    const auto end = headers.find("\r\n");
    const std::string_view line = Trimmed(headers.substr(0, end));
    if (!line.empty()) lines.emplace_back(line);
    headers = end == std::string_view::npos ? std::string_view() : headers.substr(end + 2);
  }
  for (const std::string& line : lines) {
    curl_slist* extended = curl_slist_append(header_list_, line.c_str());
    if (extended == nullptr) return Fail("no memory for the request headers");
    header_list_ = extended;
  }
  Set(CURLOPT_HTTPHEADER, header_list_);
  return true;
}

void CurlRequest::SetBody(std::string_view body) {
  if (setup_.verb != "POST" && body.empty()) return;
  request_body_.assign(body);
  Set(CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request_body_.size()));
  Set(CURLOPT_POSTFIELDS, request_body_.data());
  if (setup_.verb != "POST") Set(CURLOPT_CUSTOMREQUEST, setup_.verb.c_str());
}

bool CurlRequest::Send(std::string_view headers, std::string_view body) {
  if (sent_) return Fail("sent twice");
  sent_ = true;
  failed_ = true;  // until a response has arrived
  // As a host that does not resolve.
  if (!setup_.address) return Fail("the host name is not usable");
  if (!SetRequestHeaders(headers)) return false;
  SetBody(body);
  if (refused_ != CURLE_OK) return false;  // error_ names the option
  const CURLMcode added = curl_multi_add_handle(session_.multi(), easy_);
  if (added != CURLM_OK)
    return Fail(std::string("curl_multi_add_handle: ") + curl_multi_strerror(added));
  added_ = true;
  if (!RunUntil([this] { return headers_final_ || finished_; })) return false;
  failed_ = !headers_final_;
  if (!headers_final_) return Fail(curl_easy_strerror(result_));
  return true;
}

bool CurlRequest::QueryContentLength(char* buffer, std::uint32_t& length) {
  if (!content_length_) return false;
  const std::string& value = *content_length_;
  if (value.size() >= length) {
    length = static_cast<std::uint32_t>(value.size() + 1);
    return false;
  }
  std::memcpy(buffer, value.data(), value.size());
  buffer[value.size()] = '\0';
  length = static_cast<std::uint32_t>(value.size());
  return true;
}

bool CurlRequest::Read(char* buffer, std::uint32_t size, std::uint32_t& count) {
  count = 0;
  if (!sent_ || failed_) return false;
  if (Unread() == 0 && !finished_) {
    if (!Resume() || !RunUntil([this] { return Unread() > 0 || finished_; })) {
      failed_ = true;
      return false;
    }
  }
  if (Unread() > 0) {
    count = Take(buffer, size);
    return true;
  }
  // The end of the body, or the reason it broke off.
  if (result_ != CURLE_OK) return Fail(curl_easy_strerror(result_));
  return true;
}

// Drives the transfer until ready() holds. False when the stop is raised while
// waiting, or when no byte arrives for the stall timeout. Every round either
// finds ready() true or sleeps in curl_multi_poll until a socket, a curl timer,
// the stall deadline or a wake-up from the stop signal ends the wait.
template <class Ready>
bool CurlRequest::RunUntil(Ready ready) {
  using Clock = std::chrono::steady_clock;
  const auto stall = session_.settings().stall_timeout;
  auto deadline = Clock::now() + stall;
  std::uint64_t seen = received_;
  for (;;) {
    int running = 0;
    const CURLMcode performed = curl_multi_perform(session_.multi(), &running);
    if (performed != CURLM_OK) {
      return Fail(std::string("curl_multi_perform: ") + curl_multi_strerror(performed));
    }
    CollectResult();
    if (ready()) return true;
    if (session_.stop().Raised()) return Fail("stopped");
    const auto now = Clock::now();
    if (received_ != seen) {
      seen = received_;
      deadline = now + stall;
    }
    if (now >= deadline) return Fail("stalled: nothing arrived for the stall time-out");
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count();
    const int wait_ms = static_cast<int>(std::min<long long>(left, INT_MAX));
    const CURLMcode polled = curl_multi_poll(session_.multi(), nullptr, 0, wait_ms, nullptr);
    if (polled != CURLM_OK) {
      return Fail(std::string("curl_multi_poll: ") + curl_multi_strerror(polled));
    }
  }
}

void CurlRequest::CollectResult() {
  int queued = 0;
  while (CURLMsg* message = curl_multi_info_read(session_.multi(), &queued)) {
    if (message->msg == CURLMSG_DONE && message->easy_handle == easy_) {
      finished_ = true;
      result_ = message->data.result;
    }
  }
}

bool CurlRequest::Resume() {
  if (!paused_) return true;
  paused_ = false;  // before the call: curl may hand over data (and pause again) inside it
  const CURLcode resumed = curl_easy_pause(easy_, CURLPAUSE_CONT);
  if (resumed != CURLE_OK)
    return Fail(std::string("curl_easy_pause: ") + curl_easy_strerror(resumed));
  return true;
}

size_t CurlRequest::OnHeader(char* data, size_t size, size_t count, void* self) {
  auto& request = *static_cast<CurlRequest*>(self);
  request.received_ += size * count;
  request.HeaderLine(std::string_view(data, size * count));
  return size * count;
}

// Sees the headers of every response, redirects included. The headers count as
// the response's once a final status (not 1xx, not a redirect that curl follows)
// has its blank line.
void CurlRequest::HeaderLine(std::string_view line) {
  if (line.starts_with("HTTP/")) {
    content_length_.reset();
    location_ = false;
    return;
  }
  line = Trimmed(line);
  if (line.empty()) {
    long status = 0;
    curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &status);
    const bool followed = status / 100 == 3 && location_;
    if (status >= 200 && !followed) headers_final_ = true;
    return;
  }
  const auto colon = line.find(':');
  if (colon == std::string_view::npos) return;
  const std::string_view name = Trimmed(line.substr(0, colon));
  const std::string_view value = Trimmed(line.substr(colon + 1));
  if (SameAsciiNoCase(name, "Content-Length") && !content_length_) content_length_ = value;
  if (SameAsciiNoCase(name, "Location")) location_ = true;
}

size_t CurlRequest::OnBody(char* data, size_t size, size_t count, void* self) {
  auto& request = *static_cast<CurlRequest*>(self);
  if (request.Unread() >= kPauseAt) {
    request.paused_ = true;  // curl keeps these bytes and hands them over again on resume
    return CURL_WRITEFUNC_PAUSE;
  }
  request.headers_final_ = true;
  request.received_ += size * count;
  request.Keep(data, size * count);
  return size * count;
}

void CurlRequest::Keep(const char* data, std::size_t size) {
  if (read_pos_ >= kPauseAt) {  // drop what was taken, so the buffer stays small
    body_.erase(body_.begin(), body_.begin() + static_cast<std::ptrdiff_t>(read_pos_));
    read_pos_ = 0;
  }
  body_.insert(body_.end(), data, data + size);
}

std::uint32_t CurlRequest::Take(char* buffer, std::uint32_t size) {
  const auto count = static_cast<std::uint32_t>(std::min<std::size_t>(size, Unread()));
  std::memcpy(buffer, body_.data() + read_pos_, count);
  read_pos_ += count;
  if (read_pos_ == body_.size()) {
    body_.clear();
    read_pos_ = 0;
  }
  return count;
}

}  // namespace klemvar
