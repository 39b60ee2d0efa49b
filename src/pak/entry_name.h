#pragma once

#include <string>
#include <string_view>

namespace vantel {

// The usable part of a stored name field: up to the first NUL, without the
// trailing spaces that pad it.
std::string CutEntryName(std::string_view field);

// True when name can be used as one file name inside a resource folder: not
// empty, not "." or "..", and free of path separators, drive colons and
// control characters, so that the file cannot land outside its folder.
bool IsSafeFileName(std::string_view name);

// ASCII comparison without regard to letter case, as resource names are matched.
bool EqualsNoCase(std::string_view a, std::string_view b);

}  // namespace vantel
