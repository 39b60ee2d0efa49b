#pragma once

#include <string>
#include <vector>

namespace vantel {

// Each command takes its own arguments (after the command word) and returns
// the process exit status: 0 done, 1 failed, 2 wrong usage. Results go to
// standard output, complaints to standard error.
int ListCommand(const std::vector<std::string>& args);
int ExtractCommand(const std::vector<std::string>& args);
int UnpackCommand(const std::vector<std::string>& args);
int CreateCommand(const std::vector<std::string>& args);

}  // namespace vantel
