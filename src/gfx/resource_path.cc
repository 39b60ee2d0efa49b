#include "gfx/resource_path.h"

#include <string>

namespace vantel {

ResourceResolver ExactResolverUnder(std::filesystem::path root) {
  return [root = std::move(root)](std::string_view name) {
    std::string relative(name);
    for (char& ch : relative) {
      if (ch == '\\') ch = '/';
    }
    return root / relative;
  };
}

}  // namespace vantel
