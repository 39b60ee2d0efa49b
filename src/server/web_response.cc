#include "server/web_response.h"

namespace vantel {

namespace {

namespace http = boost::beast::http;

constexpr std::string_view kWeakPrefix = "W/";
constexpr std::string_view kSpaces = " \t";

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kSpaces);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kSpaces) - first + 1);
}

std::string_view WithoutWeakPrefix(std::string_view tag) {
  return tag.starts_with(kWeakPrefix) ? tag.substr(kWeakPrefix.size()) : tag;
}

}  // namespace

void SetSafetyHeaders(http::fields& fields) {
  // Beast names none of the three.
  fields.set("Content-Security-Policy", kContentSecurityPolicy);
  fields.set("X-Content-Type-Options", "nosniff");
  fields.set("Referrer-Policy", "no-referrer");
}

bool MatchesEtag(std::string_view if_none_match, std::string_view etag) {
  // Tags are quoted and hold no comma, so the list splits on its commas.
  while (!if_none_match.empty()) {
    const std::size_t comma = if_none_match.find(',');
    const std::string_view tag = Trimmed(if_none_match.substr(0, comma));
    if (tag == "*" || WithoutWeakPrefix(tag) == WithoutWeakPrefix(etag)) return true;
    if (comma == std::string_view::npos) break;
    if_none_match.remove_prefix(comma + 1);
  }
  return false;
}

PageResponse PageAnswer(const WebRequest& request, const WebFile& file) {
  PageResponse response;
  response.version(request.version());
  response.keep_alive(request.keep_alive());
  response.set(http::field::server, "vantel-server");
  SetSafetyHeaders(response);
  response.set(http::field::etag, file.etag);
  response.set(http::field::cache_control, "no-cache");
  if (MatchesEtag(request[http::field::if_none_match], file.etag)) {
    response.result(http::status::not_modified);
    return response;
  }
  response.result(http::status::ok);
  response.set(http::field::content_type, file.content_type);
  // A HEAD is told the length of the body it does not get.
  if (request.method() != http::verb::head) response.body() = {file.body.data(), file.body.size()};
  response.content_length(file.body.size());
  return response;
}

}  // namespace vantel
