#include "pak/unpack_plan.h"

#include <cstdio>

#include "pak/entry_name.h"
#include "pak/resource_tree.h"

#include "i18n/format.h"
#include "i18n/gettext.h"

namespace vantel {

std::string PrintableName(std::string_view name) {
  std::string out;
  for (const char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", u);
      out += hex;
    } else {
      out += c;
    }
  }
  return out;
}

namespace {

const ResourcePrefix* MatchPrefix(std::string_view field) {
  for (const ResourcePrefix& p : kResourcePrefixes) {
    if (field.starts_with(p.prefix)) return &p;
  }
  return nullptr;
}

bool IsKnownMarker(std::string_view field) {
  for (const std::string_view m : kKnownMarkers) {
    if (field.substr(0, m.size()) == m) return true;
  }
  return false;
}

UnpackPlan Refuse(UnpackStatus status, std::string message) {
  return UnpackPlan{status, std::move(message), {}};
}

std::string Where(const PakArchive& pak, int32_t index) {
  return Format(_("entry %d of %s"), index, pak.LoadedPath().c_str());
}

}  // namespace

UnpackPlan PlanUnpacking(const PakArchive& pak) {
  const int64_t entries = int64_t{pak.LastIndex()} + 1;
  if (entries > kMaxUnpackEntries) {
    return Refuse(UnpackStatus::kArchiveRefused,
                  Format(_("%s has %lld entries; a resource archive may have at most %lld"),
                         pak.LoadedPath().c_str(), static_cast<long long>(entries),
                         static_cast<long long>(kMaxUnpackEntries)));
  }
  UnpackPlan plan;
  int64_t bytes = 0;
  for (int32_t i = 0; i <= pak.LastIndex(); ++i) {
    const std::string field = pak.EntryName(i);
    if (field.starts_with(kMarkerStart)) {
      if (IsKnownMarker(field)) continue;
      return Refuse(UnpackStatus::kUnknownMarker,
                    Format(_("%s is an unknown marker \"%s\""), Where(pak, i).c_str(),
                           PrintableName(CutEntryName(field)).c_str()));
    }
    const ResourcePrefix* prefix = MatchPrefix(field);
    if (prefix == nullptr) continue;  // not a resource of the game
    std::string name = CutEntryName(std::string_view(field).substr(prefix->prefix.size()));
    if (!IsSafeFileName(name)) {
      return Refuse(UnpackStatus::kEntryRefused,
                    Format(_("%s: the file name \"%s\" is empty or would leave its folder"),
                           Where(pak, i).c_str(), PrintableName(name).c_str()));
    }
    const std::string problem = pak.EntryProblem(i);
    if (!problem.empty()) return Refuse(UnpackStatus::kEntryRefused, problem);
    bytes += pak.EntrySize(i);
    if (bytes > kMaxUnpackBytes) {
      return Refuse(
          UnpackStatus::kArchiveRefused,
          Format(_("%s holds more than %lld MiB of resources; refused to unpack it"),
                 pak.LoadedPath().c_str(), static_cast<long long>(kMaxUnpackBytes >> 20)));
    }
    plan.steps.push_back(UnpackStep{i, prefix->folder, std::move(name)});
  }
  return plan;
}

}  // namespace vantel
