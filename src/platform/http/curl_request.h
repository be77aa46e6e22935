#pragma once

// The request handle of the libcurl transport: one easy handle, driven by the
// session's multi handle on the thread that sends and reads.
//
// The body is pulled, as InternetReadFile pulls it: curl's write callback keeps
// what arrives and pauses the transfer once about 64 KiB are unread; a read hands
// out what is there and lets the transfer go on when everything has been taken.
// curl keeps its own receive buffer size: shrinking it to the read size would
// cost most of the speed.

#include <curl/curl.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/http/http_transport.h"

namespace klemvar {

class CurlSession;

struct CurlRequestSetup {
  std::optional<std::string> address;  // no address: the host is not usable
  std::string verb;
  std::string referer;
  std::string accept_types;
  std::string user_name;
  std::string password;
};

class CurlRequest final : public HttpRequest {
 public:
  // nullptr when libcurl cannot make an easy handle.
  static std::unique_ptr<CurlRequest> Open(CurlSession& session, const CurlRequestSetup& setup);
  ~CurlRequest() override;
  CurlRequest(const CurlRequest&) = delete;
  CurlRequest& operator=(const CurlRequest&) = delete;

  bool Send(std::string_view headers, std::string_view body) override;
  bool QueryContentLength(char* buffer, std::uint32_t& length) override;
  bool Read(char* buffer, std::uint32_t size, std::uint32_t& count) override;
  std::string ErrorText() const override { return error_; }

 private:
  CurlRequest(CurlSession& session, CURL* easy, const CurlRequestSetup& setup);

  // Sets one option; the first one libcurl refuses is kept in refused_.
  template <class Value>
  void Set(CURLoption option, Value value);
  void SetStaticOptions();
  bool SetRequestHeaders(std::string_view headers);
  void SetBody(std::string_view body);
  bool Fail(std::string reason);

  static size_t OnHeader(char* data, size_t size, size_t count, void* self);
  static size_t OnBody(char* data, size_t size, size_t count, void* self);
  void HeaderLine(std::string_view line);

  template <class Ready>
  bool RunUntil(Ready ready);
  void CollectResult();
  bool Resume();

  std::size_t Unread() const { return body_.size() - read_pos_; }
  void Keep(const char* data, std::size_t size);
  std::uint32_t Take(char* buffer, std::uint32_t size);

  CurlSession& session_;
  CURL* easy_;
  CurlRequestSetup setup_;
  curl_slist* header_list_ = nullptr;
  std::string request_body_;

  bool sent_ = false;
  bool added_ = false;
  bool failed_ = false;    // stopped, stalled or broken before the end
  bool finished_ = false;  // curl is done with the transfer; result_ tells how
  CURLcode result_ = CURLE_OK;
  CURLcode refused_ = CURLE_OK;  // an option libcurl did not take; the send then fails
  std::string error_;            // why the last failing call failed

  bool headers_final_ = false;  // the headers of the response that is delivered are complete
  bool location_ = false;       // the current response names a redirect target
  std::optional<std::string> content_length_;
  std::uint64_t received_ = 0;  // header and body bytes, to tell a stall

  std::vector<char> body_;
  std::size_t read_pos_ = 0;
  bool paused_ = false;
};

}  // namespace klemvar
