#include "codec/table_address.h"

#include <algorithm>
#include <charconv>

namespace vantel {

namespace {

constexpr std::string_view kPlain = "ws://";
constexpr std::string_view kSecure = "wss://";
constexpr std::string_view kPlainPage = "http://";
constexpr std::string_view kSecurePage = "https://";
constexpr std::string_view kJoinPath = "/join/";
constexpr uint16_t kPlainPort = 80;
constexpr uint16_t kSecurePort = 443;
// Longer than any host name the DNS allows.
constexpr std::size_t kMaxHost = 253;

bool HostNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.';
}

bool Ipv6Char(char c) {
  return (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || (c >= '0' && c <= '9') || c == ':' ||
         c == '.';
}

// The host as a URL writes it: an IPv6 address in brackets.
std::string UrlHost(const std::string& host) {
  return host.find(':') != std::string::npos ? "[" + host + "]" : host;
}

}  // namespace

std::optional<TableAddress> ParseTableAddress(std::string_view text) {
  TableAddress address;
  if (text.starts_with(kSecure)) {
    address.tls = true;
    text.remove_prefix(kSecure.size());
  } else if (text.starts_with(kPlain)) {
    text.remove_prefix(kPlain.size());
  } else {
    return std::nullopt;
  }
  // A trailing slash is what a browser shows; nothing more is a table's.
  if (text.ends_with('/')) text.remove_suffix(1);
  std::string_view port;
  if (text.starts_with('[')) {
    const std::size_t close = text.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    const std::string_view host = text.substr(1, close - 1);
    if (host.empty() || !std::all_of(host.begin(), host.end(), Ipv6Char)) return std::nullopt;
    address.host = host;
    text.remove_prefix(close + 1);
    if (!text.empty() && !text.starts_with(':')) return std::nullopt;
    if (!text.empty()) port = text.substr(1);
    if (!text.empty() && port.empty()) return std::nullopt;
  } else {
    const std::size_t colon = text.find(':');
    const std::string_view host = text.substr(0, colon);
    if (host.empty() || host.size() > kMaxHost ||
        !std::all_of(host.begin(), host.end(), HostNameChar)) {
      return std::nullopt;
    }
    address.host = host;
    if (colon != std::string_view::npos) {
      port = text.substr(colon + 1);
      if (port.empty()) return std::nullopt;
    }
  }
  address.port = address.tls ? kSecurePort : kPlainPort;
  if (!port.empty()) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), value);
    if (error != std::errc() || end != port.data() + port.size() || value == 0 || value > 65535) {
      return std::nullopt;
    }
    address.port = static_cast<uint16_t>(value);
  }
  return address;
}

std::string TableAddressText(const TableAddress& address) {
  std::string text(address.tls ? kSecure : kPlain);
  text += UrlHost(address.host);
  text += ':';
  text += std::to_string(address.port);
  return text;
}

std::string JoinLinkText(const TableAddress& address, std::string_view code) {
  std::string text(address.tls ? kSecurePage : kPlainPage);
  text += UrlHost(address.host);
  if (address.port != (address.tls ? kSecurePort : kPlainPort)) {
    text += ':';
    text += std::to_string(address.port);
  }
  text += kJoinPath;
  text += code;
  return text;
}

}  // namespace vantel
