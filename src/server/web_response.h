#pragma once

#include <string_view>

#include <boost/beast/http.hpp>

#include "server/web_files.h"

namespace vantel {

// The page runs only its own scripts and styles, talks only to the server it
// came from (a same-origin ws:// or wss:// is 'self'), and cannot be framed.
inline constexpr std::string_view kContentSecurityPolicy =
    "default-src 'self'; connect-src 'self'; img-src 'self' data:; style-src 'self'; "
    "script-src 'self'; object-src 'none'; base-uri 'none'; frame-ancestors 'none'";

using WebRequest = boost::beast::http::request<boost::beast::http::string_body>;
// Its body is a view of the file in memory, so an answer copies no file.
using PageResponse = boost::beast::http::response<boost::beast::http::span_body<const char>>;

// The headers every plain HTTP answer of the server carries.
void SetSafetyHeaders(boost::beast::http::fields& fields);

// Whether an If-None-Match value (a list of tags, or *) names `etag`. The
// comparison is the weak one, as RFC 9110 asks of If-None-Match.
bool MatchesEtag(std::string_view if_none_match, std::string_view etag);

// The answer to a GET or HEAD of one of the page's files: 304 when the
// client already holds this version, else the file, its bytes only for GET.
// Every copy is checked again before use (no-cache), so a new page is seen at
// once. `file` must outlive the answer.
PageResponse PageAnswer(const WebRequest& request, const WebFile& file);

}  // namespace vantel
