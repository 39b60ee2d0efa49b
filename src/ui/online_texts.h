#pragma once

#include "i18n/gettext.h"

namespace vantel {

// The texts of the "Play online" tab, marked for translation: use them
// through _(). The underscores mark the Alt key of each control.
inline constexpr const char* kOnlineTabName = N_("Play _online");
inline constexpr const char* kServerLabel = N_("_Server:");
inline constexpr const char* kServerExample = "ws://127.0.0.1:7420";
inline constexpr const char* kNameLabel = N_("Your _name:");
inline constexpr const char* kNameExample = N_("as the others will see it");

inline constexpr const char* kHostFrameTitle = N_("Host a table");
inline constexpr const char* kHostNote =
    N_("You sit at the bottom; the people you give the table's code take the Person seats.");
inline constexpr const char* kRightOpponentLabel = N_("Opponent on your right:");
inline constexpr const char* kLeftOpponentLabel = N_("Opponent on your left:");
inline constexpr const char* kPersonOption = N_("Person");
inline constexpr const char* kHandSizeLabel = N_("Hand:");
inline constexpr const char* kTwelveCardShort = N_("12 cards");
inline constexpr const char* kSixCardShort = N_("6 cards");
inline constexpr const char* kTurnLimitOption = N_("_Limit each turn to");
inline constexpr const char* kSecondsLabel = N_("seconds");
inline constexpr const char* kTurnLimitNote =
    N_("A person who takes longer has a computer player play that card for them.");
inline constexpr const char* kHostCaption = N_("_Host");

inline constexpr const char* kJoinFrameTitle = N_("Join a table");
inline constexpr const char* kCodeLabel = N_("_Code:");
inline constexpr const char* kJoinCaption = N_("_Join");

// What is wrong with a field, shown under it.
inline constexpr const char* kServerWithoutScheme =
    N_("The address starts with ws:// (or wss:// for a secure server).");
inline constexpr const char* kServerMalformed =
    N_("Not an address: write ws://host:port, with a port from 1 to 65535.");
inline constexpr const char* kNameTooLong = N_("A name has at most 24 characters.");
inline constexpr const char* kNameUnprintable = N_("A name cannot hold control characters.");
inline constexpr const char* kCodeLength = N_("A code has six symbols.");
inline constexpr const char* kCodeSymbols =
    N_("A code holds only the digits 2 to 9 and the letters but I, L and O.");

}  // namespace vantel
