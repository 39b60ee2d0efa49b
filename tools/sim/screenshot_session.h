#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "gfx/assets.h"
#include "gfx/display.h"
#include "gfx/frame_drawing.h"
#include "pak/remove_resources.h"
#include "pak/resource_root.h"
#include "screenshot_options.h"

namespace vantel {

// Draws every frame of a headless game into a display without a window and
// saves the frames the options ask for as PNG pictures, and the first frame of
// every score page (a player may leave it at once, but it shows how the hand went).
class ScreenshotSession {
 public:
  // Takes the unpacked pictures away again: "" or what was left and why.
  using RemoveResources = std::function<std::string(const ResourceRoot&)>;

  // Unpacks `archive` into a private folder, loads every picture for `g`'s
  // options, removes the folder again (through `remove`) and makes the
  // screenshot folder. Nothing, with the reason in `error`, when any of that
  // fails, the removal included: a run that leaves files behind fails.
  static std::unique_ptr<ScreenshotSession> Open(
      const ScreenshotOptions& options, const std::filesystem::path& archive, Game& g,
      std::string& error, const RemoveResources& remove = RemoveUnpackedResources);

  // The frame hooks to run the game's frames with, and where the pointer is.
  FrameDrawing& Hooks() { return *hooks_; }
  void SetPointer(int32_t x, int32_t y) { pointer_ = {x, y}; }

  const Assets& LoadedAssets() const { return assets_; }
  int64_t ShotsWritten() const { return written_; }
  // Why the first picture that could not be written failed ("" when none);
  // no picture is taken after it.
  const std::string& Error() const { return error_; }

 private:
  class SavingHooks;
  explicit ScreenshotSession(const ScreenshotOptions& options);
  void Take(int64_t frame, bool first_score_page_frame);

  ScreenshotOptions options_;
  HeadlessDisplay display_;
  Assets assets_;
  std::unique_ptr<FrameDrawing> hooks_;
  PointerPosition pointer_;
  int64_t written_ = 0;
  std::string error_;
};

}  // namespace vantel
