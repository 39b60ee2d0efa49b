// Any bytes as a message from a client: the parser answers with a message or
// a refusal and never throws or crashes, and what it accepts is sound: it
// writes back to text that reads as the same message, and its names, codes
// and cards are within their bounds.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "codec/client_messages.h"
#include "codec/player_name.h"
#include "codec/table_codes.h"
#include "fuzz_sandbox.h"

namespace {

void CheckBounds(const vantel::ClientMessage& message) {
  std::visit(
      [](const auto& m) {
        using M = std::decay_t<decltype(m)>;
        if constexpr (std::is_same_v<M, vantel::HelloMessage>) {
          vantel::Require(vantel::IsPlayerName(m.name), "hello accepted a bad name");
        } else if constexpr (std::is_same_v<M, vantel::JoinMessage>) {
          vantel::Require(vantel::IsPlayerName(m.name), "join accepted a bad name");
          vantel::Require(vantel::IsJoinCode(m.code), "join accepted a bad code");
        } else if constexpr (std::is_same_v<M, vantel::RejoinMessage>) {
          vantel::Require(vantel::IsJoinCode(m.code), "rejoin accepted a bad code");
          vantel::Require(vantel::IsSeatToken(m.token), "rejoin accepted a bad token");
        } else if constexpr (std::is_same_v<M, vantel::PlayMessage>) {
          vantel::Require(m.play.card >= 0 && m.play.card < vantel::kCardCount,
                          "card out of range");
          for (int16_t card : m.play.take) {
            vantel::Require(card >= 0 && card < vantel::kCardCount, "taken card out of range");
          }
        } else if constexpr (std::is_same_v<M, vantel::ComputerSeatMessage>) {
          vantel::Require(m.seat >= 0 && m.seat < vantel::kSeats, "seat out of range");
        }
      },
      message);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const vantel::ClientParse parse = vantel::ParseClientMessage(text);
  if (!parse.message) {
    vantel::Require(!parse.problem.empty(), "refusal without a reason");
    return 0;
  }
  vantel::Require(size <= vantel::kMaxClientMessage, "accepted an over-long message");
  CheckBounds(*parse.message);
  const std::string again = vantel::ClientMessageToText(*parse.message);
  const vantel::ClientParse reread = vantel::ParseClientMessage(again);
  vantel::Require(reread.message.has_value() && *reread.message == *parse.message,
                  "an accepted message does not read back as itself");
  return 0;
}
