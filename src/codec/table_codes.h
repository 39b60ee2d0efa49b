#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vantel {

// A table's join code: six symbols a person reads aloud or types from a
// screen, so none that looks like another (no 0/O, no 1/I/L). Upper case only;
// a client may fold what the person typed before sending it.
inline constexpr std::string_view kJoinCodeAlphabet = "23456789ABCDEFGHJKMNPQRSTUVWXYZ";
inline constexpr std::size_t kJoinCodeLength = 6;

bool IsJoinCode(std::string_view code);

// A join code spelt from random bits (the low 30 bits of `bits` and up: six
// symbols of 31). Whoever draws the bits makes sure no two tables share one.
std::string JoinCodeFromBits(uint64_t bits);

// Whether `symbols` is a set of join code symbols (each of the alphabet, at
// most once, at least one): the first symbols of one server's codes.
bool IsCodeSymbolSet(std::string_view symbols);

// The code of `bits` with its first symbol drawn from `first_symbols` (a
// symbol set; empty: any), so that a proxy can tell from a code alone
// which server holds the table.
std::string JoinCodeFromBits(uint64_t bits, std::string_view first_symbols);

// A seat token is the secret that takes a seat back after a lost connection:
// machine to machine, so it may be long and use the URL-safe base64 symbols.
inline constexpr std::size_t kSeatTokenMinLength = 16;
inline constexpr std::size_t kSeatTokenMaxLength = 64;

bool IsSeatToken(std::string_view token);

// A seat token from 128 random bits: 22 URL-safe base64 symbols.
std::string SeatTokenFromBits(uint64_t high, uint64_t low);

}  // namespace vantel
