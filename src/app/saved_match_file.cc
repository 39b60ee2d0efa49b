#include "app/saved_match_file.h"

#include <system_error>

#include "app/kept_file.h"
#include "app/key_file.h"
#include "i18n/format.h"
#include "i18n/gettext.h"

namespace vantel {

std::filesystem::path SavedMatchPath() {
  return XdgFile("XDG_DATA_HOME", ".local/share", "match.json");
}

LoadedMatch LoadSavedMatch(const std::filesystem::path& file) {
  const KeptFileText kept = ReadKeptFile(file);
  std::string why;
  switch (kept.state) {
    case KeptFileText::State::kMissing: return {};
    case KeptFileText::State::kFailed:
      return {std::nullopt, Format(_("the saved match in %s cannot be read (%s)"), file.c_str(),
                                   kept.reason.c_str())};
    case KeptFileText::State::kTooLarge: why = kept.reason; break;
    case KeptFileText::State::kRead: {
      const SavedMatchRead read = SavedMatchFromText(kept.text);
      if (read.saved) return {read.saved, {}};
      why = read.problem;
      break;
    }
  }
  std::string problem;
  const std::filesystem::path aside = SetKeptFileAside(file, problem);
  if (aside.empty()) {
    return {std::nullopt, Format(_("the saved match in %s is damaged (%s) and could not be set "
                                   "aside (%s); a new match starts"),
                                 file.c_str(), why.c_str(), problem.c_str())};
  }
  return {std::nullopt, Format(_("the saved match in %s is damaged (%s); kept as %s, a new match "
                                 "starts"),
                               file.c_str(), why.c_str(), aside.c_str())};
}

std::string KeepSavedMatch(const std::filesystem::path& file, const SavedMatch& saved) {
  const std::string problem = WriteKeptFile(file, SavedMatchToText(saved));
  if (problem.empty()) return {};
  return Format(_("the match could not be saved in %s (%s)"), file.c_str(), problem.c_str());
}

std::string ForgetSavedMatch(const std::filesystem::path& file) {
  std::error_code ec;
  std::filesystem::remove(file, ec);
  if (!ec) return {};
  return Format(_("the saved match %s could not be removed (%s)"), file.c_str(),
                ec.message().c_str());
}

}  // namespace vantel
