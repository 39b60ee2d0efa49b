#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace vantel {

// A private folder made once per fuzzing process (holding only its lock
// record, "owner") and removed at its exit; every run writes only in here.
const std::filesystem::path& FuzzSandbox();

// Writes the fuzzer's bytes as a file in the sandbox and returns its path.
std::filesystem::path WriteInput(const char* name, const uint8_t* data, size_t size);

// Stops the process the way the fuzzer reports a finding when ok is false.
void Require(bool ok, const char* what);

}  // namespace vantel
