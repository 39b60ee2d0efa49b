#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace vantel {

// Writes data as the file target: into a new file beside it, which then takes
// target's name. Whatever target was stays untouched until then, a link (hard
// or symbolic) is replaced rather than written through, and a failure removes
// only the new file. Targets that are not plain files (folders, devices,
// pipes) are refused and left alone. Returns "" or why not, with the system's
// reason.
std::string ReplaceFile(const std::filesystem::path& target, std::span<const uint8_t> data);

// The system's reason for the last failed call, as strerror words it.
std::string LastSystemError();

}  // namespace vantel
